#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CatalogueBytes.h"
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

// The same images handed to `take` one by one, in order, instead of kept:
// a catalogue's load holds one decoded image at a time, not all of them.
void forEachIcon(std::string_view bmp, std::size_t maxImages,
                 const std::function<void(std::size_t index, const IconImage&)>& take);

struct PixelFormat;

// A strip left where it lies in a catalogue's bytes, each image read and
// decoded when it is first asked for: a large catalogue is ready without
// reading or decoding images no one has looked at yet.
class IconStrip {
  public:
    // All a strip's headers and colour table lie within its first HeadSize bytes.
    static constexpr std::size_t HeadSize = 14 + 124 + 256 * 4;

    // The strip of `length` bytes at `offset` in `file`, which stays alive
    // with it. Null for a strip with a palette: a pixel may lack its colour
    // there, which must be found while the catalogue loads. Throws as
    // decodeIconStrip does.
    static std::shared_ptr<const IconStrip> Keep(std::shared_ptr<const CatalogueBytes> file,
                                                 std::uint64_t offset, std::uint64_t length);
    std::size_t ImageCount() const;
    // Image `index` < ImageCount(), as decodeIconStrip gives it. Throws
    // EQuillDeck when its bytes cannot be read.
    IconImage Image(std::size_t index) const;
    // The strip's bytes in memory, its file let go (CatalogueBytes::hold).
    void Hold() const { file_->hold(); }

  private:
    IconStrip(std::shared_ptr<const CatalogueBytes> file, std::uint64_t offset,
              std::shared_ptr<const PixelFormat> format)
        : file_(std::move(file)), offset_(offset), format_(std::move(format)) {}
    std::shared_ptr<const CatalogueBytes> file_;
    std::uint64_t offset_;
    std::shared_ptr<const PixelFormat> format_;
};

} // namespace qd
