// Any bytes read as a LighterPack list: nothing may overrun, every item must fit its record,
// and what the items become must export and read back as the same items.
#include "model/LighterPackImport.h"
#include "output/ExportLighterPack.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace varnel;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void check(std::string_view bytes, bool metric) {
    const LighterPackList list = parseLighterPackCsv(bytes, metric);
    if (!list.recognised) {
        if (!list.items.empty() || !list.skipped.empty()) {
            fail("a refused file gave rows");
        }
        return;
    }
    for (const LighterPackItem& item : list.items) {
        const ItemFields& f = item.fields;
        if (f.category.empty() || f.category.size() > sCategory60::kMaxName ||
            f.item.size() > kMaxItemLength || f.notes.size() > kMaxNotesLength ||
            f.unitWeight.size() > kMaxUnitWeightLength ||
            f.multiplier.size() > kMaxMultiplierLength) {
            fail("a text does not fit its field");
        }
        for (const std::string& extra : item.extras) {
            if (extra.size() > kMaxColumnTextLength) {
                fail("an extra field does not fit a column text");
            }
        }
    }

    const std::vector<std::string> headings(kLighterPackExtraNames.begin(),
                                            kLighterPackExtraNames.end());
    GearDocument doc;
    doc.metric = metric;
    doc.userColumnCount = static_cast<int>(headings.size());
    const LighterPackAdded added = addLighterPackItems(doc, list, headings);
    if (added.items != static_cast<int>(list.items.size())) {
        fail("an item that was read was not added");
    }
    const LighterPackList back = parseLighterPackCsv(exportLighterPackBytes(doc, headings), metric);
    if (!back.recognised || back.items.size() != list.items.size() || !back.skipped.empty()) {
        fail("the export did not read back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes, false);
    check(bytes, true);
    return 0;
}
