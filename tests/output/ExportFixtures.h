#pragma once
// Documents and helpers the export tests share.

#include "../model/TestRecords.h"
#include "model/GearDocument.h"
#include "output/ExportOptions.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::test {

inline ExportHeadings headings(std::vector<std::string> user = {}, bool metric = false) {
    return {{"Category", "Item", metric ? "Weight (gm)" : "Weight (oz)", "Notes"}, std::move(user)};
}

// Rows, top to bottom:
//   0 Kitchen "Cook kit", a checked group: members "Cook kit part 1" 4.00 and, in front of it,
//     "Cook kit part 2" 6.00; so part 2 is written first
//   1 Kitchen "Stove" 3.00, checked, notes "Canister"
//   2 Shelter "Stakes" 2.50, unchecked
//   3 Shelter "Tent" 10.00, checked, notes "Seam sealed"
// The checked total is 23.00.
inline void buildTrip(GearDocument& doc) {
    doc.insertRecord(group("Kitchen", "Cook kit", {"4.00", "6.00"}, true));
    auto stove = item("Kitchen", "Stove", "3.00", true);
    setField(stove->notes, "Canister");
    doc.insertRecord(std::move(stove));
    doc.insertRecord(item("Shelter", "Stakes", "2.50", false));
    auto tent = item("Shelter", "Tent", "10.00", true);
    setField(tent->notes, "Seam sealed");
    doc.insertRecord(std::move(tent));
}

// "%-Ns"
inline std::string pad(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) {
        out.append(width - out.size(), ' ');
    }
    return out;
}

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

inline bool haveProgram(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace varnel::test
