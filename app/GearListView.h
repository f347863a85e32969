#pragma once
// The gear list: a report view over the list model with the list's own mouse and key rules.

#include <QTreeView>

namespace varnel {

class GearListView : public QTreeView {
    Q_OBJECT

public:
    explicit GearListView(QWidget* parent = nullptr);

signals:
    // A press on a row's cell; the client decides what it means (toggling a group).
    void cellClicked(int row, int column);
    void rowDoubleClicked(int row, int column);
    void rowContextMenu(int row, const QPoint& globalPos);
    // The Delete key on the list.
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Qt::MouseButton pressedButton_ = Qt::NoButton;
};

} // namespace varnel
