#pragma once
// The main window's client: it owns the document, the settings in memory and every command.

#include "app/GearListModel.h"
#include "app/HandheldCommands.h"
#include "app/ItemCommands.h"
#include "app/ListViews.h"
#include "app/PrintCommand.h"
#include "app/RecoveryKeeper.h"
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
#include "model/DocumentSession.h"
#include "model/DocumentSettings.h"
#include "model/FileLocations.h"
#include "model/GearDocument.h"
#include "model/GearMarks.h"
#include "model/RegistrySource.h"
#include "platform/NamedSemaphore.h"
#include "ui/Prompts.h"

#include <QHash>
#include <QKeySequence>
#include <QTimer>
#include <QUrl>
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

// What the client needs from outside; tests hand in scripted versions.
struct ClientEnvironment {
    Prompts* prompts = nullptr;
    const RegistrySource* settingsRegistry = nullptr;
    // The current user's keys, where the HotSync folder is registered; none: always asked.
    RegistrySource* hotSyncRegistry = nullptr;
    std::filesystem::path currentFolder;
    // Where "Varnel.ini" and the default document go; none: in currentFolder.
    std::optional<FileLocations> files;
    // Runs a modal dialog and returns its result; tests answer without an event loop.
    std::function<int(QDialog&)> runDialog;
    // Hands a link to the desktop (mail program, browser); tests record it instead.
    std::function<bool(const QUrl&)> openUrl;
    // Where recovery copies of the open document are kept; none: no copies.
    std::filesystem::path recoveryFolder;
    // A list named on the command line: the only one read, and its copy the one offered.
    std::optional<std::filesystem::path> namedDocument;
};

class TMiravo99DlgClient : public QWidget, private DocumentSession::Host {
    Q_OBJECT

public:
    explicit TMiravo99DlgClient(ClientEnvironment environment, QWidget* parent = nullptr);
    ~TMiravo99DlgClient() override;

    // The window's setup, once it sits in its frame: caption, migration, settings, document, and
    // the offer of the document's recovery copy.
    void setupWindow();

    // Asked before the frame closes; refuses while rows are hidden.
    bool canClose();
    // The document is written when the window goes, without asking; false when the user chose
    // to stay after a write failed (or was declined over a cut-short file).
    bool writeOnExit();
    // The document's recovery copy, if it changed since the last one, on disk now.
    void writeRecoveryNow();
    // The window closed on purpose: the recovery copy goes.
    void discardRecoveryCopy();

    [[nodiscard]] QAction* action(int id) const { return actions_.value(id); }
    [[nodiscard]] QPushButton* button(int id) const { return buttons_.value(id); }
    [[nodiscard]] GearListView* listView() const { return list_; }
    [[nodiscard]] GearRowDrag* rowDrag() const { return rowDrag_; }
    [[nodiscard]] GearDocument& document() { return document_; }
    [[nodiscard]] GearListModel& model() { return *model_; }
    [[nodiscard]] const DocumentSettings& settings() const { return settings_; }
    [[nodiscard]] const AppSettings& appSettings() const { return appSettings_; }
    [[nodiscard]] const std::filesystem::path& documentName() const {
        return session_.documentName();
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
    void cmNew();
    void cmOpen();
    void cmSave();
    void cmSaveAs();
    // Checks that the list fits the handheld, then writes it to the HotSync folder.
    void cmSaveForHandheld();
    void openRecentFile(const QString& name);
    // Opens a named document: reset, settings and document read, caption, placement.
    void openDocument(const std::filesystem::path& name);
    // What Open does once the file is chosen and the question answered; also `varnel FILE`.
    void openChosenDocument(const std::filesystem::path& name);
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
    void refreshButtons();
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
    QAction* makeAction(int id, const QString& text, const QString& tip);
    QPushButton* makeButton(int id, const QString& text, const QString& icon, Handler handler);
    void closeWindow() { window()->close(); }
    void cmFindNext() { findNext(true); }
    void cmFindPrevious() { findNext(false); }

    void setCaption();
    // The full path recovery copies know the document by.
    [[nodiscard]] std::filesystem::path recoveryPath() const;
    std::optional<RecoveryFile> beginRecoveryCopy();
    // Asks about the document's recovery copy and on Yes shows it instead.
    void offerRecoveryCopy();
    void readSettingsAndDocument();
    void collectSettings() override;
    // What the session asks of the window.
    PromptAnswer ask(const UserQuestion& question) override { return prompts_.ask(question); }
    void show(const UserMessage& message) override { prompts_.showMessage(message); }
    void documentResetting() override { history_.clear(); }
    void documentSaved() override;
    void recentFilesUpdated() override { emit recentFilesChanged(); }
    std::filesystem::path handheldFile(bool& asked) override {
        return FindHotSyncFile(handheld_, &asked);
    }
    std::filesystem::path askHandheldFolder() override { return AskHotSyncFolder(handheld_); }
    bool writeHandheld(const std::filesystem::path& file) override {
        return writeHandheldFileTo(handheld_, file);
    }
    void leaveHideViews() { views_->leave(); }
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
    DocumentSession session_;
    HandheldCommandContext handheld_;
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
    RecoveryKeeper* recovery_ = nullptr;
    // Commands whose dialogs are not part of this build: shown, never enabled.
};

} // namespace varnel
