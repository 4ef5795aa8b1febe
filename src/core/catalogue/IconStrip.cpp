#include "catalogue/IconStrip.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "catalogue/LittleEndian.h"
#include "common/Error.h"

namespace qd {

namespace {

constexpr std::uint32_t FileHeaderSize = 14; // BITMAPFILEHEADER
constexpr std::uint32_t InfoHeaderSize = 40; // BITMAPINFOHEADER
constexpr std::uint32_t V4HeaderSize = 108;  // BITMAPV4HEADER
constexpr std::uint32_t V5HeaderSize = 124;  // BITMAPV5HEADER
constexpr std::uint32_t MaskBytes = 12;      // red, green and blue masks
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitfields = 3;
constexpr std::uint16_t StripBits = 24;

[[noreturn]] void invalidBitmap() {
    throw EQuillDeck(InvalidBitmapText);
}

// Pixel rows are padded to whole 32-bit words.
std::uint64_t rowStride(std::uint64_t width, unsigned bits) {
    return (width * bits + 31) / 32 * 4;
}

// Header fields, each read checked against the end of the bitmap.
class HeaderReader {
  public:
    explicit HeaderReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint16_t u16(std::uint64_t offset) const { return readLE16(at(offset, 2)); }
    std::uint32_t u32(std::uint64_t offset) const { return readLE32(at(offset, 4)); }
    std::int32_t i32(std::uint64_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

  private:
    const char* at(std::uint64_t offset, std::uint64_t size) const {
        if (offset > bytes_.size() || size > bytes_.size() - offset) invalidBitmap();
        return bytes_.data() + offset;
    }
    std::string_view bytes_;
};

// One colour channel of a 16- or 32-bit pixel. The channel's full value scales
// to 255, so that fuchsia stored with 5 or 6 bits still reads as 0xFF00FF.
class Channel {
  public:
    Channel() = default;
    Channel(std::uint32_t mask, unsigned bits) : mask_(mask) {
        if (mask == 0 || (bits < 32 && mask >> bits != 0)) invalidBitmap();
        shift_ = std::countr_zero(mask);
        max_ = mask >> shift_;
        if ((max_ & (max_ + 1)) != 0) invalidBitmap(); // bits not contiguous
    }
    std::uint32_t mask() const { return mask_; }
    std::uint32_t of(std::uint32_t pixel) const {
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<std::uint32_t>((value * 255 + max_ / 2) / max_);
    }

  private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    std::uint32_t max_ = 1;
};

} // namespace

// How a strip stores its pixels, read from its headers.
struct PixelFormat {
    std::uint64_t width = 0;
    bool topDown = false;
    unsigned bits = 0;
    std::vector<std::uint32_t> palette;
    std::array<Channel, 3> rgb; // 16 and 32 bits per pixel
    std::uint64_t pixelOffset = 0;
    std::uint64_t stride = 0;

