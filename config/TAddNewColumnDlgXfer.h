#pragma once
// The Add New Column dialog's transfer record: the heading as stored (Windows-1252, at most 40
// bytes) and the check states of the Left, Center and Right radio buttons.

#include "model/FixedText.h"

#include <cstdint>

namespace varnel {

struct TAddNewColumnDlgXfer {
    char heading[41]{};
    std::int32_t left = 1;
    std::int32_t center = 0;
    std::int32_t right = 0;

    // Each opening starts from an empty, left-aligned column.
    void reset() {
        setField(heading, "");
        left = 1;
        center = 0;
        right = 0;
    }
};

} // namespace varnel
