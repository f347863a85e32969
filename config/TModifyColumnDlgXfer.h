#pragma once
// The Modify Column dialog's transfer record, in the order of its controls: every column's
// heading with the selected position, the Left, Center and Right check states, and the new
// heading as stored (Windows-1252, at most 40 bytes).

#include "model/FixedText.h"

#include <QList>
#include <QStringList>

#include <cstdint>

namespace varnel {

struct TModifyColumnDlgXfer {
    QStringList strings;
    QList<int> selection;
    std::int32_t left = 1;
    std::int32_t center = 0;
    std::int32_t right = 0;
    char heading[41]{};

    void clear() {
        strings.clear();
        selection.clear();
        left = 1;
        center = 0;
        right = 0;
        setField(heading, "");
    }
};

} // namespace varnel
