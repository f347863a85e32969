// Finding an item in a large list from the keyboard: the worst case, a text no row holds, walks
// every row and every member of the collapsed groups.
#include "bench/GroupedRows.h"
#include "model/GearDocument.h"
#include "model/ItemFind.h"

#include <benchmark/benchmark.h>

namespace {

using namespace varnel;

void findNothing(benchmark::State& state) {
    const auto doc = bench::groupedDocument(static_cast<int>(state.range(0)), [](int i) {
        return bench::benchItem(i, " ultralight", "check the seams");
    });
    for (auto _ : state) {
        benchmark::DoNotOptimize(findItem(*doc, "No Such Thing", 0, true));
    }
}
BENCHMARK(findNothing)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
