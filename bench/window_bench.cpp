// Opening a huge gear list in the real main window (offscreen): load, model reset and first
// paint of the visible rows; then scrolling one page.
#include "app/GearListView.h"
#include "app/TMiravo99DlgClient.h"
#include "app/TSDIDecFrame.h"
#include "model/FixedText.h"
#include "model/GearDataWriter.h"
#include "model/MemoryRegistry.h"
#include "ui/ScriptedPrompts.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

using namespace varnel;

const char* const kCategories[] = {"Shelter", "Sleep",      "Kitchen",   "Water",   "Clothing",
                                   "Food",    "Navigation", "First aid", "Hygiene", "Tools"};

// A folder holding GearData.dat with `items` items (one row in ten a group of three) and its
// settings, so that the window opens it at start-up without asking anything.
std::unique_ptr<QTemporaryDir> makeFolder(int items) {
    auto dir = std::make_unique<QTemporaryDir>();
    GearDocument doc;
    std::vector<std::unique_ptr<sPubInfo>> rows;
    for (int i = 0; i < items; ++i) {
        auto r = std::make_unique<sPubInfo>();
        setField(r->category, kCategories[i % 10]);
        setField(r->item, "Item " + std::to_string(i * 7919 % 100003));
        setField(r->unitWeight, std::to_string(1 + i % 40) + ".5");
        r->updateLineWeight();
        setField(r->notes, "check the seams");
        r->selected = i % 3 != 0 ? 1 : 0;
        if (i % 10 == 0 && i + 3 < items) {
            r->members = std::make_unique<CMMIList<sPubInfo>>();
            setField(r->collapsedLabel, "+ group");
            setField(r->expandedLabel, "- group");
            for (int m = 0; m < 3; ++m, ++i) {
                auto member = std::make_unique<sPubInfo>();
                setField(member->category, kCategories[i % 10]);
                setField(member->item, "member");
                setField(member->weight, "2.00");
                member->inGroup = 1;
                member->group = r.get();
                r->members->add(std::move(member));
            }
        }
        rows.push_back(std::move(r));
    }
    doc.insertRecords(std::move(rows));
    const std::filesystem::path folder(dir->path().toStdString());
    writeGearDataFile(folder / "GearData.dat", doc);
    // A settings file marks the migration as done.
    std::FILE* ini = std::fopen((folder / "GearData.ini").c_str(), "wb");
    std::fputs("[MISC]\r\nOZ=0000\r\n", ini);
    std::fclose(ini);
    return dir;
}

struct Window {
    ScriptedPrompts prompts;
    MemoryRegistry registry;
    std::unique_ptr<TSDIDecFrame> frame;

    explicit Window(const QTemporaryDir& dir) {
        prompts.setAcknowledgeOkMessages(true);
        ClientEnvironment env;
        env.prompts = &prompts;
        env.settingsRegistry = &registry;
        env.currentFolder = std::filesystem::path(dir.path().toStdString());
        auto* client = new TMiravo99DlgClient(env);
        frame = std::make_unique<TSDIDecFrame>(client);
        client->setupWindow();
        frame->resize(900, 620);
        frame->show();
        // Rendering into a pixmap paints every visible cell, as the first expose would.
        benchmark::DoNotOptimize(frame->client()->listView()->viewport()->grab());
    }
};

void BM_OpenWindow(benchmark::State& state) {
    const auto dir = makeFolder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Window window(*dir);
        state.counters["rows"] = window.frame->client()->document().rowCount();
        state.PauseTiming();
        window.frame.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenWindow)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ScrollPage(benchmark::State& state) {
    const auto dir = makeFolder(static_cast<int>(state.range(0)));
    Window window(*dir);
    GearListView* list = window.frame->client()->listView();
    QScrollBar* bar = list->verticalScrollBar();
    int value = 0;
    for (auto _ : state) {
        value = (value + bar->pageStep()) % std::max(1, bar->maximum());
        bar->setValue(value);
        benchmark::DoNotOptimize(list->viewport()->grab());
    }
    state.counters["rows"] = window.frame->client()->document().rowCount();
    state.counters["pageRows"] = bar->pageStep();
}
BENCHMARK(BM_ScrollPage)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
