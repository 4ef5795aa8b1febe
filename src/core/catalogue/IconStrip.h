#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/ItemTable.h"

namespace qd {

// The catalogue's icon strip: one BMP file image, 21 * N pixels wide and 21
// high, image i in columns 21 i .. 21 i + 20.

// The bitmap loader's message for anything it cannot read as such a strip.
constexpr char InvalidBitmapText[] = "Bitmap image is not valid";

// Writes a 24-bit bottom-up BI_RGB BMP. The strip starts white, so a
// transparent pixel is stored as white. `images` must not be empty.
std::string encodeIconStrip(const std::vector<IconImage>& images);

// Reads a BMP as earlier versions wrote it at the display's depth: 1, 4, 8, 16,
// 24 and 32 bits per pixel, BI_RGB and BI_BITFIELDS, bottom-up and top-down,
// with an info, V4 or V5 header.
// Pixels of colour 0xFF00FF come back Transparent. The strip is cut into
// width / 21 whole images; columns left over are dropped. Only the first
// `maxImages` are decoded: a strip far wider than its records need would
// otherwise take memory by the gigabyte. Throws EQuillDeck(InvalidBitmapText)
// for anything that is not such a bitmap.
std::vector<IconImage> decodeIconStrip(std::string_view bmp,
                                       std::size_t maxImages = std::size_t(-1));

} // namespace qd
