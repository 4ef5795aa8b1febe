#pragma once
#include <string>

namespace qd {

bool FileExists(const std::string& path);

// Creates an empty file; throws EQuillDeck "Cannot create file "<path>". <reason>".
void CreateEmptyFile(const std::string& path);

// The whole file; throws "Cannot open file "<path>". <reason>".
std::string ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file beside `path` and only then replaces
// `path` with it, so a crash, a full disk or a pulled stick never leaves a torn
// file: either the old file or the complete new one is there. Throws
// "Cannot create file ..." or "Stream write error"; the old file stays.
void WriteFileReplacing(const std::string& path, const std::string& bytes);

// Copies a file over another; throws "Cannot create file "<to>". <reason>".
void CopyFileReplacing(const std::string& from, const std::string& to);

} // namespace qd
