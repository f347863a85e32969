#include "app/TMiravo99DlgClient.h"

#include "app/ClipboardCommands.h"
#include "app/ColumnCommands.h"
#include "app/ColumnLayout.h"
#include "app/CommandIds.h"
#include "app/EditCommand.h"
#include "app/ExportCommand.h"
#include "app/FindBar.h"
#include "app/FindCommand.h"
#include "app/GearListView.h"
#include "app/GearRowDrag.h"
#include "app/GroupCommands.h"
#include "app/HandheldCommands.h"
#include "app/ItemCommands.h"
#include "app/LighterPackCommand.h"
#include "app/ListSelection.h"
#include "app/PrintCommand.h"
#include "app/SummaryCommands.h"
#include "app/TTotalsDlg.h"
#include "app/TWeightDisplayDialg.h"
#include "config/AboutDialog.h"
#include "config/TConfigureCategoriesDlg.h"
#include "config/TConfigureDialog.h"
#include "model/CategoryEditing.h"
#include "model/DocumentEdits.h"
#include "model/FileOutcome.h"
#include "model/GroupEditing.h"
#include "model/HideViewRefusal.h"
#include "model/ItemEditing.h"
#include "model/RecoveryStore.h"
#include "model/SettingsMigration.h"
#include "model/StartupFiles.h"
#include "output/CategoryTotals.h"
#include "output/GearSummary.h"
#include "output/WeightChart.h"
#include "platform/ColorRef.h"
#include "ui/Cp1252.h"
#include "ui/WaitCursor.h"
#include "ui/WindowTitle.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace varnel {

namespace {

constexpr const char* kFileFilter = "Gear Weight Files (*.dat)|*.dat|Text Files (*.txt)|*.txt|";
constexpr int kTooltipWidth = 150;
constexpr int kTooltipHeight = 40;
constexpr int kCategoryColumn = columnNumber(ColumnIndex::Category);
constexpr int kItemColumn = columnNumber(ColumnIndex::Item);

QString toQString(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}
std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

} // namespace

TMiravo99DlgClient::TMiravo99DlgClient(ClientEnvironment environment, QWidget* parent)
    : QWidget(parent), env_(std::move(environment)), prompts_(*env_.prompts),
      files_(env_.files.value_or(FileLocations::inCurrentFolder(env_.currentFolder))),
      appSettings_(files_),
      session_(*this, document_, settings_, appSettings_, files_, env_.currentFolder) {
    setObjectName(QStringLiteral("TMiravo99DlgClient"));
    if (!env_.openUrl) {
        env_.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    }
    if (!env_.runDialog) {
        env_.runDialog = [](QDialog& dialog) {
            fitWindowTitle(dialog);
            return dialog.exec();
        };
    }
    // Choose the settings file and the document from the last one, reading or migrating the
    // three list colours.
    if (const auto ec = appSettings_.load()) {
        prompts_.showMessage(unreadableSettingsMessage(appSettings_.path(), ec.message()));
    }
    if (env_.namedDocument) {
        // The last list is not the user's choice this time: it is neither read nor given the
        // settings of a first start.
        settingsExisted_ = true;
    } else {
        StartupFiles files = chooseStartupFiles(files_, *env_.settingsRegistry);
        settingsFile_ = files.settingsFile;
        settingsExisted_ = files.settingsExisted;
        session_.setDocumentName(files.documentFile);
        settings_.backColor = files.backColor;
        settings_.altColor = files.altColor;
        settings_.groupColor = files.groupColor;
    }

    model_ = std::make_unique<GearListModel>(document_);
    model_->setDisplayLock(&displayLock_);
    model_->setColors(settings_.backColor, settings_.altColor, settings_.groupColor);
    recovery_ = new RecoveryKeeper(
        env_.recoveryFolder, document_, [this] { return beginRecoveryCopy(); }, this);
    createControls();
    columns_ = std::make_unique<ColumnLayout>(*model_, *list_, settings_);
}

TMiravo99DlgClient::~TMiravo99DlgClient() {
    // The stack's last signals, as it clears itself, would reach a model already gone.
    undoStack_.disconnect(this);
    // The view goes before the model it shows.
    delete list_;
    list_ = nullptr;
}

QAction* TMiravo99DlgClient::makeAction(int id, const QString& text, const QString& tip) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::number(id));
    a->setStatusTip(tip);
    actions_.insert(id, a);
    return a;
}

QPushButton* TMiravo99DlgClient::makeButton(int id, const QString& text, const QString& icon,
                                            Handler handler) {
    auto* b = new QPushButton(QIcon(icon), text, this);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    buttons_.insert(id, b);
    // The handler itself, not the menu twin's action: the menu enablers govern the menu only,
    // and an enabled button always works.
    if (handler != nullptr) {
        connect(b, &QPushButton::clicked, this, handler);
    }
    return b;
}

