// Composing the printed report's pages against the size of the list.
#include "bench/GroupedRows.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"
#include "output/PageRecorder.h"
#include "output/TMiravoPrintout.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <malloc.h>

namespace {

using namespace varnel;

std::unique_ptr<sPubInfo> makeItem(int i) {
    return bench::benchItem(i, " ultralight", "bought in spring, check the seams");
}

std::unique_ptr<GearDocument> makeDocument(int items) {
    return bench::groupedDocument(items, makeItem);
}

const GearDocument& document(int items) {
    static std::map<int, std::unique_ptr<GearDocument>> cache;
    auto& doc = cache[items];
    if (!doc) {
        // Saved once and opened again, as a document is at start-up: the records then lie in
        // memory in list order, as they do for the user.
        const std::string bytes = serializeGearData(*makeDocument(items));
        doc = std::make_unique<GearDocument>();
        parseGearData({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, *doc);
    }
    return *doc;
}

// A letter page at 600 dpi in a 10-point fixed-pitch font: 72 columns, 49 lines.
const PrintMetrics kLetter{{4800, 6600, 600}, 120, 65};
const PrintHeadings kHeadings{"Category", "Item", "Weight (oz)"};
constexpr PrintOptions kEverything{true, true, true};

// What a painter would be handed, without the painting.
class CountingCanvas : public PrintCanvas {
public:
    void text(int x, int y, std::string_view cp1252, TextAnchor /*anchor*/) override {
        bytes_ += cp1252.size() + static_cast<std::size_t>(x + y > 0);
    }
    [[nodiscard]] std::size_t bytes() const { return bytes_; }

private:
    std::size_t bytes_ = 0;
};

// Baseline: every printed field of every record read once, in list order, without composing.
void walk(benchmark::State& state) {
    const GearDocument& doc = document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::size_t bytes = 0;
        const auto touch = [&](const sPubInfo& r) {
            bytes += fieldText(r.category).size() + fieldText(r.item).size() +
                     fieldText(r.weight).size() + fieldText(r.notes).size();
        };
        for (const GearRow& row : doc.rows()) {
            if (row.record->members) {
                row.record->members->forEach(touch);
            } else {
                touch(*row.record);
            }
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// Every page composed and handed to a canvas, as printing does.
void compose(benchmark::State& state) {
    const GearDocument& doc = document(static_cast<int>(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        TMiravoPrintout printout(doc, kHeadings, kEverything, kLetter);
        CountingCanvas canvas;
        while (printout.hasPage()) {
            printout.printPage(canvas);
        }
        pages = printout.pagesPrinted();
        benchmark::DoNotOptimize(canvas.bytes());
    }
    state.counters["pages"] = pages;
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

// The same, every page kept in memory, as a preview that draws them later would.
void composeAndKeep(benchmark::State& state) {
    const GearDocument& doc = document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TMiravoPrintout printout(doc, kHeadings, kEverything, kLetter);
        PageRecorder recorder;
        while (printout.hasPage()) {
            recorder.startPage();
            printout.printPage(recorder);
        }
        benchmark::DoNotOptimize(recorder.pages().data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

#define SIZES Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(walk)->SIZES;
BENCHMARK(compose)->SIZES;
BENCHMARK(composeAndKeep)->SIZES;

} // namespace

int main(int argc, char** argv) {
    // Freed memory stays with the process, as in the data file benchmarks: otherwise the page
    // faults of a heap handed back between iterations swamp what is measured.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
