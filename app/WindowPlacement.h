#pragma once
// Where the window goes for the rectangle stored in a settings file, which may hold anything.

#include <QList>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <optional>

namespace varnel {

// `coords` is left, top, right, bottom; `screens` are the available areas, the primary first.
// The stored rectangle is used when more than half of it lies on the screens; a rectangle off
// every screen, or larger than them, is replaced by one centred on the primary screen, as large
// as stored but no larger than that screen (`current` when the stored size is unusable).
// Nothing is placed (nullopt) when right or bottom is 0, as the stored rectangle then means none.
std::optional<QRect> windowPlacement(const std::array<std::int32_t, 4>& coords,
                                     const QList<QRect>& screens, QSize current);

} // namespace varnel
