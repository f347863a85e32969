#include "app/ColumnLayout.h"

#include "QtTestApp.h"
#include "app/GearListModel.h"
#include "model/DocumentSettings.h"

#include <QHeaderView>
#include <QTreeView>

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

TEST(ColumnLayout, StoredOrderAndWidthsComeBackAsTheyWereOrAreLeftAside) {
    test::qtTestApp();
    struct Case {
        std::vector<std::int32_t> order, widths, wantOrder;
        int wantWidth3;
    };
    const std::vector<Case> cases{
        // Only the low 16 bits of a width count.
        {{4, 0, 1, 2, 3}, {300, 110, 120, 0x10000 + 130, 140}, {4, 0, 1, 2, 3}, 130},
        // An order of the wrong length is the natural order.
        {{2, 1, 0}, {300, 110, 120, 130, 140}, {0, 1, 2, 3, 4}, 130},
        // A zero first width: every column a quarter of the list.
        {{}, {0, 110, 120, 130, 140}, {0, 1, 2, 3, 4}, 100},
    };
    for (const Case& c : cases) {
        GearDocument document;
        document.userColumnCount = 1;
        GearListModel model(document);
        QTreeView view;
        view.setModel(&model);
        view.resize(420, 300);
        view.viewport()->resize(400, 280);
        DocumentSettings settings;
        settings.userColumnRecords = {{"Brand", ColumnRecord::kAlignLeft, 0}};
        settings.columnOrder = c.order;
        settings.columnWidths = c.widths;
        ColumnLayout layout(model, view, settings);
        layout.applyColumns();
        QWidget window;
        layout.collectSettings(window);
        EXPECT_EQ(settings.columnOrder, c.wantOrder);
        EXPECT_EQ(settings.columnWidths[3], c.wantWidth3);
        EXPECT_EQ(settings.userColumnRecords.at(0).heading, "Brand");
    }
}

} // namespace
} // namespace varnel
