#include "app/TMiravo99DlgClient.h"

#include "app/ClientLayout.h"
#include "app/ClipboardCommands.h"
#include "app/ColumnCommands.h"
#include "app/ColumnLayout.h"
#include "app/CommandIds.h"
#include "app/CommandRules.h"
#include "app/ExportCommand.h"
#include "app/FindBar.h"
#include "app/FindCommand.h"
#include "app/GearListView.h"
#include "app/GearRowDrag.h"
#include "app/GroupCommands.h"
#include "app/ItemCommands.h"
#include "app/LighterPackCommand.h"
#include "app/ListSelection.h"
#include "app/ListViews.h"
#include "app/PrintCommand.h"
#include "app/RecoveryKeeper.h"
#include "app/SummaryCommands.h"
#include "app/TWeightDisplayDialg.h"
#include "config/AboutDialog.h"
#include "config/TConfigureCategoriesDlg.h"
#include "config/TConfigureDialog.h"
#include "model/CategoryEditing.h"
#include "model/DocumentEdits.h"
#include "model/GroupEditing.h"
#include "model/HideViewRefusal.h"
#include "platform/ColorRef.h"
#include "ui/WindowTitle.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QFont>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolTip>

#include <utility>

namespace varnel {

namespace {

constexpr int kTooltipWidth = 150;
constexpr int kTooltipHeight = 40;
constexpr int kCategoryColumn = columnNumber(ColumnIndex::Category);
constexpr int kItemColumn = columnNumber(ColumnIndex::Item);

QString toQString(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

} // namespace

TMiravo99DlgClient::TMiravo99DlgClient(ClientEnvironment environment, QWidget* parent)
    : QWidget(parent), env_(std::move(environment)), prompts_(*env_.prompts),
      files_(env_.files.value_or(FileLocations::inCurrentFolder(env_.currentFolder))),
      appSettings_(files_),
      fileCommands_(*this, env_, document_, settings_, appSettings_, files_, this),
      history_(document_, settings_, prompts_,
               {[this] { collectColumns(); }, [this] { columns_->applyColumns(); },
                [this] {
                    updateSortIndicator();
                    refreshButtons();
                },
                [this](const std::vector<int>& rows) { selectRows(rows); }}) {
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
    model_ = std::make_unique<GearListModel>(document_);
    model_->setDisplayLock(&displayLock_);
    model_->setColors(settings_.backColor, settings_.altColor, settings_.groupColor);
    createControls();
    columns_ = std::make_unique<ColumnLayout>(*model_, *list_, settings_);
}

TMiravo99DlgClient::~TMiravo99DlgClient() {
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
    createActions();
    createList();
    createFooter();
    followChanges();
    views_ = std::make_unique<ListViews>(document_, *model_, displayLock_, prompts_,
                                         fileCommands_.recovery(),
                                         ListViews::Controls{*list_->header(), *hideNonSelectedBox_,
                                                             *actions_.value(cmd::HideNonSelected),
                                                             *actions_.value(cmd::HideSelected)},
                                         [this] { refreshButtons(); });
    layOutClient(*this, {list_, findBar_, summary_, totalLabel_, totalText_, hideNonSelectedBox_,
                         [this](int id) { return buttons_.value(id); }});
}

void TMiravo99DlgClient::createActions() {
    for (const ActionEntry& entry : actionTable()) {
        QAction* a = makeAction(entry.id, tr(entry.text), tr(entry.tip));
        if (entry.handler != nullptr) {
            connect(a, &QAction::triggered, this, entry.handler);
        }
    }
    for (const auto& [id, keys] : shortcutTable()) {
        actions_.value(id)->setShortcut(keys);
    }

    actions_.value(cmd::Redo)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    history_.follow(*actions_.value(cmd::Undo), *actions_.value(cmd::Redo));
}

void TMiravo99DlgClient::createList() {
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
    connect(list_, &GearListView::rowDoubleClicked, this, &TMiravo99DlgClient::rowDoubleClicked);
    connect(list_, &GearListView::rowContextMenu, this, &TMiravo99DlgClient::showRowMenu);
    connect(list_, &GearListView::deleteRequested, this, &TMiravo99DlgClient::cmDelete);
    rowDrag_ = new GearRowDrag(
        list_, [this](int row) { return canDragRow(document_, row); },
        [this](int source, int target) { dropRow(source, target); });
    connect(list_->header(), &QHeaderView::sectionClicked, this, &TMiravo99DlgClient::sortByColumn);
}

void TMiravo99DlgClient::followChanges() {
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
        fileCommands_.recovery().edited();
    };
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
          &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved}) {
        connect(model_.get(), signal, this, changed);
    }
    // Undo and redo reach changes (a rename, a Convert) that move no row.
    connect(&history_, &UndoHistory::stepped, this, changed);
    connect(model_.get(), &QAbstractItemModel::modelReset, this, changed);
    connect(model_.get(), &QAbstractItemModel::dataChanged, this, changed);
    connect(model_.get(), &QAbstractItemModel::headerDataChanged, this, changed);
}

