#include "catalogue/CatalogueFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "catalogue/IconStrip.h"
#include "catalogue/LittleEndian.h"
#include "common/AnsiText.h"
#include "common/Error.h"

namespace qd {

namespace {

constexpr char StreamReadErrorText[] = "Stream read error";

// Reads the file front to back; a read past the end is the stream's error.
class CatalogueReader {
  public:
    explicit CatalogueReader(std::string_view bytes) : rest_(bytes) {}

    bool atEnd() const { return rest_.empty(); }

    std::int32_t length() { return static_cast<std::int32_t>(readLE32(take(4).data())); }

    std::string_view take(std::int64_t size) {
        if (size < 0 || static_cast<std::uint64_t>(size) > rest_.size())
            throw EQuillDeck(StreamReadErrorText);
        const std::string_view piece = rest_.substr(0, static_cast<std::size_t>(size));
        rest_.remove_prefix(piece.size());
        return piece;
    }

  private:
    std::string_view rest_;
};

RowCells splitRecord(std::string_view text) {
    RowCells cells;
    for (std::string& cell : cells) {
        const std::size_t end = findAnsiChar(text, CellSeparator);
        cell = text.substr(0, end);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    // Pieces after the eighth have no column; the next save drops them.
    return cells;
}

void appendLength(std::string& out, std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("catalogue part too long for its length field");
    appendLE32(out, static_cast<std::uint32_t>(size));
}

// A catalogue in memory.
class MemoryBytes final : public CatalogueBytes {
  public:
    explicit MemoryBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::string_view read(std::uint64_t offset, std::size_t count) const override {
        return std::string_view(bytes_).substr(static_cast<std::size_t>(offset), count);
    }
    void hold() const override {}

  private:
    std::string bytes_;
};

void load(const std::shared_ptr<const CatalogueBytes>& file, ItemTable& table) {
    const std::uint64_t size = file->size();
    if (size < 4) throw EQuillDeck(StreamReadErrorText);
    // The writer never stores an empty strip, so a length of 0 or less is a
    // damaged strip rather than a short file.
    const std::int32_t stripLength = static_cast<std::int32_t>(readLE32(file->read(0, 4).data()));
    if (stripLength <= 0) throw EQuillDeck(InvalidBitmapText);
    if (static_cast<std::uint64_t>(stripLength) > size - 4) throw EQuillDeck(StreamReadErrorText);
    // A strip that is no bitmap is reported before anything after it.
    const std::shared_ptr<const IconStrip> kept = IconStrip::Keep(file, 4, stripLength);
    // A strip with a palette is decoded now, from memory.
    if (!kept) file->hold();

    // The records run up to the end of the file; there is at least one.
    const std::uint64_t recordsStart = 4 + static_cast<std::uint64_t>(stripLength);
    CatalogueReader in(file->read(recordsStart, static_cast<std::size_t>(size - recordsStart)));
    std::vector<std::string_view> records;
    do {
        records.push_back(in.take(in.length()));
    } while (!in.atEnd());
    // Images no record can use are never decoded, so memory follows the
    // records whatever width a damaged strip claims. Every record is an item,
    // whatever the strip holds: a row without an image shows a white one, and
    // images beyond the last record are dropped, so image i stays row i's.
    table.reserve(static_cast<int>(records.size()));
    const auto addRecord = [&](std::size_t i, const auto&... image) {
        RowCells cells = splitRecord(records[i]);
        // A record with no Title still holds an item's path and fingerprint;
        // the emptiness test reads row 0's Title, so it is named after its file.
        if (cells[ColTitle].empty()) cells[ColTitle] = cells[ColFileName];
        if (cells[ColTitle].empty()) cells[ColTitle] = cells[ColRelativePath];
        if (cells[ColTitle].empty()) return; // nothing of an item in it
        table.addItem(std::move(cells), image...);
    };
    std::size_t withImage = 0;
    if (kept) {
        withImage = std::min(kept->ImageCount(), records.size());
        for (std::size_t i = 0; i < withImage; ++i)
            addRecord(i, kept, i);
    } else {
        forEachIcon(file->read(4, static_cast<std::size_t>(stripLength)), records.size(),
                    [&](std::size_t i, const IconImage& image) {
                        addRecord(i, image);
                        withImage = i + 1;
                    });
    }
    IconImage white;
    white.pixels.fill(IconImage::White);
    for (std::size_t i = withImage; i < records.size(); ++i)
        addRecord(i, white);
}

} // namespace

std::string encodeRowRecord(const RowCells& cells) {
    std::size_t size = ColumnCount - 1;
    for (const std::string& cell : cells)
        size += cell.size();
    std::string record;
    record.reserve(4 + size);
    appendLength(record, size);
    for (int c = 0; c < ColumnCount; ++c) {
        if (c > 0) record += CellSeparator;
        // The format has no escape: a separator inside a cell would split it.
        record += withoutSeparator(cells[c]);
    }
    return record;
}

std::string encodeCatalogue(const ItemTable& table) {
    if (table.isEmpty()) throw std::invalid_argument("the empty table is never written");
    std::vector<IconImage> images;
    images.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r)
        images.push_back(table.icon(r));
    const std::string strip = encodeIconStrip(images);

    std::string out;
    appendLength(out, strip.size());
    out += strip;
    // Hidden rows are a view of the group filter and are saved like the others.
    for (int r = 0; r < table.rowCount(); ++r)
        out += encodeRowRecord(table.cells(r));
    return out;
}

void decodeCatalogue(std::string bytes, ItemTable& table) {
    decodeCatalogueLeavingImages(std::make_shared<const MemoryBytes>(std::move(bytes)), table);
}

void decodeCatalogueLeavingImages(std::shared_ptr<const CatalogueBytes> file, ItemTable& table) {
    table.clear();
    if (file->size() == 0) return;
    try {
        load(file, table);
    } catch (...) {
        // An empty table makes the close leave the damaged file as it is.
        table.clear();
        throw;
    }
    table.closeTrayEntries();
}

} // namespace qd
