#include "app/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace varnel {

FindBar::FindBar(QWidget* parent) : QWidget(parent) {
    auto* label = new QLabel(tr("Find:"), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("findText"));
    label->setBuddy(edit_);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("findNote"));
    auto* close = new QToolButton(this);
    close->setText(tr("Close"));
    close->setToolTip(tr("Close the find bar (Escape)"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(edit_, 1);
    layout->addWidget(note_, 1);
    layout->addWidget(close);
    connect(edit_, &QLineEdit::textEdited, this, [this] { emit findRequested(true, true); });
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit closed();
    });
}

void FindBar::open() {
    show();
    edit_->setFocus();
    edit_->selectAll();
}

QString FindBar::text() const {
    return edit_->text();
}

void FindBar::setNote(const QString& note) {
    note_->setText(note);
}

QString FindBar::note() const {
    return note_->text();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        emit closed();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit findRequested(!shift, false);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace varnel
