#pragma once
// The main window's client: it owns the document, the settings in memory and every command.

#include "app/ClientEnvironment.h"
#include "app/FileCommands.h"
#include "app/GearListModel.h"
#include "app/ItemCommands.h"
#include "app/ListViews.h"
#include "app/PrintCommand.h"
#include "app/TCreateGroupDialogXfer.h"
#include "app/TExportDialogXfer.h"
#include "app/TPubInfoXfer.h"
#include "app/TTotalsDlgXfer.h"
#include "app/UndoHistory.h"
#include "config/TAddNewColumnDlgXfer.h"
#include "config/TConfigureDialogXfer.h"
#include "config/TDeleteColumnsDlgXfer.h"
#include "config/TModifyColumnDlgXfer.h"
#include "model/AppSettings.h"
#include "model/DocumentEdit.h"
#include "model/DocumentSettings.h"
#include "model/GearDocument.h"
#include "model/GearMarks.h"
#include "platform/NamedSemaphore.h"
#include "ui/Prompts.h"

#include <QHash>
#include <QKeySequence>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QPushButton;

namespace varnel {

class ColumnLayout;
class FindBar;
class GearListView;
class GearRowDrag;
class SummaryLine;

class TMiravo99DlgClient : public QWidget, private FileCommands::Window {
    Q_OBJECT

public:
    explicit TMiravo99DlgClient(ClientEnvironment environment, QWidget* parent = nullptr);
    ~TMiravo99DlgClient() override;

    // The window's setup, once it sits in its frame: caption, migration, settings, document, and
    // the offer of the document's recovery copy.
    void setupWindow() { fileCommands_.setupWindow(); }

    // Asked before the frame closes; refuses while rows are hidden.
    bool canClose() { return fileCommands_.canClose(); }
    // The document is written when the window goes, without asking; false when the user chose
    // to stay after a write failed (or was declined over a cut-short file).
    bool writeOnExit() { return fileCommands_.writeOnExit(); }
    // The document's recovery copy, if it changed since the last one, on disk now.
    void writeRecoveryNow() { fileCommands_.writeRecoveryNow(); }
    // The window closed on purpose: the recovery copy goes.
    void discardRecoveryCopy() { fileCommands_.discardRecoveryCopy(); }

    [[nodiscard]] QAction* action(int id) const { return actions_.value(id); }
    [[nodiscard]] QPushButton* button(int id) const { return buttons_.value(id); }
    [[nodiscard]] GearListView* listView() const { return list_; }
    [[nodiscard]] GearRowDrag* rowDrag() const { return rowDrag_; }
    [[nodiscard]] GearDocument& document() { return document_; }
    [[nodiscard]] GearListModel& model() { return *model_; }
    [[nodiscard]] const DocumentSettings& settings() const { return settings_; }
    [[nodiscard]] const AppSettings& appSettings() const { return appSettings_; }
    [[nodiscard]] const std::filesystem::path& documentName() const {
        return fileCommands_.session().documentName();
    }
    [[nodiscard]] QString totalText() const;
    [[nodiscard]] QString caption() const;

    // The per-category lines shown over the totals text.
    [[nodiscard]] QString totalsTooltip() const;
    // Base weight and the rest, under the totals text.
    [[nodiscard]] SummaryLine* summaryLine() const { return summary_; }

    // --- edits
    // Makes the change as a step that Undo takes back; returns its result. Row changes made in
    // a hide view are not kept as steps: leaving the view puts the rows back anyway.
    int perform(DocumentEdit edit) { return history_.perform(std::move(edit)); }
    [[nodiscard]] const QUndoStack& undoStack() const { return history_.stack(); }
    // Refused, with the reason, while a hide view is active or when the list was reordered since.
    void cmUndo();
    void cmRedo();

    // --- commands
    void cmNew() { fileCommands_.newDocument(); }
    void cmOpen() { fileCommands_.open(); }
    void cmSave() { fileCommands_.save(); }
    void cmSaveAs() { fileCommands_.saveAs(); }
    // Checks that the list fits the handheld, then writes it to the HotSync folder.
    void cmSaveForHandheld() { fileCommands_.saveForHandheld(); }
    void openRecentFile(const QString& name) { fileCommands_.openRecent(name); }
    // Opens a named document: reset, settings and document read, caption, placement.
    void openDocument(const std::filesystem::path& name) { fileCommands_.openDocument(name); }
    // What Open does once the file is chosen and the question answered; also `varnel FILE`.
    void openChosenDocument(const std::filesystem::path& name) { fileCommands_.openChosen(name); }
    void cmSelectAll();
    void cmClearSelected();
    void cmHideSelected() { views_->toggleHideSelected(); }
    void cmHideNonSelected();
    void setHideNonSelected(bool hide) { views_->setHideNonSelected(hide); }
    void cmExpandAll() { document_.expandAll(); }
    void cmCollapseAll() { document_.collapseAll(); }
    void cmTotals();
    void cmImportLighterPack();
    void cmPrint();
    void cmPrintPreview();
    void cmExport();
    void cmAbout();
    void cmGeneralOptions();
    void cmEmailMe();
    void cmConvert();
    void cmAdd();
    void cmModify();
    void cmDelete();
    void cmCategories();
    void cmAddColumn();
    void cmDeleteColumn();
    void cmModifyColumn();
    void sortByColumn(int column) { views_->sortByColumn(column); }
    void toggleGroupRow(int row) { views_->toggleGroup(row); }
    // Row `source` dragged onto row `target`: joins or makes a group.
    void dropRow(int source, int target);
    void cmRemoveFromGroup();
    void cmCut();
    void cmCopy();
    void cmPaste();
    void cmFind();
    // The next (or previous) row matching the find bar's text; `fromCurrent` lets the current
    // row match, as typing does.
    void findNext(bool forward, bool fromCurrent = false);
    [[nodiscard]] FindBar* findBar() const { return findBar_; }
    // The selected item worn or consumable, or no longer.
    void cmMarkWorn();
    void cmMarkConsumable();
    void cmBaseGoal();

