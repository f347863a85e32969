#include "app/TMiravo99DlgClient.h"

#include "app/ColumnCommands.h"
#include "app/CommandIds.h"
#include "app/GearListView.h"
#include "app/GearRowDrag.h"
#include "app/GroupCommands.h"
#include "app/ItemCommands.h"
#include "app/TTotalsDlg.h"
#include "app/TWeightDisplayDialg.h"
#include "config/TConfigureCategoriesDlg.h"
#include "model/CategoryEditing.h"
#include "model/DocumentFiles.h"
#include "model/GroupEditing.h"
#include "model/SettingsMigration.h"
#include "model/StartupFiles.h"
#include "output/CategoryTotals.h"
#include "platform/ColorRef.h"
#include "ui/Cp1252.h"
#include "ui/WaitCursor.h"

#include <QAction>
#include <QCheckBox>
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

namespace varnel {

namespace {

constexpr const char* kFileFilter = "Gear Weight Files (*.dat)|*.dat|Text Files (*.txt)|*.txt|";
constexpr int kTooltipWidth = 150;
constexpr int kTooltipHeight = 40;

QString toQString(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}
std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdString());
}

} // namespace

TMiravo99DlgClient::TMiravo99DlgClient(ClientEnvironment environment, QWidget* parent)
    : QWidget(parent), env_(std::move(environment)), prompts_(*env_.prompts),
      appSettings_(env_.currentFolder) {
    setObjectName(QStringLiteral("TMiravo99DlgClient"));
    if (!env_.runDialog) {
        env_.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    }
    // Choose the settings file and the document from the last one, reading or migrating the
    // three list colours.
    (void)appSettings_.load();
    StartupFiles files = chooseStartupFiles(env_.currentFolder, *env_.settingsRegistry);
    settingsFile_ = files.settingsFile;
    settingsExisted_ = files.settingsExisted;
    documentName_ = files.documentFile;
    settings_.backColor = files.backColor;
    settings_.altColor = files.altColor;
    settings_.groupColor = files.groupColor;

    pending_ = {cmd::Print, cmd::Export, cmd::GeneralOptions, cmd::About, cmd::EmailMe};

    model_ = std::make_unique<GearListModel>(document_);
    model_->setDisplayLock(&displayLock_);
    model_->setColors(settings_.backColor, settings_.altColor, settings_.groupColor);
    createControls();
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
    if (!available(id)) {
        a->setEnabled(false);
    }
    return a;
}

QPushButton* TMiravo99DlgClient::makeButton(int id, const QString& text, const QString& icon,
                                            int command) {
    auto* b = new QPushButton(QIcon(icon), text, this);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    buttons_.insert(id, b);
    if (command != 0 && !available(command)) {
        b->setEnabled(false);
    }
    if (QAction* a = actions_.value(command)) {
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
    }
    return b;
}

