#include "app/TTotalsDlgXfer.h"

#include "ui/Cp1252.h"

namespace varnel {

void TTotalsDlgXfer::fill(const std::vector<std::string>& lines) {
    clear();
    strings.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) {
        strings << Cp1252::toUnicode(line);
    }
}

void TTotalsDlgXfer::clear() {
    strings.clear();
    selection.clear();
}

} // namespace varnel
