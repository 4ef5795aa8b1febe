#pragma once
#include <cstdint>
#include <string>

#include "common/Handles.h"

namespace qd {

// Paths are UTF-8 (see WidePath.h); messages name them in ANSI text.

// Why a file call failed, in plain words for the error box: a full disk, a
// drive that is not attached, a file in use, a folder where a file should be,
// or else the system's own text.
std::string FileErrorCause(const std::string& path, unsigned long code);

bool FileExists(const std::string& path);

// Creates an empty file; throws EQuillDeck "Cannot create file "<path>". <reason>".
void CreateEmptyFile(const std::string& path);

// The whole file; throws "Cannot open file "<path>". <reason>".
std::string ReadWholeFile(const std::string& path);

// A file open for reading at any offset, from any thread. While it is open
// others may read, rename or delete it but not write it, so what is read
// stays what was there. Throws "Cannot open file "<path>". <reason>".
class FileReader {
  public:
    explicit FileReader(const std::string& path);
    // Throws "Stream read error in file ..." when it cannot be asked or the
    // file is far larger than anything the program keeps.
    std::uint64_t Size() const;
    // Throws "Stream read error in file ..." with the cause, if any.
    void Read(std::uint64_t offset, char* out, std::size_t count) const;

  private:
    std::string path_;
    UniqueKernelHandle file_;
};

// Whether the file is there and holds exactly these bytes: a write that would
// change nothing is left out, so read-only media see no write at all.
bool FileHolds(const std::string& path, const std::string& bytes);

// The temporary file WriteFileReplacing writes beside `path`.
std::string TemporaryFileFor(const std::string& path);

// Writes the bytes to the temporary file and only then replaces `path` with
// it, so a crash, a full disk or a pulled stick never leaves a torn file:
// either the old file or the complete new one is there. The file keeps its
// hidden and system attributes; a read-only file is refused, not replaced.
// Throws "Cannot create file ..." naming the file that could not be written,
// or "Stream write error in file ..." with the cause; the old file stays.
void WriteFileReplacing(const std::string& path, const std::string& bytes);

// Keeps a copy of the file (or, with `move`, the file itself) as `stem`, or
// as `stem`-2, -3, ... when that name is taken: an earlier copy is never
// overwritten. Returns the name used; throws "Cannot create file ...".
std::string KeepAsNewFile(const std::string& path, const std::string& stem, bool move);

// Deletes a file if it is there; a failure is not reported.
void DeleteFileIfPresent(const std::string& path);

} // namespace qd
