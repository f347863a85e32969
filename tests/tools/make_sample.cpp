// Writes the sample gear list and its settings file into a folder (resources/sample by default).

#include "SampleGearList.h"
#include "model/DocumentSettings.h"
#include "model/GearDataWriter.h"
#include "model/IniFile.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char* argv[]) {
    using namespace varnel;
    const std::filesystem::path folder = argc > 1 ? argv[1] : "resources/sample";
    GearDocument doc;
    sample::buildSampleDocument(doc);
    if (const auto outcome = writeGearDataFile(folder / "GearData.dat", doc); !outcome.ok()) {
        std::fprintf(stderr, "make_sample: %s\n", outcome.reason.c_str());
        return 1;
    }
    DocumentSettings settings;
    settings.userColumns = 1;
    settings.userColumnRecords = {{"Brand", ColumnRecord::kAlignLeft, 4}};
    settings.columnWidths = {110, 190, 90, 220, 110};
    settings.coords = std::array<std::int32_t, 4>{80, 60, 900, 640};
    IniFile ini;
    writeDocumentSettings(ini, settings);
    if (const auto error = ini.save(folder / "GearData.ini")) {
        std::fprintf(stderr, "make_sample: %s\n", error.message().c_str());
        return 1;
    }
    return 0;
}
