// Reading, loading and writing gear data files against the cost of moving their bytes.
#include "bench/GroupedRows.h"
#include "model/FixedText.h"
#include "model/GearDataReader.h"
#include "model/GearDataWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace {

using namespace varnel;
namespace fs = std::filesystem;

std::unique_ptr<sPubInfo> makeItem(int i) {
    auto r = bench::benchItem(i, " ultralight", "bought in spring, check the seams");
    bench::checkAndDescribe(*r, i);
    return r;
}

std::unique_ptr<GearDocument> makeDocument(int items) {
    auto doc = std::make_unique<GearDocument>();
    for (const char* c : bench::kCategories) {
        doc->categoryChoices.push_back({c, 0});
    }
    bench::addGroupedRows(*doc, items, makeItem);
    return doc;
}

std::span<const unsigned char> asBytes(const std::string& s) {
    return {reinterpret_cast<const unsigned char*>(s.data()), s.size()};
}

struct Fixture {
    std::unique_ptr<GearDocument> doc;
    std::string bytes;
    std::string bytesByWeight; // saved while the list was sorted by weight
    fs::path file;
};

std::map<int, Fixture>& fixtures() {
    static std::map<int, Fixture> cache;
    return cache;
}

const Fixture& fixture(int items) {
    auto [it, fresh] = fixtures().try_emplace(items);
    Fixture& f = it->second;
    if (fresh) {
        auto made = makeDocument(items);
        f.bytes = serializeGearData(*made);
        made->sortByColumn(2);
        f.bytesByWeight = serializeGearData(*made);
        // Saved once and opened again, as a document is at start-up: the records then lie in
        // memory in list order, as they do for the user.
        f.doc = std::make_unique<GearDocument>();
        parseGearData(asBytes(f.bytes), *f.doc);
        f.file = fs::temp_directory_path() / ("varnel-bench-" + std::to_string(items) + "-" +
                                              std::to_string(::getpid()) + ".dat");
        std::ofstream(f.file, std::ios::binary) << f.bytes;
    }
    return f;
}

void setCounters(benchmark::State& state, const Fixture& f) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(f.bytes.size()));
}

void destroyUntimed(benchmark::State& state, std::unique_ptr<GearDocument>& doc) {
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
}

// Baseline: the file's bytes into memory.
void rawRead(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::ifstream in(f.file, std::ios::binary);
        std::vector<unsigned char> bytes(fs::file_size(f.file));
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    setCounters(state, f);
}

// The file into records: its bytes into memory, then decoded.
void read(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto content = std::make_unique<GearDataContent>(decodeGearDataFile(f.file));
        benchmark::DoNotOptimize(content.get());
        state.PauseTiming();
        content.reset();
        state.ResumeTiming();
    }
    setCounters(state, f);
}

// The file into a document's rows, as Open does.
void open(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto doc = std::make_unique<GearDocument>();
        benchmark::DoNotOptimize(readGearDataFile(f.file, *doc));
        destroyUntimed(state, doc);
    }
    setCounters(state, f);
}

void loadBytes(benchmark::State& state, const std::string& file) {
    for (auto _ : state) {
        auto doc = std::make_unique<GearDocument>();
        benchmark::DoNotOptimize(parseGearData(asBytes(file), *doc));
        destroyUntimed(state, doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(file.size()));
}

// Bytes already in memory into rows: decoding and the list's insertion rule.
void load(benchmark::State& state) {
    loadBytes(state, fixture(static_cast<int>(state.range(0))).bytes);
}

// The same from a file whose rows are out of list order, so that loading has to sort.
void loadUnordered(benchmark::State& state) {
    loadBytes(state, fixture(static_cast<int>(state.range(0))).bytesByWeight);
}

// Baseline: the same bytes written to a file and synced, as any safe save must.
void rawWrite(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<int>(state.range(0)));
    const fs::path out = f.file.string() + ".raw";
    for (auto _ : state) {
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, f.bytes.data(), f.bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
    fs::remove(out);
    setCounters(state, f);
}

// The document saved: serialised, written beside the target, synced and renamed.
void write(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<int>(state.range(0)));
    const fs::path out = f.file.string() + ".out";
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeGearDataFile(out, *f.doc));
    }
    fs::remove(out);
    setCounters(state, f);
}

// The document to bytes alone, for telling the format's cost from the disk's.
void serialize(benchmark::State& state) {
    const Fixture& f = fixture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(serializeGearData(*f.doc));
    }
    setCounters(state, f);
}

#define SIZES Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(rawRead)->SIZES;
BENCHMARK(read)->SIZES;
BENCHMARK(open)->SIZES;
BENCHMARK(load)->SIZES;
BENCHMARK(loadUnordered)->SIZES;
BENCHMARK(rawWrite)->SIZES;
BENCHMARK(write)->SIZES;
BENCHMARK(serialize)->SIZES;

// One row's bytes as the file holds them: what a one-row list writes after its empty category
// section.
std::string rowBytes(const sPubInfo& record) {
    GearDocument one;
    one.insertRecord(record.clone());
    const std::string all = serializeGearData(one);
    return all.substr(all.find("\r\n\r\n") + 4);
}

// Files for timing whole processes (hyperfine, /usr/bin/time): the same 100,000 items in list
// order, in weight order and in random order, and an empty list.
int writeFiles(const fs::path& folder) {
    constexpr int kItems = 100000;
    const auto doc = makeDocument(kItems);
    const auto save = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    };
    save("listed.dat", serializeGearData(*doc));
    GearDocument empty;
    save("empty.dat", serializeGearData(empty));

    const std::string listed = serializeGearData(*doc);
    const std::string head = listed.substr(0, listed.find("\r\n\r\n") + 4);
    std::vector<std::string> rows;
    for (int r = 0; r < doc->rowCount(); ++r) {
        rows.push_back(rowBytes(doc->record(r)));
    }
    std::shuffle(rows.begin(), rows.end(), std::mt19937(20261208));
    std::string shuffled = head;
    for (const std::string& r : rows) {
        shuffled += r;
    }
    save("random.dat", shuffled);
    doc->sortByColumn(2);
    save("by-weight.dat", serializeGearData(*doc));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    constexpr std::string_view kWriteFiles = "--write-files=";
    if (argc == 2 && std::string_view(argv[1]).starts_with(kWriteFiles)) {
        return writeFiles(fs::path(argv[1] + kWriteFiles.size()));
    }
    // Freed memory stays with the process, as in a program that opens one file after another.
    // Otherwise glibc hands the heap back between iterations whenever its heuristics say so, and
    // the page faults that bring it back (very dear on virtual machines) swamp what is measured.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [items, f] : fixtures()) {
        fs::remove(f.file);
    }
    return 0;
}
