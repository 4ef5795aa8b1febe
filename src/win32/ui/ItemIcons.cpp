#include "ui/ItemIcons.h"

#include <vector>

#include "catalogue/ItemPath.h"
#include "common/WidePath.h"

namespace qd {

void DrawStoredIcon(HDC dc, int left, int top, int size, const IconImage& stored, COLORREF band) {
    if (size <= 0) return;
    // Composed over the band colour, so transparency needs no mask.
    const DWORD bandPixel = (GetRValue(band) << 16) | (GetGValue(band) << 8) | GetBValue(band);
    std::vector<DWORD> pixels(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint32_t pixel = stored.at(x * IconSize / size, y * IconSize / size);
            pixels[static_cast<std::size_t>(y) * size + x] =
                pixel == IconImage::Transparent ? bandPixel : pixel;
        }
    }
    const BITMAPINFO info = TopDownBitmapInfo(size, size, 32);
    SetDIBitsToDevice(dc, left, top, size, size, 0, 0, 0, size, pixels.data(), &info,
                      DIB_RGB_COLORS);
}

void TItemIcons::SetLauncherFolder(const std::string& folder) {
    if (folder == launcherFolder_) return;
    launcherFolder_ = folder;
    Forget();
}

HICON TItemIcons::Icon(const std::string& relativePath, int index, int size) {
    auto key = std::make_tuple(relativePath, index, size);
    if (const auto known = icons_.find(key); known != icons_.end()) return known->second.get();
    if (icons_.size() >= Capacity) Forget();

    UniqueIcon icon;
    // A negative index names a resource id to the loader, not a position.
    if (index >= 0 && !relativePath.empty()) {
        const std::wstring path = WidePath(ResolveItemPath(launcherFolder_, relativePath));
        HICON loaded = nullptr;
        UINT id = 0;
        const UINT extracted =
            PrivateExtractIconsW(path.c_str(), index, size, size, &loaded, &id, 1, 0);
        icon.reset(loaded);
        // 0 icons there, or -1 for a file that cannot be read.
        if (extracted != 1) icon.reset();
    }
    return icons_.emplace(std::move(key), std::move(icon)).first->second.get();
}

void TItemIcons::Draw(HDC dc, int left, int top, int size, const IconImage& stored,
                      const std::string& relativePath, int index, COLORREF band) {
    HICON icon = size == IconSize ? nullptr : Icon(relativePath, index, size);
    if (!icon) {
        DrawStoredIcon(dc, left, top, size, stored, band);
        return;
    }
    const RECT square{left, top, left + size, top + size};
    UniqueBrush brush(CreateSolidBrush(band));
    FillRect(dc, &square, brush.get());
    DrawIconEx(dc, left, top, icon, size, size, 0, nullptr, DI_NORMAL);
}

} // namespace qd
