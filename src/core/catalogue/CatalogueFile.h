#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CatalogueBytes.h"
#include "catalogue/ItemTable.h"

namespace qd {

// Catalogue file bytes: L (int32 LE), the icon strip (L bytes of BMP), then
// one record per row: M (int32 LE) and the eight cells joined by '|'.

// The bytes of one row record, length field included. A '|' inside a cell is
// written as SeparatorStandIn, so the record still reads back as eight cells.
std::string encodeRowRecord(const RowCells& cells);

// The whole file for a non-empty table (an empty table is never written: the
// caller keeps the file as it is; passing one throws std::invalid_argument).
std::string encodeCatalogue(const ItemTable& table);

// Loads a whole file into `table`, which is cleared first. A 0-byte file is the
// empty table. Damage throws EQuillDeck and leaves `table` empty, so that the
// close that follows writes nothing over the damaged file:
//  - L of 0 or negative, or a strip that is not a BMP: "Bitmap image is not
//    valid";
//  - L, a length field or a record running past the end, or a negative record
//    length M: "Stream read error".
// A record of fewer than eight cells leaves the rest empty; pieces after the
// eighth are dropped. A record with an empty Title is titled with its
// FileName, or else its RelativePath; only a record with none of the three is
// skipped, together with its image. Image i is record i's; a row without an
// image gets a white one, and images beyond the last record are neither
// decoded nor kept. The loaded rows have no tray entries yet.
// Images of a strip without a palette are decoded when first drawn, from the
// bytes the table keeps (ItemTable::icon): moved in, they are not copied.
void decodeCatalogue(std::string bytes, ItemTable& table);

// The same for a file's bytes where they lie: the strip's headers and the
// records are read, and an image only when it is first drawn (a strip with a
// palette is held and decoded at once). The rows keep `file`; a read that
// fails throws as it does here.
void decodeCatalogueLeavingImages(std::shared_ptr<const CatalogueBytes> file, ItemTable& table);

} // namespace qd
