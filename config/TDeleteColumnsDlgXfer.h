#pragma once
// The Delete User Columns dialog's transfer record: the user columns' headings in column order
// and the positions selected among them, ascending.

#include <QList>
#include <QStringList>

namespace varnel {

struct TDeleteColumnsDlgXfer {
    QStringList strings;
    QList<int> selection;

    void clear() {
        strings.clear();
        selection.clear();
    }
};

} // namespace varnel
