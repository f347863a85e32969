#include "app/TSDIDecFrame.h"

#include "app/CommandIds.h"
#include "app/TMiravo99DlgClient.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <vector>

namespace varnel {

TSDIDecFrame::TSDIDecFrame(TMiravo99DlgClient* client, QWidget* parent)
    : QMainWindow(parent), client_(client) {
    setObjectName(QStringLiteral("TSDIDecFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/varnel.svg")));
    setCentralWidget(client_);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(760, 520);
    statusBar()->showMessage(tr("Ready"));
    // A status tip clears the bar when the pointer leaves its entry; the bar says "Ready" again.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) {
            statusBar()->showMessage(tr("Ready"));
        }
    });
    buildMenus();
    connect(client_, &TMiravo99DlgClient::captionChanged, this, &QWidget::setWindowTitle);
    connect(client_, &TMiravo99DlgClient::recentFilesChanged, this,
            &TSDIDecFrame::rebuildRecentFiles);
    rebuildRecentFiles();
}

void TSDIDecFrame::buildMenus() {
    // Besides command ids, a menu's list holds these places.
    constexpr int kSeparator = 0;
    constexpr int kRecentFiles = -1;
    struct MenuEntry {
        const char* title;
        std::vector<int> ids;
    };
    const MenuEntry menus[] = {
        {"&File",
         {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::SaveForHandheld, kSeparator, cmd::Print,
          cmd::PrintPreview, cmd::Export, cmd::ImportLighterPack, kRecentFiles, kSeparator,
          cmd::Exit}},
        {"&Entry", {cmd::Undo,           cmd::Redo,         kSeparator,           cmd::Add,
                    cmd::Delete,         cmd::Modify,       kSeparator,           cmd::Cut,
                    cmd::Copy,           cmd::Paste,        kSeparator,           cmd::Find,
                    cmd::FindNext,       cmd::FindPrevious, kSeparator,           cmd::SelectAll,
                    cmd::ClearSelected,  cmd::HideSelected, cmd::HideNonSelected, kSeparator,
                    cmd::ExpandAll,      cmd::CollapseAll,  kSeparator,           cmd::MarkWorn,
                    cmd::MarkConsumable, cmd::BaseGoal,     kSeparator,           cmd::ViewTotals}},
        {"&Configure", {cmd::Categories, cmd::GeneralOptions}},
        {"C&olumn", {cmd::AddColumn, cmd::DeleteColumn, cmd::ModifyColumn}},
        {"&Help", {cmd::About, kSeparator, cmd::EmailMe}},
    };
    for (const MenuEntry& entry : menus) {
        QMenu* menu = menuBar()->addMenu(tr(entry.title));
        connect(menu, &QMenu::aboutToShow, client_, &TMiravo99DlgClient::updateCommandEnablers);
        for (int id : entry.ids) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else if (id == kRecentFiles) {
                // The recent files go in above this separator.
                fileMenu_ = menu;
                recentSeparator_ = menu->addSeparator();
            } else {
                menu->addAction(client_->action(id));
            }
        }
    }
    connect(client_->action(cmd::Exit), &QAction::triggered, this, &QWidget::close);
}

void TSDIDecFrame::rebuildRecentFiles() {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const auto& names = client_->appSettings().recentFiles();
    int n = 0;
    for (const std::string& name : names) {
        const QString file = QString::fromStdString(name);
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(++n).arg(file), this);
        a->setObjectName(QStringLiteral("recent%1").arg(n));
        a->setStatusTip(tr("Open %1").arg(file));
        connect(a, &QAction::triggered, client_, [this, file] { client_->openRecentFile(file); });
        fileMenu_->insertAction(recentSeparator_, a);
        recentActions_ << a;
    }
}

void TSDIDecFrame::closeEvent(QCloseEvent* event) {
    // The desktop session ends: the recovery copy holds the edits, and nobody is there to answer.
    if (qGuiApp->isSavingSession()) {
        event->accept();
        return;
    }
    if (!written_ && !client_->canClose()) {
        event->ignore();
        return;
    }
    if (!written_) {
        if (!client_->writeOnExit()) {
            event->ignore();
            return;
        }
        written_ = true;
        client_->discardRecoveryCopy();
    }
    event->accept();
}

} // namespace varnel
