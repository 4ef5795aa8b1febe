#pragma once

namespace qd {

// A place on the screen, in pixels.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

} // namespace qd
