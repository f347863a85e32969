#pragma once
// Dragging one row of the gear list onto another, through the list's own mouse events. Only rows
// the caller allows start a drag; an image of the row follows the cursor and the row under it
// is drop-highlighted; held above or below the list, the list scrolls a line at once and then
// every 200 ms; releasing over a row drops, Escape cancels.

#include <QObject>
#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>

class QAbstractItemView;
class QLabel;
class QMouseEvent;
class QTimer;

namespace varnel {

class DropHighlightDelegate;

class GearRowDrag : public QObject {
    Q_OBJECT

public:
    static constexpr int kScrollInterval = 200;

    // Watches `view` (and becomes its child); `canDrag` says whether a row may be dragged,
    // `drop` performs the drop of the source row on the target row.
    GearRowDrag(QAbstractItemView* view, std::function<bool(int row)> canDrag,
                std::function<void(int source, int target)> drop);
    ~GearRowDrag() override;

    [[nodiscard]] bool dragging() const { return dragging_; }
    // The row under the cursor while dragging, -1 for none.
    [[nodiscard]] int dropTarget() const { return dropTarget_; }
    // The image that follows the cursor; null when no drag is going on.
    [[nodiscard]] QLabel* dragImage() const { return image_.get(); }
    [[nodiscard]] QPoint hotSpot() const { return hotSpot_; }
    [[nodiscard]] QTimer* scrollUpTimer() const { return scrollUp_; }
    [[nodiscard]] QTimer* scrollDownTimer() const { return scrollDown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mousePress(const QMouseEvent& event);
    bool mouseMove(const QMouseEvent& event);
    bool mouseRelease(const QMouseEvent& event);
    void begin(const QPoint& globalAt);
    void follow(const QPoint& at, const QPoint& globalAt);
    void finish(bool drop);
    void setDropTarget(int row);
    void scrollOneLine(bool up);
    [[nodiscard]] QRect rowRect(int row) const;

    QPointer<QAbstractItemView> view_;
    std::function<bool(int)> canDrag_;
    std::function<void(int, int)> drop_;
    QPointer<DropHighlightDelegate> highlight_;
    std::unique_ptr<QLabel> image_;
    QTimer* scrollUp_ = nullptr;
    QTimer* scrollDown_ = nullptr;

    QPersistentModelIndex source_; // the row pressed; a drag starts from it
    QPoint pressAt_;
    QPoint hotSpot_;
    bool dragging_ = false;
    int dropTarget_ = -1;
};

} // namespace varnel
