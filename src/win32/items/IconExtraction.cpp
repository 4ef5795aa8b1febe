#include "items/IconExtraction.h"

#include <windows.h>

#include <cstdint>

#include "common/Handles.h"
#include "common/SystemDlls.h"
#include "common/WidePath.h"

namespace qd {

namespace {

// A 24-bit top-down DIB section and the memory it draws into.
struct Canvas {
    UniqueBitmap bitmap;
    std::uint8_t* bits = nullptr;
    int stride = 0;

    Canvas(HDC dc, int width, int height) : stride((width * 3 + 3) & ~3) {
        const BITMAPINFO info = TopDownBitmapInfo(width, height, 24);
        void* memory = nullptr;
        bitmap.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        bits = static_cast<std::uint8_t*>(memory);
    }
};

IconImage whiteImage() {
    IconImage image;
    image.pixels.fill(IconImage::White);
    return image;
}

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    // GetIconInfo hands over copies of both bitmaps.
    UniqueBitmap mask(info.hbmMask);
    UniqueBitmap color(info.hbmColor);
    BITMAP bm{};
    GetObjectA(info.hbmMask, sizeof(bm), &bm);
    // Without a colour bitmap the mask holds the AND and XOR halves one above the other.
    return {bm.bmWidth, color ? bm.bmHeight : bm.bmHeight / 2};
}

} // namespace

IconImage ExtractItemIcon(const std::string& fullPath, int index) {
    // ExtractIcon reads -1 as "how many" and other negatives as resource ids.
    if (index < 0) return whiteImage();
    HICON extracted = Shell().ExtractIconW(GetModuleHandleA(nullptr), WidePath(fullPath).c_str(),
                                           static_cast<UINT>(index));
    // 1 means "not an executable, DLL or icon file", not a handle.
    if (reinterpret_cast<UINT_PTR>(extracted) <= 1) return whiteImage();
    UniqueIcon icon(extracted);
    const SIZE size = iconSize(icon.get());
    if (size.cx <= 0 || size.cy <= 0) return whiteImage();

    UniqueDC sourceDC(CreateCompatibleDC(nullptr));
    UniqueDC scaledDC(CreateCompatibleDC(nullptr));
    Canvas source(sourceDC.get(), size.cx, size.cy);
    Canvas scaled(scaledDC.get(), IconSize, IconSize);
    if (!sourceDC || !scaledDC || !source.bitmap || !scaled.bitmap) return whiteImage();
    {
        ScopedSelect selectSource(sourceDC.get(), source.bitmap.get());
        ScopedSelect selectScaled(scaledDC.get(), scaled.bitmap.get());
        PatBlt(sourceDC.get(), 0, 0, size.cx, size.cy, WHITENESS);
        DrawIconEx(sourceDC.get(), 0, 0, icon.get(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
        // Dropping pixels keeps the icon's own colours; blending modes could
        // mix neighbours into fuchsia and punch holes into the image.
        SetStretchBltMode(scaledDC.get(), COLORONCOLOR);
        StretchBlt(scaledDC.get(), 0, 0, IconSize, IconSize, sourceDC.get(), 0, 0, size.cx, size.cy,
                   SRCCOPY);
        GdiFlush();
    }

    IconImage image;
    for (int y = 0; y < IconSize; ++y) {
        for (int x = 0; x < IconSize; ++x) {
            const std::uint8_t* bgr = scaled.bits + y * scaled.stride + x * 3;
            const std::uint32_t colour =
                (std::uint32_t{bgr[2]} << 16) | (std::uint32_t{bgr[1]} << 8) | bgr[0];
            image.at(x, y) =
                colour == IconImage::TransparentColour ? IconImage::Transparent : colour;
        }
    }
    return image;
}

int IconCount(const std::string& fullPath) {
    const auto count = reinterpret_cast<UINT_PTR>(Shell().ExtractIconW(
        GetModuleHandleA(nullptr), WidePath(fullPath).c_str(), static_cast<UINT>(-1)));
    return static_cast<int>(count);
}

} // namespace qd
