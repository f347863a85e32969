#pragma once
// Where the main window's controls sit, and the order the keyboard visits them in.

#include <QWidget>

#include <functional>

namespace varnel {

struct ClientParts {
    QWidget* list = nullptr;
    QWidget* findBar = nullptr;
    QWidget* summary = nullptr;
    QWidget* totalLabel = nullptr;
    QWidget* totalText = nullptr;
    QWidget* hideBox = nullptr;
    // The button with a control id.
    std::function<QWidget*(int)> button;
};

// The list grows with the window; the buttons keep to the right, the totals to the bottom.
void layOutClient(QWidget& client, const ClientParts& parts);

} // namespace varnel
