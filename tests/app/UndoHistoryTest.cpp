#include "app/UndoHistory.h"

#include "../model/TestRecords.h"
#include "model/DocumentSettings.h"
#include "model/GearDocument.h"
#include "ui/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

// A change of settings only, as the category dialog's closing step is.
DocumentEdit::Action appendToGoal() {
    return [](GearDocument&, DocumentSettings& settings) {
        settings.baseGoal += "x";
        return 0;
    };
}

TEST(UndoHistory, ALaterChangeJoinsTheLastStepOnlyWhenThatStepIsNewAndOnTop) {
    struct Case {
        const char* what;
        bool stepFirst;      // a step made before the dialog opens
        int stepsInDialog;   // steps made while it is open
        bool undoneInDialog; // the last of them taken back there
        int steps;           // after the change
        int rowsAfterUndo;   // after one Undo
    };
    const Case cases[] = {
        {"joins the step made in the dialog", false, 1, false, 1, 0},
        {"its own step when the dialog made none", true, 0, false, 2, 1},
        {"its own step when the dialog's step was undone", false, 1, true, 1, 0},
        {"its own step when a later step waits to be redone", false, 2, true, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GearDocument doc;
        DocumentSettings settings;
        ScriptedPrompts prompts{[](const QString& what) { ADD_FAILURE() << what.toStdString(); }};
        UndoHistory history(doc, settings, prompts, {[] {}, [] {}, [] {}, [](const auto&) {}});
        const auto add = [&history] {
            history.perform(DocumentEdit("Add", [](GearDocument& d, DocumentSettings&) {
                return d.insertRecord(test::item("Food", "Apple"));
            }));
        };
        if (c.stepFirst) {
            add();
        }
        const int before = history.stack().index();
        for (int i = 0; i < c.stepsInDialog; ++i) {
            add();
        }
        if (c.undoneInDialog) {
            history.undo();
        }
        history.extendLastStep(before, "Categories", appendToGoal());
        EXPECT_EQ(history.stack().count(), c.steps);
        EXPECT_EQ(settings.baseGoal, "x");

        history.undo();
        EXPECT_EQ(doc.rowCount(), c.rowsAfterUndo);
        EXPECT_EQ(settings.baseGoal, "");
    }
}

} // namespace
} // namespace varnel
