#pragma once
// Driving dialogs from tests: controls are found by their id (object name).

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace varnel::test {

// The control with id `id`; a missing one fails the test.
template <typename T> T* control(QDialog& d, const char* id) {
    auto* w = d.findChild<T*>(QString::fromLatin1(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

inline void setText(QDialog& d, const char* id, const QString& text) {
    auto* e = d.findChild<QLineEdit*>(QLatin1String(id));
    ASSERT_NE(e, nullptr) << id;
    e->setText(text);
}

inline void press(QDialog& d, const char* id) {
    auto* b = d.findChild<QAbstractButton*>(QLatin1String(id));
    ASSERT_NE(b, nullptr) << id;
    b->click();
}

// Runs `answer` on the modal dialog once it is up. A dialog still open afterwards (a failed
// expectation) is handed to `close`, so that the test never hangs.
inline void whenModal(std::function<void(QWidget*)> answer, std::function<void(QWidget*)> close) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, answer, close] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 500) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (!modal) {
            ADD_FAILURE() << "no dialog came up";
            return;
        }
        answer(modal);
        if (modal->isVisible()) {
            close(modal);
        }
    });
    timer->start();
}

} // namespace varnel::test
