#include "app/ColumnLayout.h"

#include "app/GearListModel.h"
#include "app/WindowPlacement.h"
#include "model/ColumnIndex.h"
#include "model/DocumentSettings.h"
#include "platform/ColorRef.h"
#include "ui/Cp1252.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <array>
#include <cstdint>

namespace varnel {

namespace {

// The check box and the cell margins beside the category text.
constexpr int kCategoryPadding = 32;
constexpr int kCategoryColumn = columnNumber(ColumnIndex::Category);
constexpr int kWeightColumn = columnNumber(ColumnIndex::Weight);
constexpr int kFirstUserColumn = columnNumber(ColumnIndex::FirstUser);

} // namespace

ColumnLayout::ColumnLayout(GearListModel& model, QTreeView& view, DocumentSettings& settings)
    : model_(model), view_(view), settings_(settings) {}

void ColumnLayout::applyColors() {
    model_.setColors(settings_.backColor, settings_.altColor, settings_.groupColor);
    // The list's background only: the check boxes are drawn from the view's own palette and
    // stay white boxes whatever colour the rows have.
    QPalette palette = view_.viewport()->palette();
    palette.setColor(QPalette::Base, colorFromColorRef(settings_.backColor));
    view_.viewport()->setPalette(palette);
    view_.viewport()->update();
}

void ColumnLayout::applyColumns() {
    applyColors();
    model_.syncColumnCount();

    QStringList headings;
    QList<Qt::Alignment> alignments;
    for (const ColumnRecord& c : settings_.fixedColumns) {
        headings << Cp1252::toUnicode(c.heading);
        alignments << GearListModel::alignmentFromFormat(c.alignment);
    }
    headings[kWeightColumn] = GearListModel::weightHeading(model_.document().metric);
    for (const ColumnRecord& c : settings_.userColumnRecords) {
        headings << Cp1252::toUnicode(c.heading);
        alignments << GearListModel::alignmentFromFormat(c.alignment);
    }
    model_.setHeadings(headings);
    model_.setAlignments(alignments);

    QHeaderView* header = view_.header();
    const int columns = model_.columnCount();
    for (int v = 0; v < columns; ++v) {
        header->moveSection(header->visualIndex(v), v);
    }
    const int quarter = std::max(40, view_.viewport()->width() / 4);
    for (int c = 0; c < columns; ++c) {
        header->resizeSection(c, quarter);
    }
    const auto& widths = settings_.columnWidths;
    if (!widths.empty() && widths[0] != 0) {
        for (int c = 0; c < columns && c < static_cast<int>(widths.size()); ++c) {
            header->resizeSection(c, widths[static_cast<std::size_t>(c)] & 0xFFFF);
        }
    }
    // A category name has up to 16 characters: the column shows them whole.
    const int categoryWidth = view_.fontMetrics().horizontalAdvance(QString(16, QLatin1Char('n'))) +
                              2 * view_.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) +
                              kCategoryPadding;
    header->resizeSection(kCategoryColumn,
                          std::max(header->sectionSize(kCategoryColumn), categoryWidth));
    const auto& order = settings_.columnOrder;
    if (static_cast<int>(order.size()) == columns) {
        for (int v = 0; v < columns; ++v) {
            header->moveSection(header->visualIndex(order[static_cast<std::size_t>(v)]), v);
        }
    }
}

void ColumnLayout::collectSettings(const QWidget& window) {
    QHeaderView* header = view_.header();
    const int columns = model_.columnCount();
    const GearDocument& document = model_.document();
    settings_.metric = document.metric;
    settings_.userColumns = document.userColumnCount;
    for (int c = 0; c < kFirstUserColumn; ++c) {
        auto& record = settings_.fixedColumns[static_cast<std::size_t>(c)];
        record.heading = Cp1252::fromUnicode(model_.heading(c));
        record.alignment = GearListModel::formatFromAlignment(model_.alignment(c));
        record.order = 0;
    }
    settings_.userColumnRecords.clear();
    for (int c = kFirstUserColumn; c < columns; ++c) {
        settings_.userColumnRecords.push_back(
            {Cp1252::fromUnicode(model_.heading(c)),
             GearListModel::formatFromAlignment(model_.alignment(c)), header->visualIndex(c)});
    }
    settings_.columnWidths.assign(static_cast<std::size_t>(columns), 0);
    settings_.columnOrder.assign(static_cast<std::size_t>(columns), 0);
    for (int c = 0; c < columns; ++c) {
        settings_.columnWidths[static_cast<std::size_t>(c)] = header->sectionSize(c);
        settings_.columnOrder[static_cast<std::size_t>(c)] = header->logicalIndex(c);
    }
    const QRect g = window.geometry();
    settings_.coords =
        std::array<std::int32_t, 4>{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void ColumnLayout::applyPlacement(QWidget& window) {
    if (!settings_.coords) {
        return;
    }
    // The stored rectangle may hold anything; a window off every screen is lost to the user.
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens << screen->availableGeometry();
    }
    if (const auto placed = windowPlacement(*settings_.coords, screens, window.size())) {
        window.setGeometry(*placed);
    }
}

} // namespace varnel
