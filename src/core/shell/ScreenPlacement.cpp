#include "shell/ScreenPlacement.h"

#include <algorithm>
#include <cstdint>

namespace qd {

namespace {

// 64-bit, so that a far-off place plus a size cannot overflow.
struct Box {
    std::int64_t left, top, right, bottom;
};

std::int64_t overlap(std::int64_t low1, std::int64_t high1, std::int64_t low2, std::int64_t high2) {
    return std::max<std::int64_t>(0, std::min(high1, high2) - std::max(low1, low2));
}

std::int64_t gap(std::int64_t low1, std::int64_t high1, std::int64_t low2, std::int64_t high2) {
    return std::max<std::int64_t>({0, low2 - high1, low1 - high2});
}

// The platform's rule for the nearest monitor: the largest shared area, else
// the shortest distance.
const ScreenArea& nearestArea(const Box& box, const std::vector<ScreenArea>& areas) {
    const ScreenArea* best = &areas.front();
    std::int64_t bestShared = -1;
    std::int64_t bestDistance = INT64_MAX;
    for (const ScreenArea& area : areas) {
        const std::int64_t shared = overlap(box.left, box.right, area.left, area.right) *
                                    overlap(box.top, box.bottom, area.top, area.bottom);
        const std::int64_t dx = gap(box.left, box.right, area.left, area.right);
        const std::int64_t dy = gap(box.top, box.bottom, area.top, area.bottom);
        const std::int64_t distance = dx * dx + dy * dy;
        if (shared > bestShared || (shared == 0 && bestShared == 0 && distance < bestDistance)) {
            best = &area;
            bestShared = shared;
            bestDistance = distance;
        }
    }
    return *best;
}

bool meetsAnArea(const Box& box, const std::vector<ScreenArea>& areas) {
    return std::any_of(areas.begin(), areas.end(), [&](const ScreenArea& area) {
        return overlap(box.left, box.right, area.left, area.right) > 0 &&
               overlap(box.top, box.bottom, area.top, area.bottom) > 0;
    });
}

} // namespace

WindowPlacement fitToScreen(const WindowPlacement& saved, const WindowPlacement& design,
                            const std::vector<ScreenArea>& workAreas) {
    // The size is judged on the work area the window's corner lies nearest to.
    const ScreenArea& home = nearestArea(
        {saved.left, saved.top, std::int64_t{saved.left} + 1, std::int64_t{saved.top} + 1},
        workAreas);
    WindowPlacement fitted = saved;
    bool resized = false;
    if (saved.width <= 0 || saved.width > home.right - home.left) {
        fitted.width = design.width;
        resized = true;
    }
    if (saved.height <= 0 || saved.height > home.bottom - home.top) {
        fitted.height = design.height;
        resized = true;
    }
    const Box box{fitted.left, fitted.top, std::int64_t{fitted.left} + fitted.width,
                  std::int64_t{fitted.top} + fitted.height};
    if (!resized && meetsAnArea(box, workAreas)) return fitted;

    const ScreenArea& area = resized ? home : nearestArea(box, workAreas);
    fitted.width = std::min(fitted.width, area.right - area.left);
    fitted.height = std::min(fitted.height, area.bottom - area.top);
    fitted.left = std::clamp(fitted.left, area.left, area.right - fitted.width);
    fitted.top = std::clamp(fitted.top, area.top, area.bottom - fitted.height);
    return fitted;
}

} // namespace qd
