// Each export of a large list against the cost of copying as many bytes as it writes.
#include "bench/GroupedRows.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "output/ExportWriter.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>

namespace {

using namespace varnel;

std::unique_ptr<sPubInfo> makeItem(int i) {
    // One item in fifty has something to escape or quote.
    auto r = bench::benchItem(i, i % 50 == 0 ? " pots & pans, \"big\"" : " ultralight",
                              i % 20 == 0 ? "caf\xe9 stop, check the seams" : "check the seams");
    bench::checkAndDescribe(*r, i);
    return r;
}

std::unique_ptr<GearDocument> makeDocument(int items) {
    return bench::groupedDocument(items, makeItem);
}

const ExportHeadings kHeadings{{"Category", "Item", "Weight (oz)", "Notes"}, {"Brand", "Bought"}};
const ExportOptions kOptions{false, true, true, "Gear list"};

// Saved once and opened again, as a document is at start-up: the records then lie in memory in
// list order, as they do for the user.
const GearDocument& document(int items) {
    static std::map<int, std::unique_ptr<GearDocument>> cache;
    auto& doc = cache[items];
    if (!doc) {
        const std::string file = serializeGearData(*makeDocument(items));
        doc = std::make_unique<GearDocument>();
        parseGearData({reinterpret_cast<const unsigned char*>(file.data()), file.size()}, *doc);
    }
    return *doc;
}

void exportFormat(benchmark::State& state, ExportFormat format) {
    const GearDocument& doc = document(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string bytes = exportBytes(format, doc, kHeadings, kOptions);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Baseline: as many bytes as the export writes, copied from one buffer into a fresh one.
void copyLikeExport(benchmark::State& state, ExportFormat format) {
    const GearDocument& doc = document(static_cast<int>(state.range(0)));
    const std::string source = exportBytes(format, doc, kHeadings, kOptions);
    for (auto _ : state) {
        auto copy = std::make_unique_for_overwrite<char[]>(source.size());
        std::memcpy(copy.get(), source.data(), source.size());
        benchmark::DoNotOptimize(copy.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * source.size()));
}

#define SIZES Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK_CAPTURE(copyLikeExport, text, ExportFormat::Text)->SIZES;
BENCHMARK_CAPTURE(exportFormat, text, ExportFormat::Text)->SIZES;
BENCHMARK_CAPTURE(copyLikeExport, comma, ExportFormat::Comma)->SIZES;
BENCHMARK_CAPTURE(exportFormat, comma, ExportFormat::Comma)->SIZES;
BENCHMARK_CAPTURE(copyLikeExport, html, ExportFormat::Html)->SIZES;
BENCHMARK_CAPTURE(exportFormat, html, ExportFormat::Html)->SIZES;
BENCHMARK_CAPTURE(copyLikeExport, xml, ExportFormat::Xml)->SIZES;
BENCHMARK_CAPTURE(exportFormat, xml, ExportFormat::Xml)->SIZES;

} // namespace

int main(int argc, char** argv) {
    // As in the gear data benchmark: freed memory stays with the process, so that neither side
    // pays page faults the other does not.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
