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

[[noreturn]] void throwFileError(const char* what, const std::string& path, DWORD code) {
    throwFileError(what, path, SystemErrorText(code));
}

UniqueKernelHandle openForReading(const std::string& path) {
    return UniqueKernelHandle(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The file's size, or -1 when it cannot be asked; throws "Stream read error"
// above the cap.
LONGLONG checkedSize(HANDLE file) {
    LARGE_INTEGER size{};
    // The catalogue is a few kilobytes per item; anything near this cap is not one.
    constexpr LONGLONG Limit = 256LL * 1024 * 1024;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > Limit) throw EQuillDeck("Stream read error");
    return size.QuadPart;
}

std::string readAll(HANDLE file, LONGLONG size) {
    std::string bytes(static_cast<size_t>(size), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0)
            throw EQuillDeck("Stream read error");
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
    return readAll(file.get(), checkedSize(file.get()));
}

bool FileHolds(const std::string& path, const std::string& bytes) {
    UniqueKernelHandle file = openForReading(path);
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    try {
        const LONGLONG size = checkedSize(file.get());
        return size == static_cast<LONGLONG>(bytes.size()) && readAll(file.get(), size) == bytes;
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
            file.reset();
            DeleteFileW(wideTemporary.c_str());
            throw EQuillDeck("Stream write error");
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

void CopyFileReplacing(const std::string& from, const std::string& to) {
    if (!CopyFileW(WidePath(from).c_str(), WidePath(to).c_str(), FALSE))
        throwFileError("Cannot create file", to, GetLastError());
}

void DeleteFileIfPresent(const std::string& path) {
    DeleteFileW(WidePath(path).c_str());
}

} // namespace qd
