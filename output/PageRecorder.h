#pragma once
// A canvas that keeps what was printed on it: for tests, and for drawing the pages later.

#include "output/PrintCanvas.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varnel {

struct PrintedText {
    int x = 0;
    int y = 0;
    std::string text; // Windows-1252
    TextAnchor anchor = TextAnchor::TopLeft;

    bool operator==(const PrintedText&) const = default;
};

using PrintedPage = std::vector<PrintedText>;

class PageRecorder : public PrintCanvas {
public:
    // Texts printed from now on go to a new page.
    void startPage() { pages_.emplace_back(); }

    void text(int x, int y, std::string_view cp1252, TextAnchor anchor) override {
        if (pages_.empty()) {
            startPage();
        }
        pages_.back().push_back({x, y, std::string(cp1252), anchor});
    }

    [[nodiscard]] const std::vector<PrintedPage>& pages() const { return pages_; }
    std::vector<PrintedPage> takePages() { return std::move(pages_); }

private:
    std::vector<PrintedPage> pages_;
};

} // namespace varnel
