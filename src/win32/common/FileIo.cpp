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

UniqueKernelHandle openForReading(const std::string& path) {
    return UniqueKernelHandle(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The file's size; throws "Stream read error" when it cannot be asked or is
// above the cap.
LONGLONG checkedSize(HANDLE file, const std::string& path) {
    LARGE_INTEGER size{};
    // The catalogue is a few kilobytes per item; anything near this cap is not one.
    constexpr LONGLONG Limit = 256LL * 1024 * 1024;
    if (!GetFileSizeEx(file, &size)) throwStreamError("Stream read error", path, GetLastError());
    if (size.QuadPart > Limit) throwStreamError("Stream read error", path, ERROR_SUCCESS);
    return size.QuadPart;
}

std::string readAll(HANDLE file, LONGLONG size, const std::string& path) {
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr))
            throwStreamError("Stream read error", path, GetLastError());
        if (got == 0) throwStreamError("Stream read error", path, ERROR_SUCCESS);
        done += got;
    }
    return bytes;
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

std::string ReadWholeFile(const std::string& path) {
    UniqueKernelHandle file = openForReading(path);
    if (file.get() == INVALID_HANDLE_VALUE)
        throwFileError("Cannot open file", path, GetLastError());
    return readAll(file.get(), checkedSize(file.get(), path), path);
}

bool FileHolds(const std::string& path, const std::string& bytes) {
    UniqueKernelHandle file = openForReading(path);
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    try {
        const LONGLONG size = checkedSize(file.get(), path);
        return size == static_cast<LONGLONG>(bytes.size()) &&
               readAll(file.get(), size, path) == bytes;
    } catch (const EQuillDeck&) {
        return false; // it cannot be read back: write it
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
