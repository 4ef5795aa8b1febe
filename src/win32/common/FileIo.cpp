#include "common/FileIo.h"

#include <windows.h>

#include "common/AppInfo.h"
#include "common/Error.h"
#include "common/Handles.h"

namespace qd {

namespace {

[[noreturn]] void throwFileError(const char* what, const std::string& path, DWORD code) {
    throw EQuillDeck(std::string(what) + " \"" + path + "\". " + SystemErrorText(code));
}

} // namespace

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void CreateEmptyFile(const std::string& path) {
    UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        throwFileError("Cannot create file", path, GetLastError());
}

std::string ReadWholeFile(const std::string& path) {
    UniqueKernelHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        throwFileError("Cannot open file", path, GetLastError());
    LARGE_INTEGER size{};
    // The catalogue is a few kilobytes per item; anything near this cap is not one.
    constexpr LONGLONG Limit = 256LL * 1024 * 1024;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > Limit)
        throw EQuillDeck("Stream read error");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr) || got == 0)
            throw EQuillDeck("Stream read error");
        done += got;
    }
    return bytes;
}

void WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    {
        UniqueKernelHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE)
            throwFileError("Cannot create file", path, GetLastError());
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
            DeleteFileA(temporary.c_str());
            throw EQuillDeck("Stream write error");
        }
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD code = GetLastError();
        DeleteFileA(temporary.c_str());
        throwFileError("Cannot create file", path, code);
    }
}

void CopyFileReplacing(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE))
        throwFileError("Cannot create file", to, GetLastError());
}

} // namespace qd
