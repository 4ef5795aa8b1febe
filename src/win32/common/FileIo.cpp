#include "common/FileIo.h"

#include <windows.h>

#include "common/AppInfo.h"
#include "common/Error.h"
#include "common/Handles.h"
#include "common/WidePath.h"

namespace qd {

namespace {

[[noreturn]] void throwFileError(const char* what, const std::string& path,
                                 const std::string& reason) {
    throw EQuillDeck(std::string(what) + " \"" + AnsiFromPath(path) + "\". " + reason);
}

} // namespace

std::string FileErrorCause(const std::string& path, unsigned long code) {
    switch (code) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "The disk is full.";
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return "The drive is not attached or not ready.";
    case ERROR_PATH_NOT_FOUND:
        // A stick pulled out takes its drive letter, and so the whole path, away.
        return path.size() > 2 && path[1] == ':' &&
                       GetFileAttributesW(WidePath(path.substr(0, 3)).c_str()) ==
                           INVALID_FILE_ATTRIBUTES
                   ? "The drive is not attached or not ready."
                   : SystemErrorText(code);
    case ERROR_WRITE_PROTECT:
        return "The disk is write-protected.";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "Another program is using the file.";
    case ERROR_ACCESS_DENIED: {
        const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return "It is a folder, not a file.";
        return SystemErrorText(code);
    }
    default:
        return SystemErrorText(code);
    }
}

namespace {

[[noreturn]] void throwFileError(const char* what, const std::string& path, DWORD code) {
    throwFileError(what, path, FileErrorCause(path, code));
}

// The stream texts name the file and, where the system says, the cause.
[[noreturn]] void throwStreamError(const char* what, const std::string& path, DWORD code) {
    std::string text = std::string(what) + " in file \"" + AnsiFromPath(path) + "\".";
    if (code != ERROR_SUCCESS) text += " " + FileErrorCause(path, code);
    throw EQuillDeck(text);
}

// Attributes the replacing file takes over from the one it replaces.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CreateEmptyFile(const std::string& path) {
    UniqueKernelHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        throwFileError("Cannot create file", path, GetLastError());
}

FileReader::FileReader(const std::string& path)
    : path_(path),
      file_(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (file_.get() == INVALID_HANDLE_VALUE)
        throwFileError("Cannot open file", path, GetLastError());
}

std::uint64_t FileReader::Size() const {
    LARGE_INTEGER size{};
    // The catalogue is a few kilobytes per item; anything near this cap is not one.
    constexpr LONGLONG Limit = 256LL * 1024 * 1024;
    if (!GetFileSizeEx(file_.get(), &size))
        throwStreamError("Stream read error", path_, GetLastError());
    if (size.QuadPart > Limit) throwStreamError("Stream read error", path_, ERROR_SUCCESS);
    return static_cast<std::uint64_t>(size.QuadPart);
}

void FileReader::Read(std::uint64_t offset, char* out, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        // Each read names its offset, so reads from several threads do not
        // move one another's position.
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset + done);
        at.OffsetHigh = static_cast<DWORD>((offset + done) >> 32);
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1 << 20));
        if (!ReadFile(file_.get(), out + done, want, &got, &at))
            throwStreamError("Stream read error", path_, GetLastError());
        if (got == 0) throwStreamError("Stream read error", path_, ERROR_SUCCESS);
        done += got;
    }
}

std::string ReadWholeFile(const std::string& path) {
    const FileReader file(path);
    std::string bytes(file.Size(), '\0');
    file.Read(0, bytes.data(), bytes.size());
    return bytes;
}

bool FileHolds(const std::string& path, const std::string& bytes) {
    try {
        const FileReader file(path);
        if (file.Size() != bytes.size()) return false;
        std::string held(bytes.size(), '\0');
        file.Read(0, held.data(), held.size());
        return held == bytes;
    } catch (const EQuillDeck&) {
        return false; // not there, or it cannot be read back: write it
    }
}

std::string TemporaryFileFor(const std::string& path) {
    return path + ".tmp";
}

void WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::wstring target = WidePath(path);
    const DWORD existing = GetFileAttributesW(target.c_str());
    const bool exists = existing != INVALID_FILE_ATTRIBUTES;
    if (exists && (existing & FILE_ATTRIBUTE_READONLY))
        throwFileError("Cannot create file", path, "The file is read-only.");
    const std::string temporary = TemporaryFileFor(path);
    const std::wstring wideTemporary = WidePath(temporary);
    {
        UniqueKernelHandle file(CreateFileW(wideTemporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE)
            throwFileError("Cannot create file", temporary, GetLastError());
        size_t done = 0;
        bool ok = true;
        while (ok && done < bytes.size()) {
            DWORD written = 0;
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
            ok = WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) && written;
            done += written;
        }
        ok = ok && FlushFileBuffers(file.get());
        if (!ok) {
            // A short write with no error code is a full disk too.
            DWORD code = GetLastError();
            if (code == ERROR_SUCCESS) code = ERROR_DISK_FULL;
            file.reset();
            DeleteFileW(wideTemporary.c_str());
            throwStreamError("Stream write error", path, code);
        }
    }
    if (exists) SetFileAttributesW(wideTemporary.c_str(), existing & KeptAttributes);
    if (!MoveFileExW(wideTemporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD code = GetLastError();
        DeleteFileW(wideTemporary.c_str());
        throwFileError("Cannot create file", path, code);
    }
}

std::string KeepAsNewFile(const std::string& path, const std::string& stem, bool move) {
    for (int n = 1;; ++n) {
        const std::string kept = n == 1 ? stem : stem + "-" + std::to_string(n);
        const std::wstring from = WidePath(path), to = WidePath(kept);
        // Neither call replaces an existing file: an older copy is never lost.
        if (move ? MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)
                 : CopyFileW(from.c_str(), to.c_str(), TRUE))
            return kept;
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS)
            throwFileError("Cannot create file", kept, code);
    }
}

void DeleteFileIfPresent(const std::string& path) {
    DeleteFileW(WidePath(path).c_str());
}

} // namespace qd
