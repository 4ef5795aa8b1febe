#pragma once
#include <memory>
#include <string>

#include "catalogue/CatalogueBytes.h"
#include "catalogue/ItemTable.h"

namespace qd {

// What the file at the catalogue path held at start-up, for every later write
// over it: a file that was not read into the table is never lost.
enum class CatalogueOrigin {
    Read,       // loaded into the table (or created empty)
    Unreadable, // there, but it could not be opened or read: locked, refused, drive not ready
    Damaged,    // read, but it is not a catalogue
};

// Loads the catalogue into the table, first removing a temporary file an
// interrupted save left. No file: an empty one is created and the table stays
// empty. Returns Read; otherwise sets `origin`, leaves the table empty and
// throws EQuillDeck whose text names the file, says what failed and that the
// file is kept as it is.
void LoadCatalogue(const std::string& path, ItemTable& table, CatalogueOrigin& origin);

// The same for a large catalogue, ready sooner: only the strip's headers and
// the records are read, each image when it is first drawn. Until the
// returned bytes are held (CatalogueBytes::hold, which a save does too) the
// file stays open: others may read it, but not write it. Null with no file.
std::shared_ptr<const CatalogueBytes>
LoadCatalogueLeavingImages(const std::string& path, ItemTable& table, CatalogueOrigin& origin);

// Writes the table unless it is the empty table or the file already holds
// exactly its bytes; both leave the file untouched. A file that was not read
// at start-up is first kept as "<path>.damaged" (or -2, -3, ... when taken).
void SaveCatalogue(const std::string& path, const ItemTable& table, CatalogueOrigin origin);

// Removes the file when the last item goes; one that was not read at
// start-up is kept as "<path>.damaged" instead. Errors are thrown.
void DeleteCatalogue(const std::string& path, CatalogueOrigin origin);

} // namespace qd