void TMiravo99DlgClient::createControls() {
    using C = TMiravo99DlgClient;
    // Menu commands, in the order they are made; the frame places them in its menus. Exit has
    // no handler here: the frame closes itself.
    struct ActionEntry {
        int id;
        const char* text;
        const char* tip;
        Handler handler;
    };
    static constexpr ActionEntry kActions[] = {
        {cmd::New, "&New", "Start a new, empty gear list", &C::cmNew},
        {cmd::Open, "&Open...", "Open a gear list file", &C::cmOpen},
        {cmd::Save, "&Save", "Save the gear list", &C::cmSave},
        {cmd::SaveAs, "Save &As...", "Save the gear list under a new name", &C::cmSaveAs},
        {cmd::SaveForHandheld, "Save the file for syncing with Palm device",
         "Save the file for syncing with Palm device", &C::cmSaveForHandheld},
        {cmd::Print, "&Print...", "Print the gear list", &C::cmPrint},
        {cmd::PrintPreview, "Print Pre&view...", "See the printed pages before printing them",
         &C::cmPrintPreview},
        {cmd::Export, "&Export...", "Export the gear list to a file or by mail", &C::cmExport},
        {cmd::ImportLighterPack, "&Import LighterPack CSV...",
         "Add the items of a list exported from LighterPack", &C::cmImportLighterPack},
        {cmd::Exit, "E&xit\tAlt+F4", "Save the gear list and quit", nullptr},
        {cmd::Undo, "&Undo", "Take back the last change", &C::cmUndo},
        {cmd::Redo, "&Redo", "Make the change taken back again", &C::cmRedo},
        {cmd::Add, "&Add...", "Add gear items", &C::cmAdd},
        {cmd::Delete, "&Delete", "Delete the highlighted items", &C::cmDelete},
        {cmd::Modify, "&Modify...", "Change the highlighted item", &C::cmModify},
        {cmd::SelectAll, "&Select All", "Check every item", &C::cmSelectAll},
        {cmd::ClearSelected, "&Clear Selected", "Uncheck every item", &C::cmClearSelected},
        {cmd::HideSelected, "&Hide Selected", "Hide or show the checked items", &C::cmHideSelected},
        {cmd::HideNonSelected, "Hide &Non-Selected", "Hide or show the items that are not checked",
         &C::cmHideNonSelected},
        {cmd::ExpandAll, "&Expand All Groups", "Show every group's items", &C::cmExpandAll},
        {cmd::CollapseAll, "C&ollapse All Groups", "Fold every group into one row",
         &C::cmCollapseAll},
        {cmd::ViewTotals, "View &Totals...", "Show the checked weight per category", &C::cmTotals},
        {cmd::Categories, "&Categories...", "Add, delete and rename categories", &C::cmCategories},
        {cmd::GeneralOptions, "&General Options...", "Colours, printing font and print options",
         &C::cmGeneralOptions},
        {cmd::AddColumn, "&Add New Column...", "Add a column of your own", &C::cmAddColumn},
        {cmd::DeleteColumn, "&Delete Column...", "Delete columns of your own", &C::cmDeleteColumn},
        {cmd::ModifyColumn, "&Modify Column...", "Change a column's heading and alignment",
         &C::cmModifyColumn},
        {cmd::About, "&About...", "About the Varnel application", &C::cmAbout},
        {cmd::EmailMe, "&Email me!", "Write to the author", &C::cmEmailMe},
        {cmd::RemoveFromGroup, "&Remove from Group", "Take the item out of its group",
         &C::cmRemoveFromGroup},
        {cmd::Cut, "C&ut", "Move the highlighted items to the clipboard", &C::cmCut},
        {cmd::Copy, "Cop&y", "Copy the highlighted items to the clipboard", &C::cmCopy},
        {cmd::Paste, "&Paste", "Add the items on the clipboard", &C::cmPaste},
        {cmd::Find, "&Find...", "Find an item by its text", &C::cmFind},
        {cmd::FindNext, "Find Ne&xt", "Find the next matching item", &C::cmFindNext},
        {cmd::FindPrevious, "Find Pre&vious", "Find the previous matching item",
         &C::cmFindPrevious},
        {cmd::MarkWorn, "Mark &Worn", "Mark the item worn, or not: it leaves the base weight",
         &C::cmMarkWorn},
        {cmd::MarkConsumable, "Mark Cons&umable",
         "Mark the item consumable (food, water, fuel), or not", &C::cmMarkConsumable},
        {cmd::BaseGoal, "Base Weight &Goal...", "Set or clear the base weight you aim for",
         &C::cmBaseGoal},
    };
    for (const ActionEntry& entry : kActions) {
        QAction* a = makeAction(entry.id, tr(entry.text), tr(entry.tip));
        if (entry.handler != nullptr) {
            connect(a, &QAction::triggered, this, entry.handler);
        }
    }
    const std::pair<int, QKeySequence> shortcuts[] = {
        {cmd::New, QKeySequence::New},
        {cmd::Open, QKeySequence::Open},
        {cmd::Save, QKeySequence::Save},
        {cmd::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {cmd::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {cmd::Undo, QKeySequence::Undo},
        {cmd::Cut, QKeySequence::Cut},
        {cmd::Copy, QKeySequence::Copy},
        {cmd::Paste, QKeySequence::Paste},
        {cmd::Find, QKeySequence::Find},
        {cmd::FindNext, QKeySequence(Qt::Key_F3)},
        {cmd::FindPrevious, QKeySequence(Qt::SHIFT | Qt::Key_F3)},
        {cmd::MarkWorn, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W)},
        {cmd::MarkConsumable, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
    };
    for (const auto& [id, keys] : shortcuts) {
        actions_.value(id)->setShortcut(keys);
    }

    // Undo and Redo follow the stack: on when there is a step, named after it.
    QAction* undo = actions_.value(cmd::Undo);
    QAction* redo = actions_.value(cmd::Redo);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&undoStack_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&undoStack_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&undoStack_, &QUndoStack::undoTextChanged, undo, [undo](const QString& step) {
        undo->setText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(step));
    });
    connect(&undoStack_, &QUndoStack::redoTextChanged, redo, [redo](const QString& step) {
        redo->setText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(step));
    });

    model_->setCheckHandler([this](int row, bool checked) { perform(checkEdit(row, checked)); });
    model_->setPerformer(performer());
    list_ = new GearListView(this);
    list_->setObjectName(QString::number(ctl::List));
    list_->setModel(model_.get());
    connect(list_, &GearListView::cellClicked, this, [this](int row, int column) {
        if (column == kItemColumn) {
            toggleGroupRow(row);
        }
    });
    connect(list_, &GearListView::rowDoubleClicked, this, [this](int row, int column) {
        // On a group row's Item cell the double click is the toggle's second click.
        if (row >= 0 && row < document_.rowCount() &&
            !(column == kItemColumn && document_.row(row).isGroupRow()) &&
            !document_.hideViewActive()) {
            cmModify();
        }
    });
    connect(list_, &GearListView::rowContextMenu, this, [this](int row, const QPoint& at) {
        if (row < 0 || row >= document_.rowCount()) {
            return;
        }
        updateCommandEnablers();
        QMenu menu(this);
        if (document_.row(row).isMemberRow()) {
            // The command acts on the first selected row: the one clicked.
            selectRow(row);
            enable(actions_.value(cmd::RemoveFromGroup), !document_.hideViewActive());
            menu.addAction(actions_.value(cmd::RemoveFromGroup));
            menu.addSeparator();
        }
        for (int id : {cmd::Cut, cmd::Copy, cmd::Paste}) {
            menu.addAction(actions_.value(id));
        }
        menu.exec(at);
    });
    connect(list_, &GearListView::deleteRequested, this, &TMiravo99DlgClient::cmDelete);
    rowDrag_ = new GearRowDrag(
        list_, [this](int row) { return canDragRow(document_, row); },
        [this](int source, int target) { dropRow(source, target); });
    connect(list_->header(), &QHeaderView::sectionClicked, this, &TMiravo99DlgClient::sortByColumn);
    // The enablers follow every change, so that shortcuts are right without a menu opening;
    // one update per burst of changes.
    enablerTimer_.setSingleShot(true);
    enablerTimer_.setInterval(0);
    connect(&enablerTimer_, &QTimer::timeout, this, &TMiravo99DlgClient::updateCommandEnablers);
    const auto later = [this] { enablerTimer_.start(); };
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this, later);
    connect(model_.get(), &QAbstractItemModel::rowsRemoved, this, later);
    connect(model_.get(), &QAbstractItemModel::modelReset, this, later);
    connect(model_.get(), &QAbstractItemModel::dataChanged, this, later);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, later);
    connect(model_.get(), &GearListModel::selectedTotalChanged, this,
            &TMiravo99DlgClient::onTotalChanged);
    // Every change of rows, marks and mark columns reaches the list model: the summary follows it
    // at once, and the recovery copy a while later (sorting and expanding cost that copy nothing
    // but a write).
    const auto changed = [this] {
        updateSummary();
        recovery_->edited();
    };
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
          &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved}) {
        connect(model_.get(), signal, this, changed);
    }
    // Undo and redo reach changes (a rename, a Convert) that move no row.
    connect(&undoStack_, &QUndoStack::indexChanged, this, changed);
    connect(model_.get(), &QAbstractItemModel::modelReset, this, changed);
    connect(model_.get(), &QAbstractItemModel::dataChanged, this, changed);
    connect(model_.get(), &QAbstractItemModel::headerDataChanged, this, changed);

    struct ButtonEntry {
        int id;
        const char* text;
        const char* icon;
        Handler handler;
    };
    // The menu bar has Alt+C (Configure) and Alt+E (Entry): those two buttons take other letters.
    static constexpr ButtonEntry kButtons[] = {
        {ctl::Close, "Close", ":/icons/close.svg", &C::closeWindow},
        {ctl::Add, "&Add...", ":/icons/add.svg", &C::cmAdd},
        {ctl::Delete, "&Delete", ":/icons/delete.svg", &C::cmDelete},
        {ctl::Modify, "&Modify...", ":/icons/modify.svg", &C::cmModify},
        {ctl::Configure, "Confi&gure...", ":/icons/configure.svg", &C::cmGeneralOptions},
        {ctl::Totals, "&Totals...", ":/icons/totals.svg", &C::cmTotals},
        {ctl::Print, "&Print...", ":/icons/print.svg", &C::cmPrint},
        {ctl::Export, "E&xport to...", ":/icons/export.svg", &C::cmExport},
        {ctl::Convert, "Convert...", ":/icons/convert.svg", &C::cmConvert},
        {ctl::ClearSelected, "Clear &Selected", ":/icons/clear-selected.svg", &C::cmClearSelected},
    };
    for (const ButtonEntry& entry : kButtons) {
        makeButton(entry.id, tr(entry.text), QString::fromLatin1(entry.icon), entry.handler)
            ->setMinimumWidth(120);
    }

    totalLabel_ = new QLabel(tr("Totals:"), this);
    totalLabel_->setObjectName(QString::number(ctl::TotalLabel));
    totalText_ = new QLabel(QString::fromLatin1(document_.totalText()), this);
    totalText_->setObjectName(QString::number(ctl::TotalText));
    QFont bold = totalText_->font();
    bold.setBold(true);
    totalText_->setFont(bold);
    totalLabel_->setFont(bold);
    hideNonSelectedBox_ = new QCheckBox(tr("Hide Non-Selected Items"), this);
    hideNonSelectedBox_->setObjectName(QString::number(ctl::HideNonSelected));
    connect(hideNonSelectedBox_, &QCheckBox::clicked, this,
            &TMiravo99DlgClient::setHideNonSelected);

    // The list grows with the window; the buttons keep to the right, the totals to the bottom.
    constexpr int kColumn[] = {ctl::Add,    ctl::Delete, ctl::Modify, ctl::Configure,
                               ctl::Totals, ctl::Print,  ctl::Export, ctl::Convert};
    auto* buttons = new QVBoxLayout;
    for (int id : kColumn) {
        buttons->addWidget(buttons_.value(id));
    }
    buttons->addStretch(1);
    buttons->addWidget(buttons_.value(ctl::Close));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(totalLabel_);
    bottom->addWidget(totalText_);
    bottom->addStretch(1);
    bottom->addWidget(hideNonSelectedBox_);
    bottom->addSpacing(12);
    bottom->addWidget(buttons_.value(ctl::ClearSelected));

    // Keyboard users start in the list, then go down the buttons.
    QWidget* previous = list_;
    const auto tabTo = [&previous](QWidget* w) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (int id : kColumn) {
        tabTo(buttons_.value(id));
    }
    tabTo(buttons_.value(ctl::Close));
    tabTo(hideNonSelectedBox_);
    tabTo(buttons_.value(ctl::ClearSelected));
    setFocusProxy(list_);

    findBar_ = new FindBar(this);
    findBar_->hide();
    connect(findBar_, &FindBar::findRequested, this, &TMiravo99DlgClient::findNext);
    connect(findBar_, &FindBar::closed, list_, [this] { list_->setFocus(); });
    summary_ = new SummaryLine(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(list_, 0, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    grid->addWidget(findBar_, 1, 0);
    grid->addLayout(bottom, 2, 0, 1, 2);
    grid->addWidget(summary_, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    setLayout(grid);
}

void TMiravo99DlgClient::setupWindow() {
    if (env_.namedDocument) {
        openChosenDocument(*env_.namedDocument);
        return;
    }
    setCaption();
    if (!settingsExisted_) {
        IniFile ini;
        (void)ini.load(settingsFile_);
        migrateSettings(*env_.settingsRegistry, ini, settings_, [this] {
            TWeightDisplayDialg dialog(window());
            env_.runDialog(dialog);
            return dialog.metricChosen();
        });
        if (const auto ec = ini.save(settingsFile_)) {
            prompts_.showMessage(writeErrorMessage(ec.message()));
        }
        settingsExisted_ = true;
    }
    readSettingsAndDocument();
    offerRecoveryCopy();
    refreshButtons();
    columns_->applyPlacement(*window());
}

void TMiravo99DlgClient::setCaption() {
    emit captionChanged(caption());
}

QString TMiravo99DlgClient::caption() const {
    return QStringLiteral("Varnel - ") + toQString(documentName());
}

QString TMiravo99DlgClient::totalText() const {
    return totalText_->text();
}

void TMiravo99DlgClient::readSettingsAndDocument() {
    const std::vector<UserMessage> messages = session_.read();
    columns_->applyColumns();
    for (const UserMessage& message : messages) {
        prompts_.showMessage(message);
    }
    onTotalChanged();
    recovery_->clean();
}

std::filesystem::path TMiravo99DlgClient::recoveryPath() const {
    return recoveryDocumentPath(session_.writeTarget(), env_.currentFolder);
}

std::optional<RecoveryFile> TMiravo99DlgClient::beginRecoveryCopy() {
    // A hide view holds part of the list; a handheld list is saved to another file.
    if (document_.hideViewActive() || document_.handheldDocument) {
        return std::nullopt;
    }
    collectSettings();
    return RecoveryFile::begin(recoveryPath(), document_, settings_);
}

void TMiravo99DlgClient::offerRecoveryCopy() {
    const auto copy = recovery_->offer(recoveryPath(), prompts_);
    if (!copy) {
        return;
    }
    session_.resetDocument();
    const FileOutcome outcome = copy->restoreInto(document_, settings_);
    columns_->applyColumns();
    if (const auto message = outcome.message()) {
        prompts_.showMessage(*message);
    }
    onTotalChanged();
    // The copy stays until the document is saved: it still holds these edits.
    recovery_->clean();
}

void TMiravo99DlgClient::writeRecoveryNow() {
    recovery_->writeNow();
}

void TMiravo99DlgClient::discardRecoveryCopy() {
    recovery_->discard(recoveryPath());
}

void TMiravo99DlgClient::collectSettings() {
    columns_->collectSettings(*window());
}

void TMiravo99DlgClient::documentSaved() {
    // The edits no longer need the copy, under the old name or the new.
    recovery_->discard(recoveryPath());
}

bool TMiravo99DlgClient::refuseWhileHidden(std::string_view doing) {
    const auto refusal = hideViewRefusal(document_, doing);
    if (refusal) {
        prompts_.showMessage(*refusal);
    }
    return refusal.has_value();
}

bool TMiravo99DlgClient::canClose() {
    return !refuseWhileHidden("closing");
}

bool TMiravo99DlgClient::writeOnExit() {
    return session_.writeOnExit();
}

HandheldCommandContext TMiravo99DlgClient::handheldContext() {
    return {document_, prompts_, env_.hotSyncRegistry, env_.currentFolder};
}

std::filesystem::path TMiravo99DlgClient::handheldFile(bool& asked) {
    HandheldCommandContext context = handheldContext();
    return FindHotSyncFile(context, &asked);
}

std::filesystem::path TMiravo99DlgClient::askHandheldFolder() {
    HandheldCommandContext context = handheldContext();
    return AskHotSyncFolder(context);
}

bool TMiravo99DlgClient::writeHandheld(const std::filesystem::path& file) {
    HandheldCommandContext context = handheldContext();
    return writeHandheldFileTo(context, file);
}

void TMiravo99DlgClient::cmSaveForHandheld() {
    if (!document_.handheldDocument || refuseWhileHidden("saving")) {
        return;
    }
    HandheldCommandContext context = handheldContext();
    if (handheldSaveConfirmed(context)) {
        session_.saveForHandheld();
    }
}

void TMiravo99DlgClient::leaveHideViews() {
    if (document_.hideNonSelected) {
        setHideNonSelected(false);
    }
    if (document_.hideSelected) {
        cmHideSelected();
    }
}

void TMiravo99DlgClient::cmNew() {
    leaveHideViews();
    discardRecoveryCopy();
    session_.newDocument();
    setCaption();
    onTotalChanged();
    refreshButtons();
    recovery_->clean();
}

void TMiravo99DlgClient::openDocument(const std::filesystem::path& name) {
    session_.resetDocument();
    session_.setDocumentName(name);
    readSettingsAndDocument();
    offerRecoveryCopy();
    setCaption();
    columns_->applyPlacement(*window());
    refreshButtons();
}

void TMiravo99DlgClient::cmOpen() {
    const auto chosen = prompts_.openFileName(QStringLiteral("Open a Gear Weight Data File"),
                                              QString::fromLatin1(kFileFilter));
    if (!chosen) {
        return;
    }
    const std::filesystem::path name = toPath(*chosen);
    std::error_code ec;
    if (!std::filesystem::exists(name, ec)) {
        prompts_.message(*chosen, QStringLiteral("File Does Not Exist!"), MessageIcon::Exclamation,
                         PromptButtons::Ok);
        return;
    }
    // The whole document, not the part a hide view shows, is what gets saved and replaced.
    leaveHideViews();
    if (!session_.saveBeforeOpening(chosen->toStdString())) {
        return; // not saved: the document stays open
    }
    discardRecoveryCopy();
    openChosenDocument(name);
}

void TMiravo99DlgClient::openChosenDocument(const std::filesystem::path& name) {
    {
        WaitCursor wait(prompts_);
        openDocument(name);
    }
    session_.addRecentFile();
}

void TMiravo99DlgClient::cmSave() {
    if (refuseWhileHidden("saving")) {
        return;
    }
    session_.save();
}

void TMiravo99DlgClient::cmSaveAs() {
    if (document_.handheldDocument) {
        return; // the list would go to the HotSync folder and the window read back nothing
    }
    if (refuseWhileHidden("saving")) {
        return;
    }
    const auto chosen = prompts_.saveFileName(QStringLiteral("Save Current Configuration As..."),
                                              QString::fromLatin1(kFileFilter));
    if (!chosen) {
        return;
    }
    // Nothing changes until the list is written: a failed write leaves the document, its name
    // and the last-file entry as they were.
    if (!session_.saveAs(toPath(*chosen))) {
        return;
    }
    setCaption();
    {
        // Reading back shows exactly what was written.
        WaitCursor wait(prompts_);
        session_.resetDocument();
        readSettingsAndDocument();
    }
    refreshButtons();
    session_.addRecentFile();
}

void TMiravo99DlgClient::openRecentFile(const QString& name) {
    leaveHideViews();
    if (!session_.saveBeforeOpening(std::nullopt)) {
        return;
    }
    discardRecoveryCopy();
    openDocument(toPath(name));
    session_.addRecentFile();
}

void TMiravo99DlgClient::cmSelectAll() {
    perform(selectAllEdit());
}

void TMiravo99DlgClient::cmClearSelected() {
    perform(clearSelectedEdit());
}

void TMiravo99DlgClient::cmHideNonSelected() {
    hideNonSelectedBox_->setChecked(!document_.hideNonSelected);
    setHideNonSelected(hideNonSelectedBox_->isChecked());
}

void TMiravo99DlgClient::setHideNonSelected(bool hide) {
    hideNonSelectedBox_->setChecked(hide);
    if (hide == document_.hideNonSelected || (hide && document_.hideSelected)) {
        return;
    }
    if (hide) {
        actions_.value(cmd::HideNonSelected)->setText(tr("Show &Non-Selected"));
        recovery_->takeAtOnce(); // while the whole list is there
        document_.enterHideView(false);
    } else {
        actions_.value(cmd::HideNonSelected)->setText(tr("Hide &Non-Selected"));
        WaitCursor wait(prompts_);
        document_.leaveHideView();
    }
    afterHideViewChange();
}

void TMiravo99DlgClient::afterHideViewChange() {
    // A hide view reloads the list, so the buttons follow as after every load.
    refreshButtons();
    updateSortIndicator();
}

void TMiravo99DlgClient::cmHideSelected() {
    QAction* a = actions_.value(cmd::HideSelected);
    if (!document_.hideSelected) {
        a->setText(tr("S&how Selected"));
        WaitCursor wait(prompts_);
        recovery_->takeAtOnce(); // while the whole list is there
        document_.enterHideView(true);
    } else {
        a->setText(tr("&Hide Selected"));
        document_.leaveHideView();
    }
    afterHideViewChange();
}

void TMiravo99DlgClient::cmExpandAll() {
    document_.expandAll();
}

void TMiravo99DlgClient::cmCollapseAll() {
    document_.collapseAll();
}

void TMiravo99DlgClient::toggleGroupRow(int row) {
    if (row >= 0 && row < document_.rowCount() && document_.row(row).isGroupRow()) {
        document_.toggleGroup(row);
    }
}

void TMiravo99DlgClient::sortByColumn(int column) {
    if (!isSortColumn(column)) {
        return;
    }
    {
        NamedSemaphore::Guard lock(displayLock_);
        document_.sortByColumn(column);
    }
    refreshButtons();
    sortColumn_ = column;
    updateSortIndicator();
}

void TMiravo99DlgClient::updateSortIndicator() {
    QHeaderView* header = list_->header();
    if (sortColumn_ < 0 || sortColumn_ >= model_->columnCount() ||
        (sortColumn_ != kCategoryColumn && !document_.sortedView)) {
        header->setSortIndicatorShown(false);
        return;
    }
    // The category sort is always ascending whatever its flag says.
    const bool up = sortColumn_ == kCategoryColumn ||
                    document_.sortAscending[static_cast<std::size_t>(sortColumn_)];
    header->setSortIndicator(sortColumn_, up ? Qt::AscendingOrder : Qt::DescendingOrder);
    header->setSortIndicatorShown(true);
}

void TMiravo99DlgClient::cmTotals() {
    const MarkColumns& marks = model_->markColumns();
    const CategoryTotals totals = categoryTotals(document_, marks);
    std::vector<std::string> lines = totalsDialogLines(totals, document_.metric);
    if (const auto goal = goalValue(settings_.baseGoal); goal || marks.any()) {
        lines.emplace_back(kTotalsRule);
        for (std::string& line : summaryLines(gearSummary(totals), goal, document_.metric, true)) {
            lines.push_back(std::move(line));
        }
    }
    totalsXfer_.fill(lines);
    TTotalsDlg dialog(totalsXfer_.strings, weightChart(totals, document_.metric), this);
    env_.runDialog(dialog);
    totalsXfer_.clear();
}

QString TMiravo99DlgClient::totalsTooltip() const {
    QString text =
        Cp1252::toUnicode(totalsTooltipText(categoryTotals(document_), document_.metric));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void TMiravo99DlgClient::cmConvert() {
    if (refuseWhileHidden("converting")) {
        return;
    }
    perform(convertEdit());
    // With nothing checked no row rewrites the text, which keeps the form Convert gives it.
    if (document_.metric && document_.selectedTotal() == 0.0F) {
        totalText_->setText(QStringLiteral("0.00 gm. (0.00 kgs)"));
    }
}

PrintCommandContext TMiravo99DlgClient::printContext() {
    return PrintCommandContext{document_, *model_, settings_, prompts_, env_.runDialog, this};
}

void TMiravo99DlgClient::cmPrint() {
    printCommand(printContext());
}

void TMiravo99DlgClient::cmAbout() {
    AboutDialog dialog(this);
    env_.runDialog(dialog);
}

void TMiravo99DlgClient::cmGeneralOptions() {
    configureXfer_ = {settings_.totalCats, settings_.totalAll, settings_.printNotes};
    TConfigureDialog dialog(configureXfer_,
                            {settings_.backColor, settings_.altColor, settings_.groupColor},
                            &settings_.font, settings_.fontSize, prompts_, this);
    if (!dialog.setupWindow() || env_.runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    settings_.totalCats = configureXfer_.totalEachCategory;
    settings_.totalAll = configureXfer_.showGrandTotal;
    settings_.printNotes = configureXfer_.printNotes;
    settings_.fontSize = dialog.fontSize();
    settings_.font = dialog.fontDescription();
    const ListColors colors = dialog.colors();
    settings_.backColor = colors.background;
    settings_.altColor = colors.alternate;
    settings_.groupColor = colors.group;
    columns_->applyColors();
    recovery_->edited();
}

void TMiravo99DlgClient::cmEmailMe() {
    // As the shell's open verb: no answer is looked at, nothing shows if no mail program takes it.
    (void)env_.openUrl(QUrl(helpMailUrl()));
}

void TMiravo99DlgClient::cmExport() {
    // The files would hold only the part of the list a hide view shows.
    if (refuseWhileHidden("exporting")) {
        return;
    }
    // The headings as the list shows them now.
    ExportHeadings headings;
    for (int c = 0; c < model_->columnCount(); ++c) {
        std::string heading =
            Cp1252::fromUnicode(model_->heading(c)).substr(0, ColumnRecord::kHeadingSize - 1);
        if (c < static_cast<int>(kFixedColumns)) {
            headings.fixed[static_cast<std::size_t>(c)] = std::move(heading);
        } else {
            headings.user.push_back(std::move(heading));
        }
    }
    ExportCommandContext context{document_,
                                 settings_,
                                 prompts_,
                                 env_.runDialog,
                                 env_.currentFolder,
                                 std::move(headings),
                                 exportColours(settings_, currentColorRef),
                                 this};
    exportCommand(context, exportXfer_);
}

void TMiravo99DlgClient::cmPrintPreview() {
    printPreviewCommand(printContext());
}

ItemCommandContext TMiravo99DlgClient::itemContext() {
    return ItemCommandContext{
        document_,
        *model_,
        prompts_,
        env_.runDialog,
        [this](int& addedPosition) { return runCategoriesDialog(&addedPosition); },
        [this] { refreshButtons(); },
        [this](int row) {
            if (row >= 0 && row < document_.rowCount()) {
                list_->scrollTo(model_->index(row, 0));
            }
        },
        this,
        performer()};
}

std::vector<int> TMiravo99DlgClient::selectedRows() const {
    return varnel::selectedRows(*list_);
}

void TMiravo99DlgClient::selectRow(int row) {
    varnel::selectRow(*list_, *model_, row);
}

void TMiravo99DlgClient::cmImportLighterPack() {
    if (importLighterPack(*model_, prompts_, performer()) > 0) {
        refreshButtons();
    }
}

void TMiravo99DlgClient::cmAdd() {
    if (document_.hideViewActive()) {
        return;
    }
    ItemCommandContext context = itemContext();
    const int row = addCommand(context, pubInfoXfer_);
    refreshButtons();
    if (row >= 0) {
        list_->scrollTo(model_->index(row, 0));
    }
}

void TMiravo99DlgClient::cmModify() {
    if (document_.hideViewActive()) {
        return;
    }
    ItemCommandContext context = itemContext();
    const int row = modifyCommand(context, pubInfoXfer_, selectedRows());
    refreshButtons();
    if (row >= 0) {
        list_->scrollTo(model_->index(row, 0));
    }
}

void TMiravo99DlgClient::cmDelete() {
    if (document_.hideViewActive()) {
        return;
    }
    ItemCommandContext context = itemContext();
    selectRow(deleteCommand(context, selectedRows()));
    refreshButtons();
}

void TMiravo99DlgClient::cmCopy() {
    copyRowsToClipboard(*model_, selectedRows());
}

void TMiravo99DlgClient::cmCut() {
    if (refuseWhileHidden("cutting")) {
        return;
    }
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        return;
    }
    selectRow(cutRowsToClipboard(*model_, rows, performer()));
    refreshButtons();
}

void TMiravo99DlgClient::cmPaste() {
    if (refuseWhileHidden("pasting")) {
        return;
    }
    const std::vector<int> rows =
        pasteFromClipboard(*model_, prompts_, QApplication::clipboard()->mimeData(), performer());
    refreshButtons();
    selectRows(rows);
}

void TMiravo99DlgClient::selectRows(const std::vector<int>& rows) {
    varnel::selectRows(*list_, *model_, rows);
}

void TMiravo99DlgClient::cmFind() {
    findBar_->open();
}

void TMiravo99DlgClient::findNext(bool forward, bool fromCurrent) {
    findNextCommand({*model_, *list_, *findBar_, [this](int row) { toggleGroupRow(row); }}, forward,
                    fromCurrent);
}

void TMiravo99DlgClient::dropRow(int source, int target) {
    GroupCommandContext context{document_, prompts_, env_.runDialog, this, performer()};
    const int row = dropCommand(context, groupNameBuffer_, source, target);
    refreshButtons();
    if (row >= 0) {
        list_->scrollTo(model_->index(row, 0));
    }
}

void TMiravo99DlgClient::cmRemoveFromGroup() {
    removeFromGroupCommand(document_, selectedRows(), performer());
    refreshButtons();
}

bool TMiravo99DlgClient::runCategoriesDialog(int* addedPosition) {
    const int stepsBefore = undoStack_.index();
    TConfigureCategoriesDlg dialog(
        document_, prompts_, [this] { sortByColumn(kCategoryColumn); }, addedPosition, this,
        performer());
    if (env_.runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    const DocumentEdit::Action rebuild = [](GearDocument& doc, DocumentSettings&) {
        rebuildCategoryChoices(doc);
        return 0;
    };
    // The item dialog's choices follow the dialog's last change, and go back with it.
    if (undoStack_.index() > stepsBefore && undoStack_.index() == undoStack_.count()) {
        // The stack hands its commands out read-only; this one is ours and stays on it.
        const auto* last =
            static_cast<const EditCommand*>(undoStack_.command(undoStack_.index() - 1));
        const_cast<EditCommand*>(last)->edit().extend(document_, settings_, rebuild);
    } else {
        perform(DocumentEdit("Categories", rebuild));
    }
    return true;
}

void TMiravo99DlgClient::cmCategories() {
    runCategoriesDialog(nullptr);
}

void TMiravo99DlgClient::cmAddColumn() {
    if (addNewColumnEnabled(document_)) {
        addNewColumn(addColumnXfer_, *model_, *list_, env_.runDialog, this, performer());
    }
}

void TMiravo99DlgClient::cmDeleteColumn() {
    if (deleteColumnEnabled(document_)) {
        deleteColumns(deleteColumnsXfer_, *model_, prompts_, env_.runDialog, this, performer());
    }
}

void TMiravo99DlgClient::cmModifyColumn() {
    modifyColumn(modifyColumnXfer_, *model_, env_.runDialog, this, performer());
}

EditPerformer TMiravo99DlgClient::performer() {
    return [this](DocumentEdit edit) { return perform(std::move(edit)); };
}

int TMiravo99DlgClient::perform(DocumentEdit edit) {
    lastResult_ = -1;
    // The stack runs it at once; one that changed nothing does not stay.
    undoStack_.push(
        new EditCommand(std::move(edit), [this](DocumentEdit& e, EditCommand::Step step) {
            return runEdit(e, step);
        }));
    return lastResult_;
}

bool TMiravo99DlgClient::runEdit(DocumentEdit& edit, EditCommand::Step step) {
    if (edit.touchesColumns()) {
        collectSettings();
    }
    bool keep = true;
    if (step == EditCommand::Step::Undo) {
        edit.revert(document_, settings_);
    } else {
        keep = edit.apply(document_, settings_);
    }
    if (step == EditCommand::Step::First) {
        lastResult_ = edit.result();
        keep = keep && !(document_.hideViewActive() && edit.changesRows());
    }
    if (edit.touchesColumns()) {
        columns_->applyColumns();
    }
    updateSortIndicator();
    refreshButtons();
    return keep;
}

void TMiravo99DlgClient::cmUndo() {
    if (!undoStack_.canUndo() || refuseWhileHidden("undoing")) {
        return;
    }
    const auto* step = static_cast<const EditCommand*>(undoStack_.command(undoStack_.index() - 1));
    if (const auto why = step->edit().refusal(document_, true)) {
        prompts_.showMessage(*why);
        return;
    }
    undoStack_.undo();
    selectRows(step->edit().shownRows());
}

void TMiravo99DlgClient::cmRedo() {
    if (!undoStack_.canRedo() || refuseWhileHidden("redoing")) {
        return;
    }
    const auto* step = static_cast<const EditCommand*>(undoStack_.command(undoStack_.index()));
    if (const auto why = step->edit().refusal(document_, false)) {
        prompts_.showMessage(*why);
        return;
    }
    undoStack_.redo();
    selectRows(step->edit().shownRows());
}

void TMiravo99DlgClient::updateSummary() {
    if (summary_) {
        summary_->update(*model_, settings_.baseGoal);
    }
}

void TMiravo99DlgClient::toggleMarkOfSelection(GearMark mark) {
    const std::vector<int> rows = selectedRows();
    if (!rows.empty()) {
        // One step with the column it may add; the window's headings are what the step keeps.
        perform(DocumentEdit(
            "Mark",
            [this, row = rows.front(), mark](GearDocument&, DocumentSettings&) {
                const bool marked = toggleMark(*model_, *list_, prompts_, row, mark);
                collectSettings();
                return marked ? 1 : 0;
            },
            true));
    }
}

void TMiravo99DlgClient::cmMarkWorn() {
    toggleMarkOfSelection(GearMark::Worn);
}

void TMiravo99DlgClient::cmMarkConsumable() {
    toggleMarkOfSelection(GearMark::Consumable);
}

void TMiravo99DlgClient::cmBaseGoal() {
    if (askBaseGoal(settings_, document_.metric, prompts_)) {
        updateSummary();
    }
}

void TMiravo99DlgClient::onTotalChanged() {
    updateSummary();
    totalText_->setText(QString::fromLatin1(document_.totalText()));
    const bool some = document_.selectedTotal() >= 0.00001F;
    enable(buttons_.value(ctl::ClearSelected), some);
    // While the view hides unchecked rows, the box stays the way out even with nothing checked.
    hideNonSelectedBox_->setEnabled((some && !document_.hideSelected) || document_.hideNonSelected);
}

void TMiravo99DlgClient::enable(QAction* action, bool enabled) {
    if (action) {
        action->setEnabled(enabled);
    }
}

void TMiravo99DlgClient::enable(QWidget* widget, bool enabled) {
    if (widget) {
        widget->setEnabled(enabled);
    }
}

void TMiravo99DlgClient::refreshButtons() {
    const bool rows = document_.rowCount() > 0;
    // Add and Modify are off in a sorted view and in a hide view, whatever refreshes them.
    const bool editable = !document_.hideViewActive() && !document_.sortedView;
    const std::pair<int, bool> rules[] = {
        {ctl::Add, editable},
        {ctl::Delete, rows && !document_.hideViewActive()},
        {ctl::Modify, rows && editable},
        {ctl::Print, rows},
        {ctl::Totals, rows},
        {ctl::Export, rows},
        {ctl::Convert, rows && !document_.handheldDocument},
    };
    for (const auto& [id, enabled] : rules) {
        enable(buttons_.value(id), enabled);
    }
    onTotalChanged();
    enablerTimer_.start();
}

void TMiravo99DlgClient::updateCommandEnablers() {
    const bool rows = document_.rowCount() > 0;
    const bool selection = list_->selectionModel() && list_->selectionModel()->hasSelection();
    const bool hidden = document_.hideViewActive();
    const bool clearEnabled = buttons_.value(ctl::ClearSelected)->isEnabled();
    const bool groups = !document_.handheldDocument && document_.hasGroupRow();
    const std::pair<int, bool> rules[] = {
        {cmd::Delete, selection && !hidden},
        {cmd::Modify, selection && !hidden},
        {cmd::Add, !hidden},
        // Cut and Paste stay on in a hide view, so that the keys are told why they are refused.
        {cmd::Cut, selection},
        {cmd::Copy, selection},
        {cmd::Paste, true},
        {cmd::FindNext, rows},
        {cmd::FindPrevious, rows},
        {cmd::MarkWorn, selection},
        {cmd::MarkConsumable, selection},
        {cmd::ClearSelected, clearEnabled},
        {cmd::HideSelected, document_.hideSelected || (clearEnabled && !document_.hideNonSelected)},
        {cmd::HideNonSelected, hideNonSelectedBox_->isEnabled()},
        {cmd::SelectAll, document_.hasUncheckedRow()},
        {cmd::ExpandAll, groups},
        {cmd::CollapseAll, groups},
        {cmd::Save, !document_.handheldDocument && rows},
        {cmd::SaveAs, !document_.handheldDocument && rows},
        {cmd::SaveForHandheld, document_.handheldDocument},
        {cmd::Export, rows},
        {cmd::ImportLighterPack, importLighterPackEnabled(document_)},
        {cmd::Print, rows},
        {cmd::PrintPreview, rows},
        {cmd::AddColumn, addNewColumnEnabled(document_)},
        {cmd::DeleteColumn, deleteColumnEnabled(document_)},
        {cmd::ModifyColumn, modifyColumnEnabled(document_)},
    };
    for (const auto& [id, enabled] : rules) {
        enable(actions_.value(id), enabled);
    }
}

bool TMiravo99DlgClient::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QRect area(0, height() - kTooltipHeight, kTooltipWidth, kTooltipHeight);
        if (area.contains(help->pos())) {
            QToolTip::showText(help->globalPos(), totalsTooltip(), this, area);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(e);
}

} // namespace varnel
