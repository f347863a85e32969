#include "app/ClientLayout.h"

#include "app/CommandIds.h"

#include <QBoxLayout>
#include <QGridLayout>

namespace varnel {

void layOutClient(QWidget& client, const ClientParts& parts) {
    constexpr int kColumn[] = {ctl::Add,    ctl::Delete, ctl::Modify, ctl::Configure,
                               ctl::Totals, ctl::Print,  ctl::Export, ctl::Convert};
    auto* buttons = new QVBoxLayout;
    for (int id : kColumn) {
        buttons->addWidget(parts.button(id));
    }
    buttons->addStretch(1);
    buttons->addWidget(parts.button(ctl::Close));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(parts.totalLabel);
    bottom->addWidget(parts.totalText);
    bottom->addStretch(1);
    bottom->addWidget(parts.hideBox);
    bottom->addSpacing(12);
    bottom->addWidget(parts.button(ctl::ClearSelected));

    // Keyboard users start in the list, then go down the buttons.
    QWidget* previous = parts.list;
    const auto tabTo = [&previous](QWidget* w) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (int id : kColumn) {
        tabTo(parts.button(id));
    }
    tabTo(parts.button(ctl::Close));
    tabTo(parts.hideBox);
    tabTo(parts.button(ctl::ClearSelected));
    client.setFocusProxy(parts.list);

    auto* grid = new QGridLayout(&client);
    grid->addWidget(parts.list, 0, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    grid->addWidget(parts.findBar, 1, 0);
    grid->addLayout(bottom, 2, 0, 1, 2);
    grid->addWidget(parts.summary, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
    client.setLayout(grid);
}

} // namespace varnel
