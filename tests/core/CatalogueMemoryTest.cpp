// Its own program: it replaces the global allocator to measure the peak heap
// use of one load.
#include "catalogue/CatalogueFile.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

namespace {

constexpr std::size_t Header = alignof(std::max_align_t);
std::atomic<std::size_t> heapInUse{0};
std::atomic<std::size_t> heapPeak{0};

void* allocate(std::size_t size) {
    void* block = std::malloc(size + Header);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    const std::size_t now = heapInUse += size;
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return static_cast<char*>(block) + Header;
}

void release(void* memory) {
    if (!memory) return;
    char* block = static_cast<char*>(memory) - Header;
    heapInUse -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    release(memory);
}
void operator delete[](void* memory) noexcept {
    release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    release(memory);
}

namespace qd {
namespace {

void append32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A white 1-bit strip of `images` icons: the densest a strip can claim images.
std::string oneBitStrip(std::uint32_t images) {
    const std::uint32_t width = images * IconSize;
    const std::uint32_t stride = (width + 31) / 32 * 4;
    const std::uint32_t pixelOffset = 14 + 40 + 8;
    std::string bmp = "BM";
    append32(bmp, pixelOffset + stride * IconSize);
    append32(bmp, 0);
    append32(bmp, pixelOffset);
    append32(bmp, 40);
    append32(bmp, width);
    append32(bmp, IconSize);
    append32(bmp, 1 | 1 << 16); // one plane, one bit per pixel
    for (int field = 0; field < 6; ++field)
        append32(bmp, 0);
    append32(bmp, 0xFFFFFF); // palette: white, black
    append32(bmp, 0);
    bmp.resize(pixelOffset + std::size_t{stride} * IconSize, '\0');
    return bmp;
}

TEST(CatalogueMemory, AStripWiderThanItsRecordsCostsOnlyTheirImages) {
    // 20,000 images claimed, two records: decoding them all takes 35 MB.
    const std::string strip = oneBitStrip(20000);
    std::string file;
    append32(file, static_cast<std::uint32_t>(strip.size()));
    file += strip;
    for (const std::string record :
         {"One|one.exe|one.exe|0||0|0|0", "Two|two.exe|two.exe|0||0|0|0"}) {
        append32(file, static_cast<std::uint32_t>(record.size()));
        file += record;
    }

    ItemTable table;
    const std::size_t before = heapInUse;
    heapPeak = before;
    // Moved in, as the program reads it: the file's own bytes are not counted.
    decodeCatalogue(std::move(file), table);
    EXPECT_LT(heapPeak - before, std::size_t{256} * 1024);
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.icon(1).at(0, 0), IconImage::White);
}

// A catalogue as the program writes it is ready without its images decoded:
// the load costs the rows, and an image its memory when it is first drawn.
TEST(CatalogueMemory, ImagesAreDecodedWhenFirstDrawn) {
    ItemTable saved;
    for (int i = 0; i < 2000; ++i) {
        IconImage icon;
        icon.at(0, 0) = static_cast<std::uint32_t>(i);
        saved.addItem({"Tool " + std::to_string(i), "t.exe", "t.exe", "0", "", "0", "0", "0"},
                      icon);
    }
    std::string file = encodeCatalogue(saved);

    ItemTable table;
    const std::size_t before = heapInUse;
    heapPeak = before;
    decodeCatalogue(std::move(file), table);
    // Decoded, the 2,000 images alone would take 3.5 MB.
    EXPECT_LT(heapPeak - before, std::size_t{1024} * 1024);
    const std::size_t loaded = heapInUse - before;
    // The marked pixel tells the images apart (the rest comes back white).
    EXPECT_EQ(table.icon(1234).at(0, 0), 1234u);
    EXPECT_GE(heapInUse - before - loaded, sizeof(IconImage));
    // Moved and removed rows keep their own images.
    table.moveRow(1234, 0);
    table.deleteRow(1);
    EXPECT_EQ(table.icon(0).at(0, 0), 1234u);
    EXPECT_EQ(table.icon(1).at(0, 0), 1u);
}

} // namespace
} // namespace qd
