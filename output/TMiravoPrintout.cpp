#include "output/TMiravoPrintout.h"

#include "model/FixedText.h"
#include "model/WeightText.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace varnel {

namespace {

// `total += value` as C does it with a float total and a double value.
void add(float& total, double value) {
    total = static_cast<float>(total + value);
}

} // namespace

TMiravoPrintout::TMiravoPrintout(const GearDocument& document, PrintHeadings headings,
                                 PrintOptions options, const PrintMetrics& metrics,
                                 std::string title)
    : document_(document), headings_(std::move(headings)), options_(options), metrics_(metrics),
      title_(std::move(title)) {}

int TMiravoPrintout::lineY(std::int64_t n) const {
    const std::int64_t y = n * metrics_.line();
    return static_cast<int>(std::clamp<std::int64_t>(y, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void TMiravoPrintout::line(PrintCanvas& canvas, std::string_view text) const {
    canvas.text(metrics_.character(), lineY(n_), text, TextAnchor::TopLeft);
}

void TMiravoPrintout::categoryTotal(PrintCanvas& canvas) {
    line(canvas, printCategoryTotalLine(categoryTotal_));
    n_ += 1;
    line(canvas, printCategoryRuleLine());
    n_ += 2;
    categoryTotal_ = 0.0F;
}

void TMiravoPrintout::itemLines(PrintCanvas& canvas, const sPubInfo& record,
                                std::string_view category) {
    line(canvas, printItemLine(category, fieldText(record.item), fieldText(record.weight)));
    if (options_.printNotes) {
        n_ += 1;
        line(canvas, fieldText(record.notes));
    }
    n_ += 1;
}

std::int64_t TMiravoPrintout::closingLastLine() const {
    // Two lines down, the category total and its rule, a blank line, the grand total.
    if (options_.grandTotal) {
        return n_ + (options_.totalEachCategory ? 5 : 2);
    }
    return options_.totalEachCategory ? n_ + 3 : 0;
}

int TMiravoPrintout::pageCount(const GearDocument& document, const PrintHeadings& headings,
                               PrintOptions options, const PrintMetrics& metrics) {
    class Discard final : public PrintCanvas {
    public:
        void text(int /*x*/, int /*y*/, std::string_view /*cp1252*/,
                  TextAnchor /*anchor*/) override {}
    } discard;
    TMiravoPrintout printout(document, headings, options, metrics);
    while (printout.printPage(discard) != 0) {
    }
    return printout.pagesPrinted();
}

void TMiravoPrintout::pageNumber(PrintCanvas& canvas) const {
    const std::int64_t x = static_cast<std::int64_t>(metrics_.character()) * metrics_.columns() / 2;
    canvas.text(static_cast<int>(x), metrics_.page.height - metrics_.line(),
                printPageNumberLine(page_), TextAnchor::TopCentre);
}

bool TMiravoPrintout::reachesPageNumber(std::int64_t n) const {
    return (n + 2) * metrics_.line() > metrics_.page.height;
}

bool TMiravoPrintout::groupLines(PrintCanvas& canvas, const CMMIList<sPubInfo>& members) {
    const int count = members.count();
    const std::int64_t perMember = options_.printNotes ? 2 : 1;
    // Front to back, as the list shows them: the oldest member is the last.
    for (int k = resumeMember_; k < count; ++k) {
        const sPubInfo& member = *members.at(count - k);
        itemLines(canvas, member, fieldText(member.category));
        const double w = weightValue(fieldText(member.weight));
        add(categoryTotal_, w);
        add(grandTotal_, w);
        if (k + 1 < count && reachesPageNumber(n_ + perMember - 1)) {
            resumeMember_ = k + 1;
            return false;
        }
    }
    resumeMember_ = 0;
    return true;
}

int TMiravoPrintout::printPage(PrintCanvas& canvas) {
    if (!morePages_) {
        return 0;
    }
    ++page_;
    const int c = metrics_.character();
    const auto titleLength = static_cast<int>(std::min<std::size_t>(title_.size(), 1U << 16));
    canvas.text(((metrics_.columns() - titleLength) / 2) * c, 0, title_, TextAnchor::TopLeft);
    n_ = 2;
    line(canvas, printHeadingLine(headings_));
    n_ = 3;
    line(canvas, kPrintRule);
    n_ = kFirstRowLine;

    if (page_ == 1) {
        rowsRemaining_ = document_.rowCount();
        nextRow_ = 0;
        categoryTotal_ = 0.0F;
        grandTotal_ = 0.0F;
    }
    pageCategories_.clear();

    const std::int64_t bottom = metrics_.bottomLimit();
    for (;;) {
        if (rowsRemaining_ <= 0 || nextRow_ >= document_.rowCount()) {
            // Totals that would reach the bottom limit would meet the page number or run off
            // the page: they go onto a page of their own, where they always print.
            if (n_ > kFirstRowLine && closingLastLine() * metrics_.line() >= bottom) {
                pageNumber(canvas);
                return page_;
            }
            n_ += 2;
            if (options_.totalEachCategory) {
                categoryTotal(canvas);
            }
            if (options_.grandTotal) {
                line(canvas, printGrandTotalLine(grandTotal_));
                categoryTotal_ = 0.0F;
                grandTotal_ = 0.0F;
            }
            pageNumber(canvas);
            morePages_ = false;
            return page_;
        }

        const GearRow& row = document_.row(nextRow_);
        const sPubInfo& record = *row.record;
        if (resumeMember_ > 0) {
            if (!groupLines(canvas, *record.members)) {
                pageNumber(canvas);
                return page_;
            }
        } else if (!row.isMemberRow()) { // its group row prints it
            const std::string_view category = fieldText(record.category);
            // A group that would reach the page number starts a page of its own; one longer
            // than a page goes on over the next.
            if (record.members && n_ > kFirstRowLine) {
                const bool total = options_.totalEachCategory && nextRow_ != 0 &&
                                   !pageCategories_.contains(category);
                const std::int64_t lines =
                    (total ? 3 : 0) + record.members->count() *
                                          static_cast<std::int64_t>(options_.printNotes ? 2 : 1);
                if (reachesPageNumber(n_ + lines - 1)) {
                    pageNumber(canvas);
                    return page_;
                }
            }
            const bool first = pageCategories_.insert(category).second;
            if (options_.totalEachCategory && first && nextRow_ != 0) {
                categoryTotal(canvas);
            }
            const double weight = weightValue(fieldText(record.weight));
            add(categoryTotal_, weight);
            add(grandTotal_, weight);
            if (record.members) {
                if (!groupLines(canvas, *record.members)) {
                    pageNumber(canvas);
                    return page_;
                }
            } else {
                itemLines(canvas, record, first ? category : std::string_view(" "));
            }
        }
        --rowsRemaining_;
        ++nextRow_;

        if ((n_ - 1) * metrics_.line() >= bottom) {
            pageNumber(canvas);
            return page_;
        }
    }
}

} // namespace varnel