void TMiravo99DlgClient::createFooter() {
    for (const ButtonEntry& entry : buttonTable()) {
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

    findBar_ = new FindBar(this);
    findBar_->hide();
    connect(findBar_, &FindBar::findRequested, this, &TMiravo99DlgClient::findNext);
    connect(findBar_, &FindBar::closed, list_, [this] { list_->setFocus(); });
    summary_ = new SummaryLine(this);
}

void TMiravo99DlgClient::rowDoubleClicked(int row, int column) {
    // On a group row's Item cell the double click is the toggle's second click.
    if (row >= 0 && row < document_.rowCount() &&
        !(column == kItemColumn && document_.row(row).isGroupRow()) &&
        !document_.hideViewActive()) {
        cmModify();
    }
}

void TMiravo99DlgClient::showRowMenu(int row, const QPoint& at) {
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

void TMiravo99DlgClient::collectColumns() {
    columns_->collectSettings(*window());
}

void TMiravo99DlgClient::applyColumns() {
    columns_->applyColumns();
}

void TMiravo99DlgClient::applyPlacement() {
    columns_->applyPlacement(*window());
}

bool TMiravo99DlgClient::askMetric() {
    TWeightDisplayDialg dialog(window());
    env_.runDialog(dialog);
    return dialog.metricChosen();
}

bool TMiravo99DlgClient::refuseWhileHidden(std::string_view doing) {
    return prompts_.refused(hideViewRefusal(document_, doing));
}

void TMiravo99DlgClient::cmSelectAll() {
    perform(selectAllEdit());
}

void TMiravo99DlgClient::cmClearSelected() {
    perform(clearSelectedEdit());
}

void TMiravo99DlgClient::cmHideNonSelected() {
    views_->setHideNonSelected(!document_.hideNonSelected);
}

void TMiravo99DlgClient::cmTotals() {
    showTotals(*model_, settings_.baseGoal, totalsXfer_, env_.runDialog, this);
}

QString TMiravo99DlgClient::totalsTooltip() const {
    return varnel::totalsTooltip(document_);
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
    if (runGeneralOptions(settings_, configureXfer_, prompts_, env_.runDialog, this)) {
        columns_->applyColors();
        fileCommands_.recovery().edited();
    }
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
    ExportCommandContext context{document_,
                                 settings_,
                                 prompts_,
                                 env_.runDialog,
                                 env_.currentFolder,
                                 shownHeadings(*model_),
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

void TMiravo99DlgClient::showChangedRow(int row) {
    refreshButtons();
    if (row >= 0) {
        list_->scrollTo(model_->index(row, 0));
    }
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
    showChangedRow(addCommand(context, pubInfoXfer_));
}

void TMiravo99DlgClient::cmModify() {
    if (document_.hideViewActive()) {
        return;
    }
    ItemCommandContext context = itemContext();
    showChangedRow(modifyCommand(context, pubInfoXfer_, selectedRows()));
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
    showChangedRow(dropCommand(context, groupNameBuffer_, source, target));
}

void TMiravo99DlgClient::cmRemoveFromGroup() {
    removeFromGroupCommand(document_, selectedRows(), performer());
    refreshButtons();
}

bool TMiravo99DlgClient::runCategoriesDialog(int* addedPosition) {
    const int stepsBefore = history_.stack().index();
    TConfigureCategoriesDlg dialog(
        document_, prompts_, [this] { sortByColumn(kCategoryColumn); }, addedPosition, this,
        performer());
    if (env_.runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    // The item dialog's choices follow the dialog's last change, and go back with it.
    history_.extendLastStep(stepsBefore, "Categories", [](GearDocument& doc, DocumentSettings&) {
        rebuildCategoryChoices(doc);
        return 0;
    });
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

void TMiravo99DlgClient::cmUndo() {
    history_.undo();
}

void TMiravo99DlgClient::cmRedo() {
    history_.redo();
}

void TMiravo99DlgClient::updateSummary() {
    if (summary_) {
        summary_->update(*model_, settings_.baseGoal);
    }
}

void TMiravo99DlgClient::toggleMarkOfSelection(GearMark mark) {
    const std::vector<int> rows = selectedRows();
    if (!rows.empty()) {
        perform(toggleMarkEdit(*model_, *list_, prompts_, rows.front(), mark,
                               [this] { collectColumns(); }));
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
    enable(buttons_.value(ctl::ClearSelected), clearSelectedEnabled(document_));
    hideNonSelectedBox_->setEnabled(hideBoxEnabled(document_));
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
    for (const auto& [id, enabled] : buttonRules(document_)) {
        enable(buttons_.value(id), enabled);
    }
    onTotalChanged();
    enablerTimer_.start();
}

void TMiravo99DlgClient::updateCommandEnablers() {
    const ListState state{list_->selectionModel() && list_->selectionModel()->hasSelection(),
                          buttons_.value(ctl::ClearSelected)->isEnabled(),
                          hideNonSelectedBox_->isEnabled()};
    for (const auto& [id, enabled] : menuRules(document_, state)) {
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