void TMiravo99DlgClient::createControls() {
    // Menu commands; the frame places them in its menus.
    connect(makeAction(cmd::New, tr("&New"), tr("Start a new, empty gear list")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmNew);
    connect(makeAction(cmd::Open, tr("&Open..."), tr("Open a gear list file")), &QAction::triggered,
            this, &TMiravo99DlgClient::cmOpen);
    connect(makeAction(cmd::Save, tr("&Save"), tr("Save the gear list")), &QAction::triggered, this,
            &TMiravo99DlgClient::cmSave);
    connect(makeAction(cmd::SaveAs, tr("Save &As..."), tr("Save the gear list under a new name")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmSaveAs);
    makeAction(cmd::Print, tr("&Print..."), tr("Print the gear list"));
    makeAction(cmd::Export, tr("&Export..."), tr("Export the gear list to a file or by mail"));
    makeAction(cmd::Exit, tr("E&xit\tAlt+F4"), tr("Save the gear list and quit"));
    connect(makeAction(cmd::Add, tr("&Add..."), tr("Add gear items")), &QAction::triggered, this,
            &TMiravo99DlgClient::cmAdd);
    connect(makeAction(cmd::Delete, tr("&Delete"), tr("Delete the highlighted items")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmDelete);
    connect(makeAction(cmd::Modify, tr("&Modify..."), tr("Change the highlighted item")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmModify);
    connect(makeAction(cmd::SelectAll, tr("&Select All"), tr("Check every item")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmSelectAll);
    connect(makeAction(cmd::ClearSelected, tr("&Clear Selected"), tr("Uncheck every item")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmClearSelected);
    connect(
        makeAction(cmd::HideSelected, tr("&Hide Selected"), tr("Hide or show the checked items")),
        &QAction::triggered, this, &TMiravo99DlgClient::cmHideSelected);
    connect(makeAction(cmd::HideNonSelected, tr("Hide &Non-Selected"),
                       tr("Hide or show the items that are not checked")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmHideNonSelected);
    connect(makeAction(cmd::ExpandAll, tr("&Expand All Groups"), tr("Show every group's items")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmExpandAll);
    connect(makeAction(cmd::CollapseAll, tr("C&ollapse All Groups"),
                       tr("Fold every group into one row")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmCollapseAll);
    connect(makeAction(cmd::ViewTotals, tr("View &Totals..."),
                       tr("Show the checked weight per category")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmTotals);
    connect(
        makeAction(cmd::Categories, tr("&Categories..."), tr("Add, delete and rename categories")),
        &QAction::triggered, this, &TMiravo99DlgClient::cmCategories);
    makeAction(cmd::GeneralOptions, tr("&General Options..."),
               tr("Colours, printing font and print options"));
    connect(makeAction(cmd::AddColumn, tr("&Add New Column..."), tr("Add a column of your own")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmAddColumn);
    connect(
        makeAction(cmd::DeleteColumn, tr("&Delete Column..."), tr("Delete columns of your own")),
        &QAction::triggered, this, &TMiravo99DlgClient::cmDeleteColumn);
    connect(makeAction(cmd::ModifyColumn, tr("&Modify Column..."),
                       tr("Change a column's heading and alignment")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmModifyColumn);
    makeAction(cmd::About, tr("&About..."), tr("Version and credits"));
    makeAction(cmd::EmailMe, tr("&Email me!"), tr("Write to the author"));
    connect(makeAction(cmd::RemoveFromGroup, tr("&Remove from Group"),
                       tr("Take the item out of its group")),
            &QAction::triggered, this, &TMiravo99DlgClient::cmRemoveFromGroup);

    list_ = new GearListView(this);
    list_->setObjectName(QString::number(ctl::List));
    list_->setModel(model_.get());
    connect(list_, &GearListView::cellClicked, this, [this](int row, int column) {
        if (column == 1) {
            toggleGroupRow(row);
        }
    });
    connect(list_, &GearListView::rowDoubleClicked, this, [this](int row, int column) {
        // On a group row's Item cell the double click is the toggle's second click.
        if (row >= 0 && row < document_.rowCount() &&
            !(column == 1 && document_.row(row).isGroupRow()) && available(cmd::Modify) &&
            !document_.hideViewActive()) {
            cmModify();
        }
    });
    connect(list_, &GearListView::rowContextMenu, this, [this](int row, const QPoint& at) {
        if (row >= 0 && row < document_.rowCount() && document_.row(row).isMemberRow()) {
            // The command acts on the first selected row: the one clicked.
            selectRow(row);
            enable(actions_.value(cmd::RemoveFromGroup), !document_.hideViewActive());
            QMenu menu(this);
            menu.addAction(actions_.value(cmd::RemoveFromGroup));
            menu.exec(at);
        }
    });
    rowDrag_ = new GearRowDrag(
        list_, [this](int row) { return canDragRow(document_, row); },
        [this](int source, int target) { dropRow(source, target); });
    connect(list_->header(), &QHeaderView::sectionClicked, this, &TMiravo99DlgClient::sortByColumn);
    connect(model_.get(), &GearListModel::selectedTotalChanged, this,
            &TMiravo99DlgClient::onTotalChanged);

    auto* close = makeButton(ctl::Close, tr("Close"), QStringLiteral(":/icons/close.svg"), 0);
    connect(close, &QPushButton::clicked, this, [this] { window()->close(); });
    auto* add = makeButton(ctl::Add, tr("&Add..."), QStringLiteral(":/icons/add.svg"), cmd::Add);
    auto* del =
        makeButton(ctl::Delete, tr("&Delete"), QStringLiteral(":/icons/delete.svg"), cmd::Delete);
    auto* modify = makeButton(ctl::Modify, tr("&Modify..."), QStringLiteral(":/icons/modify.svg"),
                              cmd::Modify);
    auto* configure = makeButton(ctl::Configure, tr("&Configure..."),
                                 QStringLiteral(":/icons/configure.svg"), cmd::GeneralOptions);
    auto* totals = makeButton(ctl::Totals, tr("&Totals..."), QStringLiteral(":/icons/totals.svg"),
                              cmd::ViewTotals);
    auto* print =
        makeButton(ctl::Print, tr("&Print..."), QStringLiteral(":/icons/print.svg"), cmd::Print);
    auto* exportButton = makeButton(ctl::Export, tr("&Export to..."),
                                    QStringLiteral(":/icons/export.svg"), cmd::Export);
    auto* convert =
        makeButton(ctl::Convert, tr("Convert..."), QStringLiteral(":/icons/convert.svg"), 0);
    connect(convert, &QPushButton::clicked, this, &TMiravo99DlgClient::cmConvert);
    auto* clear = makeButton(ctl::ClearSelected, tr("Clear &Selected"),
                             QStringLiteral(":/icons/clear-selected.svg"), cmd::ClearSelected);

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
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, del, modify, configure, totals, print, exportButton, convert}) {
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    close->setMinimumWidth(120);
    buttons->addWidget(close);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(totalLabel_);
    bottom->addWidget(totalText_);
    bottom->addStretch(1);
    bottom->addWidget(hideNonSelectedBox_);
    bottom->addSpacing(12);
    clear->setMinimumWidth(120);
    bottom->addWidget(clear);

    auto* grid = new QGridLayout(this);
    grid->addWidget(list_, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addLayout(bottom, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    setLayout(grid);
}

void TMiravo99DlgClient::setupWindow() {
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
            prompts_.showMessage({ec.message(), "Error", MessageIcon::Exclamation});
        }
        settingsExisted_ = true;
    }
    readSettingsAndDocument();
    refreshButtons();
    applyPlacement();
}

void TMiravo99DlgClient::setCaption() {
    emit captionChanged(caption());
}

QString TMiravo99DlgClient::caption() const {
    return QStringLiteral("Varnel - ") + toQString(documentName_);
}

QString TMiravo99DlgClient::totalText() const {
    return totalText_->text();
}

void TMiravo99DlgClient::readSettingsAndDocument() {
    const ReadOutcome outcome =
        readDocumentWithSettings(documentName_, env_.currentFolder, document_, settings_);
    applyColumns();
    if (const auto message = outcome.message()) {
        prompts_.showMessage(*message);
    }
    onTotalChanged();
}

void TMiravo99DlgClient::applyColumns() {
    model_->setColors(settings_.backColor, settings_.altColor, settings_.groupColor);
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, colorFromColorRef(settings_.backColor));
    list_->setPalette(palette);
    model_->syncColumnCount();

    QStringList headings;
    QList<Qt::Alignment> alignments;
    for (const ColumnRecord& c : settings_.fixedColumns) {
        headings << Cp1252::toUnicode(c.heading);
        alignments << GearListModel::alignmentFromFormat(c.alignment);
    }
    headings[2] = GearListModel::weightHeading(document_.metric);
    for (const ColumnRecord& c : settings_.userColumnRecords) {
        headings << Cp1252::toUnicode(c.heading);
        alignments << GearListModel::alignmentFromFormat(c.alignment);
    }
    model_->setHeadings(headings);
    model_->setAlignments(alignments);

    QHeaderView* header = list_->header();
    const int columns = model_->columnCount();
    for (int v = 0; v < columns; ++v) {
        header->moveSection(header->visualIndex(v), v);
    }
    const int quarter = std::max(40, list_->viewport()->width() / 4);
    for (int c = 0; c < columns; ++c) {
        header->resizeSection(c, quarter);
    }
    const auto& widths = settings_.columnWidths;
    if (!widths.empty() && widths[0] != 0) {
        for (int c = 0; c < columns && c < static_cast<int>(widths.size()); ++c) {
            header->resizeSection(c, widths[static_cast<std::size_t>(c)] & 0xFFFF);
        }
    }
    const auto& order = settings_.columnOrder;
    if (static_cast<int>(order.size()) == columns) {
        for (int v = 0; v < columns; ++v) {
            header->moveSection(header->visualIndex(order[static_cast<std::size_t>(v)]), v);
        }
    }
}

void TMiravo99DlgClient::collectSettings() {
    QHeaderView* header = list_->header();
    const int columns = model_->columnCount();
    settings_.metric = document_.metric;
    settings_.userColumns = document_.userColumnCount;
    for (int c = 0; c < 4; ++c) {
        auto& record = settings_.fixedColumns[static_cast<std::size_t>(c)];
        record.heading = Cp1252::fromUnicode(model_->heading(c));
        record.alignment = GearListModel::formatFromAlignment(model_->alignment(c));
        record.order = 0;
    }
    settings_.userColumnRecords.clear();
    for (int c = 4; c < columns; ++c) {
        settings_.userColumnRecords.push_back(
            {Cp1252::fromUnicode(model_->heading(c)),
             GearListModel::formatFromAlignment(model_->alignment(c)), header->visualIndex(c)});
    }
    settings_.columnWidths.assign(static_cast<std::size_t>(columns), 0);
    settings_.columnOrder.assign(static_cast<std::size_t>(columns), 0);
    for (int c = 0; c < columns; ++c) {
        settings_.columnWidths[static_cast<std::size_t>(c)] = header->sectionSize(c);
        settings_.columnOrder[static_cast<std::size_t>(c)] = header->logicalIndex(c);
    }
    const QRect g = window()->geometry();
    settings_.coords =
        std::array<std::int32_t, 4>{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void TMiravo99DlgClient::applyPlacement() {
    if (!settings_.coords) {
        return;
    }
    const auto& c = *settings_.coords;
    // Hostile values must not make a window nobody can reach or see.
    const int width = c[2] - c[0];
    const int height = c[3] - c[1];
    if (c[2] != 0 && c[3] != 0 && width > 0 && height > 0 && width < 100000 && height < 100000) {
        window()->setGeometry(c[0], c[1], width, height);
    }
}

void TMiravo99DlgClient::addRecentFile(const std::filesystem::path& name) {
    appSettings_.addRecentFile(name.string());
    (void)appSettings_.save();
    emit recentFilesChanged();
}

bool TMiravo99DlgClient::writeDocument(const std::filesystem::path& given) {
    collectSettings();
    const auto target = writeTarget(given, documentName_, env_.currentFolder);
    const WriteOutcome outcome = writeDocumentFiles(target, documentName_, document_, settings_,
                                                    appSettings_, env_.currentFolder);
    if (const auto message = outcome.message()) {
        prompts_.showMessage(*message);
        return false;
    }
    return true;
}

bool TMiravo99DlgClient::refuseWhileHidden(const char* nonSelectedText, const char* selectedText) {
    if (document_.hideNonSelected) {
        prompts_.message(QString::fromLatin1(nonSelectedText), QStringLiteral("Important!"),
                         MessageIcon::Exclamation, PromptButtons::Ok);
        return true;
    }
    if (document_.hideSelected) {
        prompts_.message(QString::fromLatin1(selectedText), QStringLiteral("Important!"),
                         MessageIcon::Exclamation, PromptButtons::Ok);
        return true;
    }
    return false;
}

bool TMiravo99DlgClient::canClose() {
    return !refuseWhileHidden(
        "Please uncheck the \"Hide Non-Selected Items\" checkbox before closing",
        "Please select the \"Show Selected\" menu item before closing");
}

void TMiravo99DlgClient::writeOnExit() {
    writeDocument(documentName_);
}

void TMiravo99DlgClient::resetDocument() {
    document_.handheldDocument = false;
    document_.handheldBlock.clear();
    document_.resetCollections();
    document_.clearForReload();
}

void TMiravo99DlgClient::cmNew() {
    document_.clearForReload();
    documentName_ = env_.currentFolder / "Untitled.dat";
    setCaption();
    document_.resetCollections();
    document_.handheldDocument = false;
    document_.handheldBlock.clear();
    onTotalChanged();
    refreshButtons();
}

void TMiravo99DlgClient::openDocument(const std::filesystem::path& name) {
    resetDocument();
    documentName_ = name;
    readSettingsAndDocument();
    setCaption();
    applyPlacement();
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
    const PromptAnswer answer = prompts_.message(
        QStringLiteral("Save %1 before opening %2 ?").arg(toQString(documentName_), *chosen),
        QStringLiteral("Save Current File"), MessageIcon::Question, PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::Cancel) {
        return;
    }
    if (answer == PromptAnswer::Yes) {
        writeDocument(documentName_);
    }
    openChosenDocument(name);
}

void TMiravo99DlgClient::openChosenDocument(const std::filesystem::path& name) {
    {
        WaitCursor wait(prompts_);
        openDocument(name);
    }
    addRecentFile(documentName_);
}

void TMiravo99DlgClient::cmSave() {
    if (refuseWhileHidden("Please uncheck the \"Hide Non-Selected Items\" checkbox before saving",
                          "Please select the \"Show Selected\" menu item before saving")) {
        return;
    }
    addRecentFile(documentName_);
    writeDocument(documentName_);
}

void TMiravo99DlgClient::cmSaveAs() {
    if (refuseWhileHidden("Please uncheck the \"Hide Non-Selected Items\" checkbox before saving",
                          "Please select the \"Show Selected\" menu item before saving")) {
        return;
    }
    const auto chosen = prompts_.saveFileName(QStringLiteral("Save Current Configuration As..."),
                                              QString::fromLatin1(kFileFilter));
    if (!chosen) {
        return;
    }
    documentName_ = toPath(*chosen);
    setCaption();
    writeDocument(documentName_);
    {
        // Reading back shows exactly what was written.
        WaitCursor wait(prompts_);
        resetDocument();
        readSettingsAndDocument();
    }
    refreshButtons();
    addRecentFile(documentName_);
}

void TMiravo99DlgClient::openRecentFile(const QString& name) {
    const PromptAnswer answer = prompts_.message(
        QStringLiteral("Save %1 ?").arg(toQString(documentName_)),
        QStringLiteral("Save Current File"), MessageIcon::Question, PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::Cancel) {
        return;
    }
    if (answer == PromptAnswer::Yes) {
        writeDocument(documentName_);
    }
    openDocument(toPath(name));
    addRecentFile(documentName_);
}

void TMiravo99DlgClient::cmSelectAll() {
    document_.selectAll();
}

void TMiravo99DlgClient::cmClearSelected() {
    document_.clearSelected();
}

void TMiravo99DlgClient::setEditButtonsEnabled(bool enabled) {
    enable(buttons_.value(ctl::Add), cmd::Add, enabled);
    enable(buttons_.value(ctl::Delete), cmd::Delete, enabled);
    enable(buttons_.value(ctl::Modify), cmd::Modify, enabled);
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
        document_.enterHideView(false);
        setEditButtonsEnabled(false);
    } else {
        actions_.value(cmd::HideNonSelected)->setText(tr("Hide &Non-Selected"));
        WaitCursor wait(prompts_);
        document_.leaveHideView();
        setEditButtonsEnabled(true);
    }
    onTotalChanged();
}

void TMiravo99DlgClient::cmHideSelected() {
    QAction* a = actions_.value(cmd::HideSelected);
    if (a->text().contains(QStringLiteral("&H"))) {
        a->setText(tr("S&how Selected"));
        WaitCursor wait(prompts_);
        document_.enterHideView(true);
        setEditButtonsEnabled(false);
    } else {
        a->setText(tr("&Hide Selected"));
        document_.leaveHideView();
        setEditButtonsEnabled(true);
    }
    onTotalChanged();
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
    if (column == 1 || column == 3) {
        return;
    }
    {
        NamedSemaphore::Guard lock(displayLock_);
        document_.sortByColumn(column);
    }
    enable(buttons_.value(ctl::Add), cmd::Add, !document_.sortedView);
    enable(buttons_.value(ctl::Modify), cmd::Modify, !document_.sortedView);
}

void TMiravo99DlgClient::cmTotals() {
    totalsXfer_.fill(totalsDialogLines(categoryTotals(document_), document_.metric));
    TTotalsDlg dialog(totalsXfer_.strings, this);
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
    if (refuseWhileHidden(
            "Please uncheck the \"Hide Non-Selected Items\" checkbox before converting",
            "Please select the \"Show Selected\" menu item before converting")) {
        return;
    }
    const std::string heading = document_.convertUnits(Cp1252::fromUnicode(model_->heading(2)));
    model_->setHeading(2, Cp1252::toUnicode(heading));
    settings_.metric = document_.metric;
    onTotalChanged();
}

ItemCommandContext TMiravo99DlgClient::itemContext() {
    return ItemCommandContext{
        document_,
        *model_,
        prompts_,
        env_.runDialog,
        [this](int& addedPosition) { return runCategoriesDialog(&addedPosition); },
        [this] { refreshButtons(); },
        this};
}

std::vector<int> TMiravo99DlgClient::selectedRows() const {
    std::vector<int> rows;
    if (list_->selectionModel()) {
        for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TMiravo99DlgClient::selectRow(int row) {
    if (row < 0 || row >= document_.rowCount()) {
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    list_->scrollTo(index);
    list_->setFocus();
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

void TMiravo99DlgClient::dropRow(int source, int target) {
    GroupCommandContext context{document_, prompts_, env_.runDialog, this};
    const int row = dropCommand(context, groupNameBuffer_, source, target);
    refreshButtons();
    if (row >= 0) {
        list_->scrollTo(model_->index(row, 0));
    }
}

void TMiravo99DlgClient::cmRemoveFromGroup() {
    removeFromGroupCommand(document_, selectedRows());
    refreshButtons();
}

bool TMiravo99DlgClient::runCategoriesDialog(int* addedPosition) {
    TConfigureCategoriesDlg dialog(
        document_, prompts_, [this] { sortByColumn(0); }, addedPosition, this);
    if (env_.runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    rebuildCategoryChoices(document_);
    return true;
}

void TMiravo99DlgClient::cmCategories() {
    runCategoriesDialog(nullptr);
}

void TMiravo99DlgClient::cmAddColumn() {
    if (addNewColumnEnabled(document_)) {
        addNewColumn(addColumnXfer_, *model_, *list_, env_.runDialog, this);
    }
}

void TMiravo99DlgClient::cmDeleteColumn() {
    if (deleteColumnEnabled(document_)) {
        deleteColumns(deleteColumnsXfer_, *model_, prompts_, env_.runDialog, this);
    }
}

void TMiravo99DlgClient::cmModifyColumn() {
    modifyColumn(modifyColumnXfer_, *model_, env_.runDialog, this);
}

void TMiravo99DlgClient::onTotalChanged() {
    totalText_->setText(QString::fromLatin1(document_.totalText()));
    const bool some = document_.selectedTotal() >= 0.00001F;
    enable(buttons_.value(ctl::ClearSelected), cmd::ClearSelected, some);
    // While the view hides unchecked rows, the box stays the way out even with nothing checked.
    hideNonSelectedBox_->setEnabled((some && !document_.hideSelected) || document_.hideNonSelected);
}

void TMiravo99DlgClient::enable(QAction* action, bool enabled) {
    if (action) {
        action->setEnabled(enabled && available(action->objectName().toInt()));
    }
}

void TMiravo99DlgClient::enable(QWidget* widget, int id, bool enabled) {
    if (widget) {
        widget->setEnabled(enabled && available(id));
    }
}

void TMiravo99DlgClient::refreshButtons() {
    const bool rows = document_.rowCount() > 0;
    enable(buttons_.value(ctl::Delete), cmd::Delete, rows && !document_.hideViewActive());
    enable(buttons_.value(ctl::Modify), cmd::Modify,
           rows && !document_.hideViewActive() && !document_.sortedView);
    enable(buttons_.value(ctl::Print), cmd::Print, rows);
    enable(buttons_.value(ctl::Totals), cmd::ViewTotals, rows);
    enable(buttons_.value(ctl::Export), cmd::Export, rows);
    enable(buttons_.value(ctl::Convert), 0, rows && !document_.handheldDocument);
    onTotalChanged();
}

void TMiravo99DlgClient::updateCommandEnablers() {
    const bool rows = document_.rowCount() > 0;
    const bool selection = list_->selectionModel() && list_->selectionModel()->hasSelection();
    const bool hidden = document_.hideViewActive();
    const bool clearEnabled = buttons_.value(ctl::ClearSelected)->isEnabled();
    enable(actions_.value(cmd::Delete), selection && !hidden);
    enable(actions_.value(cmd::Modify), selection && !hidden);
    enable(actions_.value(cmd::Add), !hidden);
    enable(actions_.value(cmd::ClearSelected), clearEnabled);
    enable(actions_.value(cmd::HideSelected),
           document_.hideSelected || (clearEnabled && !document_.hideNonSelected));
    enable(actions_.value(cmd::HideNonSelected), hideNonSelectedBox_->isEnabled());
    enable(actions_.value(cmd::SelectAll), document_.hasUncheckedRow());
    const bool groups = !document_.handheldDocument && document_.hasGroupRow();
    enable(actions_.value(cmd::ExpandAll), groups);
    enable(actions_.value(cmd::CollapseAll), groups);
    enable(actions_.value(cmd::Save), !document_.handheldDocument && rows);
    enable(actions_.value(cmd::SaveAs), !document_.handheldDocument && rows);
    enable(actions_.value(cmd::Export), rows);
    enable(actions_.value(cmd::Print), rows);
    enable(actions_.value(cmd::AddColumn), addNewColumnEnabled(document_));
    enable(actions_.value(cmd::DeleteColumn), deleteColumnEnabled(document_));
    enable(actions_.value(cmd::ModifyColumn), modifyColumnEnabled(document_));
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
