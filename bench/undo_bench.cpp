// Each kind of step on a list of 100,000 items: made the first time, taken back, made again.
// The counters first_ms, undo_ms and redo_ms are per step, in processor time; the sort by weight
// is measured as a heading click makes it.
#include "GroupedRows.h"
#include "model/DocumentEdits.h"
#include "model/DocumentSettings.h"
#include "model/GearDocument.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <string>

namespace varnel {
namespace {

constexpr int kItems = 100000;

struct List {
    GearDocument doc;
    DocumentSettings settings;

    List() {
        bench::addGroupedRows(doc, kItems, [](int i) {
            auto r = bench::benchItem(i, "", "spare");
            bench::checkAndDescribe(*r, i);
            return r;
        });
        for (const char* name : bench::kCategories) {
            addCategory(doc, name);
        }
        rebuildCategoryChoices(doc);
        appendUserColumn(doc, settings, "Shop", ColumnRecord::kAlignLeft);
        appendUserColumn(doc, settings, "Plan", ColumnRecord::kAlignLeft);
    }
};

List& list() {
    static List l;
    return l;
}

// The thread's processor time: on a shared machine the wall clock counts the others' work too.
double millisecondsOf(const std::function<void()>& run) {
    const auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    };
    const double start = now();
    run();
    return now() - start;
}

using MakeEdit = std::function<DocumentEdit(GearDocument&)>;

// Made, taken back, made again and taken back, so that the list is the same for every round.
void step(benchmark::State& state, const MakeEdit& make) {
    List& l = list();
    double first = 0;
    double undo = 0;
    double redo = 0;
    for (auto _ : state) {
        DocumentEdit edit = make(l.doc);
        first += millisecondsOf([&] { edit.apply(l.doc, l.settings); });
        const double back = millisecondsOf([&] { edit.revert(l.doc, l.settings); });
        const double again = millisecondsOf([&] { edit.apply(l.doc, l.settings); });
        edit.revert(l.doc, l.settings);
        undo += back;
        redo += again;
        state.SetIterationTime((back + again) / 1000.0);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["first_ms"] = first / n;
    state.counters["undo_ms"] = undo / n;
    state.counters["redo_ms"] = redo / n;
}

ItemFields fields() {
    return {"Kitchen", "Spork", "", "0.4", "1", {"REI", ""}};
}

int firstGroup(const GearDocument& doc) {
    for (int r = 0; r < doc.rowCount(); ++r) {
        if (doc.row(r).isGroupRow()) {
            return r;
        }
    }
    return -1;
}

#define STEP(name, ...)                                                                            \
    BENCHMARK_CAPTURE(step, name,                                                                  \
                      [](GearDocument& d) {                                                        \
                          (void)d;                                                                 \
                          return __VA_ARGS__;                                                      \
                      })                                                                           \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond)

STEP(check, checkEdit(kItems / 3, !d.row(kItems / 3).checked()));
STEP(select_all, selectAllEdit());
STEP(clear_selected, clearSelectedEdit());
STEP(add, addItemEdit(fields(), false));
STEP(modify, modifyItemEdit(5, fields()));
STEP(delete_one, deleteRowsEdit({d.rowCount() / 2}));
STEP(delete_1000, deleteRowsEdit([&d] {
         std::vector<int> rows;
         for (int r = 0; r < d.rowCount() && rows.size() < 1000; r += 17) {
             rows.push_back(r);
         }
         return rows;
     }()));
STEP(create_group, createGroupEdit(1, 2, "Bench group", ""));
STEP(join_group, joinGroupEdit(d.rowCount() - 1, firstGroup(d)));
STEP(add_category, addCategoryEdit("Extra"));
STEP(rename_category, renameCategoryEdit("Kitchen", "Cook"));
STEP(delete_category, deleteCategoryEdit("Water"));
STEP(add_column, addColumnEdit("Where", ColumnRecord::kAlignLeft));
STEP(delete_column, deleteColumnsEdit({0}));
STEP(modify_column, modifyColumnEdit(4, "Store", ColumnRecord::kAlignRight));
STEP(convert, convertEdit());
STEP(import, importLighterPackEdit(parseLighterPackCsv("Item Name,Category,desc,qty,weight,unit\n"
                                                       "Tent,Shelter,,1,2,pound\n"
                                                       "Quilt,Sleep,,1,20,ounce\n",
                                                       d.metric),
                                   {}, {}, nullptr));

// Remove from Group needs the group open; opening it is not part of the step.
void removeFromGroup(benchmark::State& state) {
    List& l = list();
    const int g = firstGroup(l.doc);
    l.doc.toggleGroup(g);
    step(state, [g](GearDocument&) { return removeFromGroupEdit(g + 1); });
    l.doc.toggleGroup(g);
}
BENCHMARK(removeFromGroup)->UseManualTime()->Unit(benchmark::kMillisecond);

// A sort by weight, as a click on the heading makes it (the direction turns each time).
void sortByWeight(benchmark::State& state) {
    List& l = list();
    for (auto _ : state) {
        state.SetIterationTime(millisecondsOf([&] { l.doc.sortByColumn(2); }) / 1000.0);
    }
    l.doc.sortByColumn(0);
}
BENCHMARK(sortByWeight)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace varnel

BENCHMARK_MAIN();
