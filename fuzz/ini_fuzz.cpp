// Arbitrary bytes as a settings file: reading every known key must not misbehave, the bytes must
// come back unchanged, and whatever is written must read back as written.

#include "model/DocumentSettings.h"
#include "model/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace varnel;

namespace {

// What a written string reads back as: the profile format has no room for line breaks or NULs.
std::string storable(std::string_view value) {
    return std::string(value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3))));
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    ini.parse(bytes);
    check(ini.serialize() == bytes);

    DocumentSettings settings;
    readDocumentSettings(ini, settings);
    check(settings.userColumns >= 0 && settings.userColumns <= kMaxUserColumns);
    check(settings.userColumnRecords.size() == static_cast<std::size_t>(settings.userColumns));
    check(settings.title.size() <= kMaxTitleLength);
    (void)ini.readString("LASTFILE", "FILE");
    (void)ini.readString("MRU", "File1");

    // Values taken from the input itself reach the quoting and cutting rules.
    settings.title = bytes.substr(0, kMaxTitleLength);
    settings.textFile = bytes.substr(size / 2);
    const std::string recent(bytes.substr(size / 3, 300));
    writeDocumentSettings(ini, settings);
    const bool recentWritten = ini.writeString("MRU", "File1", recent);
    check(recentWritten);

    IniFile again;
    again.parse(ini.serialize());
    check(again.readString("MRU", "File1") == storable(recent));

    DocumentSettings expected = settings;
    expected.title = storable(settings.title);
    for (std::string* text :
         {&expected.textFile, &expected.commaFile, &expected.htmlFile, &expected.xmlFile}) {
        *text = storable(*text);
    }
    for (auto& column : expected.fixedColumns) {
        column.order = 0;
    }
    if (expected.columnOrder.empty()) {
        for (std::int32_t i = 0; i < 4 + expected.userColumns; ++i) {
            expected.columnOrder.push_back(i);
        }
    }
    DocumentSettings back;
    readDocumentSettings(again, back);
    check(back == expected);
    return 0;
}
