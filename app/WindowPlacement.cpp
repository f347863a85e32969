#include "app/WindowPlacement.h"

#include <algorithm>
#include <climits>

namespace varnel {

namespace {

// 64 bits throughout: any two int32 values subtract and multiply without overflow.
struct Span {
    std::int64_t low;
    std::int64_t high; // one past the end
    [[nodiscard]] std::int64_t size() const { return high - low; }
};

std::int64_t overlap(Span a, Span b) {
    return std::max<std::int64_t>(0, std::min(a.high, b.high) - std::max(a.low, b.low));
}

int boundedSize(std::int64_t stored, int fallback, int available) {
    const std::int64_t size = stored > 0 ? stored : fallback;
    return static_cast<int>(std::clamp<std::int64_t>(size, 1, std::max(1, available)));
}

} // namespace

std::optional<QRect> windowPlacement(const std::array<std::int32_t, 4>& coords,
                                     const QList<QRect>& screens, QSize current) {
    if (coords[2] == 0 || coords[3] == 0) {
        return std::nullopt;
    }
    const Span x{coords[0], coords[2]};
    const Span y{coords[1], coords[3]};
    const bool usable = x.size() > 0 && y.size() > 0;
    if (usable && x.size() <= INT_MAX && y.size() <= INT_MAX) {
        // Areas in double: two sides of up to 2^31 multiply beyond what 64 bits hold signed.
        const double area = static_cast<double>(x.size()) * static_cast<double>(y.size());
        double onScreens = 0;
        for (const QRect& s : screens) {
            const Span sx{s.x(), std::int64_t{s.x()} + s.width()};
            const Span sy{s.y(), std::int64_t{s.y()} + s.height()};
            onScreens += static_cast<double>(overlap(x, sx)) * static_cast<double>(overlap(y, sy));
        }
        if (2 * onScreens > area) {
            return QRect(coords[0], coords[1], static_cast<int>(x.size()),
                         static_cast<int>(y.size()));
        }
    }
    if (screens.isEmpty()) {
        return std::nullopt;
    }
    const QRect& screen = screens.front();
    const int width = boundedSize(usable ? x.size() : 0, current.width(), screen.width());
    const int height = boundedSize(usable ? y.size() : 0, current.height(), screen.height());
    return QRect(screen.x() + (screen.width() - width) / 2,
                 screen.y() + (screen.height() - height) / 2, width, height);
}

} // namespace varnel
