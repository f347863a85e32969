#include "app/GearRowDrag.h"

#include "app/DropHighlightDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>

namespace varnel {

namespace {

constexpr qreal kImageOpacity = 0.7;

} // namespace

GearRowDrag::GearRowDrag(QAbstractItemView* view, std::function<bool(int)> canDrag,
                         std::function<void(int, int)> drop)
    : QObject(view), view_(view), canDrag_(std::move(canDrag)), drop_(std::move(drop)) {
    setObjectName(QStringLiteral("rowDrag"));
    // The delegate lives as long as the view that paints with it.
    highlight_ = new DropHighlightDelegate(view);
    view->setItemDelegate(highlight_);
    // The view's own scrolling after a press would pull the list back to the dragged row.
    view->setAutoScroll(false);
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);

    const auto makeTimer = [this](const char* name, bool up) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QLatin1String(name));
        timer->setInterval(kScrollInterval);
        connect(timer, &QTimer::timeout, this, [this, up] { scrollOneLine(up); });
        return timer;
    };
    scrollUp_ = makeTimer("scrollUpTimer", true);
    scrollDown_ = makeTimer("scrollDownTimer", false);
}

// The view and its viewport may be gone already: only what this object owns is let go here.
GearRowDrag::~GearRowDrag() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool GearRowDrag::eventFilter(QObject* watched, QEvent* event) {
    // Only input events touch the view: others also come while it is being destroyed.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease && type != QEvent::KeyPress) {
        return false;
    }
    if (!view_) {
        return false;
    }
    switch (type) {
    case QEvent::MouseButtonPress:
        return watched == view_->viewport() && mousePress(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseMove:
        return watched == view_->viewport() && mouseMove(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease:
        return watched == view_->viewport() && mouseRelease(static_cast<QMouseEvent&>(*event));
    case QEvent::KeyPress:
        if (dragging_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            finish(false);
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool GearRowDrag::mousePress(const QMouseEvent& event) {
    if (dragging_) {
        return true; // another button during the drag
    }
    if (event.button() != Qt::LeftButton) {
        return false;
    }
    const QModelIndex at = view_->indexAt(event.position().toPoint());
    source_ = at.isValid() ? QPersistentModelIndex(at.siblingAtColumn(0)) : QPersistentModelIndex();
    pressAt_ = event.position().toPoint();
    return false; // the view selects the row and takes the click
}

bool GearRowDrag::mouseMove(const QMouseEvent& event) {
    const QPoint at = event.position().toPoint();
    if (dragging_) {
        if (!(event.buttons() & Qt::LeftButton)) {
            finish(false); // the release went elsewhere
        } else {
            follow(at, event.globalPosition().toPoint());
        }
        return true;
    }
    if (!source_.isValid() || !(event.buttons() & Qt::LeftButton)) {
        return false;
    }
    // A press on a row never extends the selection by moving: it starts a drag, or nothing
    // for rows that cannot be dragged.
    if ((at - pressAt_).manhattanLength() >= QApplication::startDragDistance() && canDrag_ &&
        canDrag_(source_.row())) {
        begin(event.globalPosition().toPoint() - at + pressAt_);
        follow(at, event.globalPosition().toPoint());
    }
    return true;
}

bool GearRowDrag::mouseRelease(const QMouseEvent& event) {
    if (!dragging_) {
        source_ = QPersistentModelIndex();
        return false;
    }
    if (event.button() != Qt::LeftButton) {
        return true;
    }
    follow(event.position().toPoint(), event.globalPosition().toPoint());
    finish(true);
    return true;
}

QRect GearRowDrag::rowRect(int row) const {
    QRect rect;
    const QAbstractItemModel* model = view_->model();
    for (int c = 0; c < model->columnCount(); ++c) {
        rect = rect.united(view_->visualRect(model->index(row, c)));
    }
    return rect.intersected(view_->viewport()->rect());
}

void GearRowDrag::begin(const QPoint& globalPress) {
    dragging_ = true;
    const QRect rect = rowRect(source_.row());
    hotSpot_ = pressAt_ - rect.topLeft();

    const QPixmap shot = view_->viewport()->grab(rect);
    QPixmap faded(shot.size());
    faded.fill(Qt::transparent);
    {
        QPainter painter(&faded);
        painter.setOpacity(kImageOpacity);
        painter.drawPixmap(0, 0, shot);
    }
    image_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint |
                                                   Qt::WindowTransparentForInput |
                                                   Qt::WindowDoesNotAcceptFocus);
    image_->setObjectName(QStringLiteral("dragImage"));
    image_->setAttribute(Qt::WA_TransparentForMouseEvents);
    image_->setAttribute(Qt::WA_ShowWithoutActivating);
    image_->setAttribute(Qt::WA_TranslucentBackground);
    image_->setPixmap(faded);
    image_->resize(faded.size());
    image_->move(globalPress - hotSpot_);
    image_->show();

    // Moves and the release come to the viewport wherever the cursor goes while the button is
    // held; Escape is caught whatever has the focus.
    qApp->installEventFilter(this);
}

void GearRowDrag::follow(const QPoint& at, const QPoint& globalAt) {
    if (image_) {
        image_->move(globalAt - hotSpot_);
    }
    const QRect inside = view_->viewport()->rect();
    const QModelIndex index = inside.contains(at) ? view_->indexAt(at) : QModelIndex();
    setDropTarget(index.isValid() ? index.row() : -1);

    // A line at once when the cursor goes past an edge, then one per tick until it is back.
    if (at.y() < inside.top()) {
        if (!scrollUp_->isActive()) {
            scrollOneLine(true);
            scrollUp_->start();
        }
    } else {
        scrollUp_->stop();
    }
    if (at.y() > inside.bottom()) {
        if (!scrollDown_->isActive()) {
            scrollOneLine(false);
            scrollDown_->start();
        }
    } else {
        scrollDown_->stop();
    }
}

void GearRowDrag::finish(bool drop) {
    const int source = source_.isValid() ? source_.row() : -1;
    const int target = dropTarget_;
    dragging_ = false;
    source_ = QPersistentModelIndex();
    scrollUp_->stop();
    scrollDown_->stop();
    image_.reset();
    qApp->removeEventFilter(this);
    setDropTarget(-1);
    if (drop && source >= 0 && target >= 0 && drop_) {
        drop_(source, target);
    }
}

void GearRowDrag::setDropTarget(int row) {
    if (row == dropTarget_) {
        return;
    }
    dropTarget_ = row;
    if (highlight_) {
        highlight_->setRow(row);
    }
    view_->viewport()->update();
}

void GearRowDrag::scrollOneLine(bool up) {
    view_->verticalScrollBar()->triggerAction(up ? QAbstractSlider::SliderSingleStepSub
                                                 : QAbstractSlider::SliderSingleStepAdd);
}

} // namespace varnel
