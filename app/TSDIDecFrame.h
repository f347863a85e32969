#pragma once
// The main frame: menu bar, status-bar hints, the recent files, and the close guard around the
// client.

#include <QMainWindow>

class QMenu;

namespace varnel {

class TMiravo99DlgClient;

class TSDIDecFrame : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int kMinimumWidth = 548;
    static constexpr int kMinimumHeight = 394;

    // Takes the client as its central widget.
    explicit TSDIDecFrame(TMiravo99DlgClient* client, QWidget* parent = nullptr);

    [[nodiscard]] TMiravo99DlgClient* client() const { return client_; }
    [[nodiscard]] QMenu* fileMenu() const { return fileMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void rebuildRecentFiles();

    TMiravo99DlgClient* client_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    bool written_ = false;
};

} // namespace varnel
