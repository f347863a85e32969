#pragma once
// The walk every export makes over the rows, and the small pieces the four formats share.

#include "model/GearDocument.h"
#include "model/WeightText.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel::exports {

// Top to bottom. A member row shown under an expanded group is skipped, since its group row
// stands for it; with `checkedOnly` an unchecked row is skipped. A group row is not written
// itself: each member is, front to back. `fn(record, position, member, counted)`: position is
// the row's place in the list counted over all rows; counted says whether its weight goes into
// the selected total (the group row's check mark for a member).
template <typename Fn>
void forEachExportedRecord(const GearDocument& document, bool checkedOnly, Fn&& fn) {
    const int rows = document.rowCount();
    for (int i = 0; i < rows; ++i) {
        const GearRow& row = document.row(i);
        if (row.isMemberRow() || (checkedOnly && !row.checked())) {
            continue;
        }
        const bool checked = row.checked();
        if (row.isGroupRow()) {
            row.record->members->forEach(
                [&](const sPubInfo& member) { fn(member, i, true, checked); });
        } else {
            fn(static_cast<const sPubInfo&>(*row.record), i, false, checked);
        }
    }
}

// User column k (1-based); null when the record has no text for it.
inline const std::string* columnTextAt(const sPubInfo& record, int k) {
    return record.columnTexts ? record.columnTexts->at(k) : nullptr;
}

// The selected total is kept in single precision, as the list's running total is; each weight
// is added the way "float += double" adds it.
inline void addToTotal(float& total, std::string_view weight) {
    total = static_cast<float>(static_cast<double>(total) + weightValue(weight));
}

// "%-Ns": never cut.
inline void appendPadded(std::string& out, std::string_view text, std::size_t width) {
    out.append(text);
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
}

// A set of bytes, to find the next byte of a text that needs more than copying.
class ByteSet {
public:
    constexpr explicit ByteSet(std::string_view bytes) {
        for (const char c : bytes) {
            set_[static_cast<unsigned char>(c)] = true;
        }
    }
    constexpr ByteSet& addRange(unsigned first, unsigned last) {
        for (unsigned b = first; b <= last; ++b) {
            set_[b] = true;
        }
        return *this;
    }

    [[nodiscard]] constexpr bool contains(char c) const {
        return set_[static_cast<unsigned char>(c)];
    }

    // The place of the first byte from `from` on that is in the set; text.size() when none is.
    [[nodiscard]] constexpr std::size_t find(std::string_view text, std::size_t from = 0) const {
        // Four at a time: most texts hold no such byte at all.
        while (from + 4 <= text.size() && (mark(text[from]) | mark(text[from + 1]) |
                                           mark(text[from + 2]) | mark(text[from + 3])) == 0) {
            from += 4;
        }
        while (from < text.size() && !contains(text[from])) {
            ++from;
        }
        return from;
    }

private:
    [[nodiscard]] constexpr unsigned mark(char c) const {
        return set_[static_cast<unsigned char>(c)] ? 1U : 0U;
    }

    std::array<bool, 256> set_{};
};

// Appends `text`, each run of bytes outside `special` in one piece and each byte in it through
// `escape(out, byte)`.
template <typename Escape>
void appendEscaped(std::string& out, std::string_view text, const ByteSet& special,
                   Escape&& escape) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = special.find(text, from);
        out.append(text.data() + from, at - from);
        if (at == text.size()) {
            return;
        }
        escape(out, text[at]);
        from = at + 1;
    }
}

inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kTotalCaption = "Total Weight of Selected Items";

} // namespace varnel::exports
