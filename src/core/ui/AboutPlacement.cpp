#include "ui/AboutPlacement.h"

namespace qd {

ScreenPoint aboutBoxPosition(int mainLeft, int mainTop, int mainWidth, int aboutWidth,
                             int smallCaptionHeight, int gridTop, int rowHeight) {
    return {mainLeft - (aboutWidth - mainWidth) / 2 + 10,
            smallCaptionHeight + mainTop + gridTop + rowHeight / 2};
}

} // namespace qd
