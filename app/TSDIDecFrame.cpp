#include "app/TSDIDecFrame.h"

#include "app/CommandIds.h"
#include "app/TMiravo99DlgClient.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

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
    const auto add = [this](QMenu* menu, int id) { menu->addAction(client_->action(id)); };
    const auto menuOf = [this](const QString& title) {
        QMenu* menu = menuBar()->addMenu(title);
        connect(menu, &QMenu::aboutToShow, client_, &TMiravo99DlgClient::updateCommandEnablers);
        return menu;
    };

    fileMenu_ = menuOf(tr("&File"));
    for (int id : {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::SaveForHandheld}) {
        add(fileMenu_, id);
    }
    fileMenu_->addSeparator();
    add(fileMenu_, cmd::Print);
    add(fileMenu_, cmd::PrintPreview);
    add(fileMenu_, cmd::Export);
    add(fileMenu_, cmd::ImportLighterPack);
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    add(fileMenu_, cmd::Exit);
    connect(client_->action(cmd::Exit), &QAction::triggered, this, &QWidget::close);

    QMenu* entry = menuOf(tr("&Entry"));
    add(entry, cmd::Undo);
    add(entry, cmd::Redo);
    entry->addSeparator();
    for (int id : {cmd::Add, cmd::Delete, cmd::Modify}) {
        add(entry, id);
    }
    entry->addSeparator();
    for (int id : {cmd::Cut, cmd::Copy, cmd::Paste}) {
        add(entry, id);
    }
    entry->addSeparator();
    for (int id : {cmd::Find, cmd::FindNext, cmd::FindPrevious}) {
        add(entry, id);
    }
    entry->addSeparator();
    for (int id : {cmd::SelectAll, cmd::ClearSelected, cmd::HideSelected, cmd::HideNonSelected}) {
        add(entry, id);
    }
    entry->addSeparator();
    add(entry, cmd::ExpandAll);
    add(entry, cmd::CollapseAll);
    entry->addSeparator();
    add(entry, cmd::MarkWorn);
    add(entry, cmd::MarkConsumable);
    add(entry, cmd::BaseGoal);
    entry->addSeparator();
    add(entry, cmd::ViewTotals);

    QMenu* configure = menuOf(tr("&Configure"));
    add(configure, cmd::Categories);
    add(configure, cmd::GeneralOptions);

    QMenu* column = menuOf(tr("C&olumn"));
    for (int id : {cmd::AddColumn, cmd::DeleteColumn, cmd::ModifyColumn}) {
        add(column, id);
    }

    QMenu* help = menuOf(tr("&Help"));
    add(help, cmd::About);
    help->addSeparator();
    add(help, cmd::EmailMe);
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
