#include "model/HideViewRefusal.h"
#include "model/GearDocument.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(HideViewRefusalTest, NamesTheWayOutOfTheActiveViewAndTheVerb) {
    struct Case {
        bool nonSelected, selected;
        const char* text; // nullptr: no refusal
    };
    for (const Case& c : {
             Case{false, false, nullptr},
             Case{true, false,
                  "Please uncheck the \"Hide Non-Selected Items\" checkbox before saving"},
             Case{false, true, "Please select the \"Show Selected\" menu item before saving"},
             Case{true, true,
                  "Please uncheck the \"Hide Non-Selected Items\" checkbox before saving"},
         }) {
        GearDocument doc;
        doc.hideNonSelected = c.nonSelected;
        doc.hideSelected = c.selected;
        const auto refusal = hideViewRefusal(doc, "saving");
        ASSERT_EQ(refusal.has_value(), c.text != nullptr);
        if (refusal) {
            EXPECT_EQ(*refusal, (UserMessage{c.text, "Important!", MessageIcon::Exclamation}));
        }
    }
}

} // namespace
} // namespace varnel
