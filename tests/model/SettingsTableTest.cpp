#include "model/SettingsTable.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

struct Probe {
    std::int32_t count = 0;
    std::int32_t countSeen = -1;
    std::string note;
    std::string ours;
    std::optional<std::array<std::int32_t, 4>> rect;
    std::vector<std::string> names;
};

// Listed before COUNT, read after it.
constexpr SettingCodec<Probe> kSeesCount{
    [](const IniFile&, std::string_view, std::string_view, Probe& p) { p.countSeen = p.count; },
    [](IniFile&, std::string_view, std::string_view, const Probe&) {}};

constexpr SettingRow<Probe> kRows[] = {
    {.section = "A",
     .key = "SEEN",
     .kind = SettingKind::Custom,
     .member = kSeesCount,
     .readStep = 1},
    {"A", "COUNT", SettingKind::Int32, &Probe::count},
    {"A", "NOTE", SettingKind::Text, &Probe::note},
    {.section = "A",
     .key = "RECT",
     .kind = SettingKind::Rect,
     .member = &Probe::rect,
     .stored = Stored::WhileKnown},
    {.section = "A",
     .key = "NAME",
     .kind = SettingKind::TextList,
     .member = &Probe::names,
     .missing = Missing::Empties,
     .limit = 3},
    {.section = "OURS",
     .key = "X",
     .kind = SettingKind::Text,
     .member = &Probe::ours,
     .stored = Stored::WhileSet,
     .missing = Missing::Empties},
};
static_assert(kindsMatchMembers<Probe>(kRows));

TEST(SettingsTable, AKeyOfOursSetAndClearedLeavesEveryByte) {
    IniFile ini;
    ini.parse("; mine\r\n[A]\r\nRECT=odd\r\n");
    Probe p;
    writeSettings(ini, kRows, p);
    const std::string without = ini.serialize();
    EXPECT_NE(without.find("RECT=odd\r\n"), std::string::npos) << "unknown, so kept";
    p.ours = "v";
    writeSettings(ini, kRows, p);
    EXPECT_EQ(ini.serialize(), without + "\r\n[OURS]\r\nX=v\r\n");
    p.ours.clear();
    writeSettings(ini, kRows, p);
    EXPECT_EQ(ini.serialize(), without);
}

TEST(SettingsTable, MissingKeysKeepOrEmptyAndDependentRowsReadLast) {
    IniFile ini;
    ini.writeInt32("A", "COUNT", 3);
    for (const char* key : {"NAME1", "NAME2", "NAME3"}) {
        ini.writeString("A", key, key[4] == '2' ? "" : "a");
    }
    Probe p;
    p.note = "kept";
    p.ours = "old";
    p.names = {"z"};
    readSettings(ini, kRows, p);
    EXPECT_EQ(p.countSeen, 3);
    EXPECT_EQ(p.note, "kept");
    EXPECT_EQ(p.ours, "");
    EXPECT_EQ(p.names, std::vector<std::string>{"a"}) << "empty names and repeats skipped";
}

} // namespace
} // namespace varnel