    // The enabling rules of the buttons after a load or an edit.
    void refreshButtons() override;
    // Runs Configure Categories; on OK the category choices are rebuilt. `addedPosition` receives
    // the box position of the last category added.
    bool runCategoriesDialog(int* addedPosition);
    // The menu entries' enablers, as evaluated when a menu opens.
    void updateCommandEnablers();

signals:
    void captionChanged(const QString& caption);
    void recentFilesChanged();

protected:
    bool event(QEvent* event) override;

private:
    using Handler = void (TMiravo99DlgClient::*)();
    struct ActionEntry {
        int id;
        const char* text;
        const char* tip;
        Handler handler;
    };
    struct ButtonEntry {
        int id;
        const char* text;
        const char* icon;
        Handler handler;
    };
    static std::span<const ActionEntry> actionTable();
    static std::vector<std::pair<int, QKeySequence>> shortcutTable();
    static std::span<const ButtonEntry> buttonTable();
    void createControls();
    void createActions();
    // The list and what clicks, keys and drags on it do.
    void createList();
    // Buttons, totals, the hide box, the find bar and the summary line under the list.
    void createFooter();
    // The enablers, the summary and the recovery copy follow every change of the document.
    void followChanges();
    void rowDoubleClicked(int row, int column);
    void showRowMenu(int row, const QPoint& at);
    QAction* makeAction(int id, const QString& text, const QString& tip);
    QPushButton* makeButton(int id, const QString& text, const QString& icon, Handler handler);
    void closeWindow() { window()->close(); }
    void cmFindNext() { findNext(true); }
    void cmFindPrevious() { findNext(false); }

    // How the window follows the document.
    void collectColumns() override;
    void applyColumns() override;
    void applyPlacement() override;
    void documentShown() override { onTotalChanged(); }
    void documentRenamed() override { setCaption(); }
    void clearHistory() override { history_.clear(); }
    void recentFilesUpdated() override { emit recentFilesChanged(); }
    bool askMetric() override;
    void setCaption();
    void leaveHideViews() override { views_->leave(); }
    void updateSortIndicator() { views_->updateSortIndicator(); }
    void onTotalChanged();
    void updateSummary();
    void toggleMarkOfSelection(GearMark mark);
    [[nodiscard]] std::vector<int> selectedRows() const;
    void selectRow(int row);
    // Selects the rows and brings the first into view.
    void selectRows(const std::vector<int>& rows);
    ItemCommandContext itemContext();
    // The buttons follow a command; the row it made or changed comes into view.
    void showChangedRow(int row);
    PrintCommandContext printContext();
    // Says why `doing` must wait while a hide view is on; true when it must.
    bool refuseWhileHidden(std::string_view doing);
    void enable(QAction* action, bool enabled);
    [[nodiscard]] EditPerformer performer() { return history_.performer(); }
    void enable(QWidget* widget, bool enabled);

    ClientEnvironment env_;
    Prompts& prompts_;
    GearDocument document_;
    DocumentSettings settings_;
    FileLocations files_;
    AppSettings appSettings_;
    FileCommands fileCommands_;
    NamedSemaphore displayLock_;
    TTotalsDlgXfer totalsXfer_;
    TPubInfoXfer pubInfoXfer_;
    TAddNewColumnDlgXfer addColumnXfer_{};
    TDeleteColumnsDlgXfer deleteColumnsXfer_{};
    TModifyColumnDlgXfer modifyColumnXfer_{};
    TCreateGroupDialogXfer groupNameBuffer_{};
    TExportDialogXfer exportXfer_{};
    TConfigureDialogXfer configureXfer_{};

    std::unique_ptr<GearListModel> model_;
    std::unique_ptr<ColumnLayout> columns_;
    std::unique_ptr<ListViews> views_;
    // Goes before the model: its steps' last signals reach the summary.
    UndoHistory history_;
    GearListView* list_ = nullptr;
    GearRowDrag* rowDrag_ = nullptr;
    FindBar* findBar_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    QLabel* totalText_ = nullptr;
    SummaryLine* summary_ = nullptr;
    QCheckBox* hideNonSelectedBox_ = nullptr;
    QHash<int, QAction*> actions_;
    QHash<int, QPushButton*> buttons_;
    QTimer enablerTimer_;
};

} // namespace varnel