    std::uint32_t colourAt(const unsigned char* row, std::uint64_t x) const {
        switch (bits) {
        case 1:
            return paletteColour((row[x / 8] >> (7 - x % 8)) & 0x1);
        case 4:
            return paletteColour((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
        case 8:
            return paletteColour(row[x]);
        case 16:
            return fromChannels(readLE16(reinterpret_cast<const char*>(row + 2 * x)));
        case 24:
            return row[3 * x] | row[3 * x + 1] << 8 |
                   static_cast<std::uint32_t>(row[3 * x + 2]) << 16;
        default:
            return fromChannels(readLE32(reinterpret_cast<const char*>(row + 4 * x)));
        }
    }

  private:
    std::uint32_t paletteColour(unsigned index) const {
        // A shortened palette leaves the higher indices without a colour.
        if (index >= palette.size()) invalidBitmap();
        return palette[index];
    }
    std::uint32_t fromChannels(std::uint32_t pixel) const {
        return rgb[0].of(pixel) << 16 | rgb[1].of(pixel) << 8 | rgb[2].of(pixel);
    }
};

namespace {

// `head` is the bitmap's first bytes (all of them, or at least
// IconStrip::HeadSize), `size` its whole length.
PixelFormat readFormat(std::string_view head, std::uint64_t size) {
    const HeaderReader in(head);
    if (head.size() < FileHeaderSize || head[0] != 'B' || head[1] != 'M') invalidBitmap();
    const std::uint32_t pixelOffset = in.u32(10);
    const std::uint32_t headerSize = in.u32(FileHeaderSize);
    if (headerSize != InfoHeaderSize && headerSize != V4HeaderSize && headerSize != V5HeaderSize)
        invalidBitmap();
    if (size - FileHeaderSize < headerSize) invalidBitmap();

    const std::int32_t width = in.i32(18);
    const std::int32_t height = in.i32(22);
    const std::uint16_t planes = in.u16(26);
    const std::uint16_t bits = in.u16(28);
    const std::uint32_t compression = in.u32(30);
    const std::uint32_t coloursUsed = in.u32(46);
    // A negative height marks top-down rows.
    if (height != IconSize && height != -IconSize) invalidBitmap();
    if (width <= 0 || planes != 1) invalidBitmap();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        invalidBitmap();

    PixelFormat format;
    format.width = static_cast<std::uint64_t>(width);
    format.topDown = height < 0;
    format.bits = bits;
    std::uint64_t tablesEnd = FileHeaderSize + headerSize;
    if (compression == BiBitfields) {
        if (bits != 16 && bits != 32) invalidBitmap();
        // The masks follow a plain info header; V4 and V5 headers hold them.
        const std::uint64_t masks = FileHeaderSize + InfoHeaderSize;
        if (headerSize == InfoHeaderSize) tablesEnd += MaskBytes;
        format.rgb = {Channel(in.u32(masks), bits), Channel(in.u32(masks + 4), bits),
                      Channel(in.u32(masks + 8), bits)};
        const auto [r, g, b] = format.rgb;
        if ((r.mask() & g.mask()) != 0 || (r.mask() & b.mask()) != 0 || (g.mask() & b.mask()) != 0)
            invalidBitmap();
    } else if (compression != BiRgb) {
        invalidBitmap(); // RLE, JPEG, PNG and the like
    } else if (bits == 16) {
        format.rgb = {Channel(0x7C00, 16), Channel(0x03E0, 16), Channel(0x001F, 16)};
    } else if (bits == 32) {
        format.rgb = {Channel(0xFF0000, 32), Channel(0x00FF00, 32), Channel(0x0000FF, 32)};
    }

    if (bits <= 8) {
        // No count means the full palette for the depth.
        const std::uint32_t full = 1u << bits;
        const std::uint32_t count = coloursUsed == 0 ? full : coloursUsed;
        if (count > full) invalidBitmap();
        format.palette.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i)
            format.palette.push_back(in.u32(tablesEnd + 4 * i) & 0xFFFFFF); // B, G, R, reserved
        tablesEnd += 4 * count;
    }

    format.pixelOffset = pixelOffset;
    format.stride = rowStride(format.width, bits);
    if (pixelOffset < tablesEnd || pixelOffset > size ||
        format.stride * IconSize > size - pixelOffset)
        invalidBitmap();
    return format;
}

} // namespace

std::string encodeIconStrip(const std::vector<IconImage>& images) {
    if (images.empty()) throw std::invalid_argument("an icon strip needs at least one image");
    const std::uint64_t width = std::uint64_t{images.size()} * IconSize;
    const std::uint64_t stride = rowStride(width, StripBits);
    const std::uint64_t pixelOffset = FileHeaderSize + InfoHeaderSize;
    const std::uint64_t fileSize = pixelOffset + stride * IconSize;
    // The catalogue stores the strip's length as a signed 32-bit value.
    if (fileSize > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("too many images for one icon strip");

    std::string out;
    out.reserve(fileSize);
    out += "BM";
    appendLE32(out, static_cast<std::uint32_t>(fileSize));
    appendLE32(out, 0); // reserved
    appendLE32(out, pixelOffset);
    appendLE32(out, InfoHeaderSize);
    appendLE32(out, static_cast<std::uint32_t>(width));
    appendLE32(out, IconSize); // positive: bottom-up rows
    appendLE16(out, 1);        // planes
    appendLE16(out, StripBits);
    appendLE32(out, BiRgb);
    appendLE32(out, static_cast<std::uint32_t>(stride * IconSize));
    appendLE32(out, 0); // horizontal resolution
    appendLE32(out, 0); // vertical resolution
    appendLE32(out, 0); // colours used
    appendLE32(out, 0); // colours important

    out.resize(fileSize);
    char* row = out.data() + pixelOffset;
    for (int y = IconSize - 1; y >= 0; --y, row += stride) {
        char* p = row;
        for (const IconImage& image : images)
            for (int x = 0; x < IconSize; ++x) {
                // The strip starts white and transparent pixels leave it so.
                std::uint32_t pixel = image.at(x, y);
                if (pixel == IconImage::Transparent) pixel = IconImage::White;
                *p++ = static_cast<char>(pixel & 0xFF);
                *p++ = static_cast<char>(pixel >> 8 & 0xFF);
                *p++ = static_cast<char>(pixel >> 16 & 0xFF);
            }
    }
    return out;
}

namespace {

// One file row of an image: `row` holds the pixels of columns firstX onwards.
void decodeRow(const PixelFormat& format, const unsigned char* row, std::uint64_t firstX,
               int fileRow, IconImage& image) {
    const int y = format.topDown ? fileRow : IconSize - 1 - fileRow;
    for (int x = 0; x < IconSize; ++x) {
        const std::uint32_t colour = format.colourAt(row, firstX + x);
        image.at(x, y) = colour == IconImage::TransparentColour ? IconImage::Transparent : colour;
    }
}

} // namespace

void forEachIcon(std::string_view bmp, std::size_t maxImages,
                 const std::function<void(std::size_t, const IconImage&)>& take) {
    const PixelFormat format = readFormat(bmp, bmp.size());
    const std::uint64_t count = std::min<std::uint64_t>(format.width / IconSize, maxImages);
    const auto* pixels = reinterpret_cast<const unsigned char*>(bmp.data()) + format.pixelOffset;
    IconImage image;
    for (std::uint64_t index = 0; index < count; ++index) {
        for (int fileRow = 0; fileRow < IconSize; ++fileRow)
            decodeRow(format, pixels + fileRow * format.stride, index * IconSize, fileRow, image);
        take(static_cast<std::size_t>(index), image);
    }
}

std::shared_ptr<const IconStrip> IconStrip::Keep(std::shared_ptr<const CatalogueBytes> file,
                                                 std::uint64_t offset, std::uint64_t length) {
    auto format = std::make_shared<const PixelFormat>(readFormat(
        file->read(offset, static_cast<std::size_t>(std::min<std::uint64_t>(length, HeadSize))),
        length));
    // A palette may lack the colour of a pixel: such a strip is decoded at
    // once, where that is reported as a damaged catalogue.
    if (format->bits <= 8) return nullptr;
    return std::shared_ptr<const IconStrip>(
        new IconStrip(std::move(file), offset, std::move(format)));
}

std::size_t IconStrip::ImageCount() const {
    return static_cast<std::size_t>(format_->width / IconSize);
}

IconImage IconStrip::Image(std::size_t index) const {
    // Without a palette a pixel is whole bytes: each file row of the image
    // is read on its own, from its first pixel.
    const PixelFormat& format = *format_;
    const std::uint64_t pixelBytes = format.bits / 8;
    const std::uint64_t left = offset_ + format.pixelOffset + index * IconSize * pixelBytes;
    IconImage image;
    for (int fileRow = 0; fileRow < IconSize; ++fileRow) {
        const std::string_view row =
            file_->read(left + fileRow * format.stride, IconSize * pixelBytes);
        decodeRow(format, reinterpret_cast<const unsigned char*>(row.data()), 0, fileRow, image);
    }
    return image;
}

std::vector<IconImage> decodeIconStrip(std::string_view bmp, std::size_t maxImages) {
    std::vector<IconImage> images;
    forEachIcon(bmp, maxImages,
                [&](std::size_t, const IconImage& image) { images.push_back(image); });
    return images;
}

} // namespace qd
