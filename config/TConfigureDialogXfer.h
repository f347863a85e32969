#pragma once
// The options dialog's transfer record: the check states of Total Each Category, Show Grand
// Total and Print Notes, in that order. The main window keeps one and loads it from its print
// options before each opening.

#include <cstdint>

namespace varnel {

struct TConfigureDialogXfer {
    std::int32_t totalEachCategory = 1;
    std::int32_t showGrandTotal = 1;
    std::int32_t printNotes = 1;
};

} // namespace varnel
