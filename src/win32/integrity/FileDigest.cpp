#include "integrity/FileDigest.h"

#include <windows.h>

#include <algorithm>

#include "common/Handles.h"
#include "integrity/FileCheck.h"

namespace qd {

TSecHashDigest DigestFile(TSecHash& hash, const std::string& path,
                          const std::function<void()>& betweenReads) {
    ScopedBusyCursor busy;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, so it
    // fails here like a missing file.
    UniqueKernelHandle file(CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw ESecHashException();
    return hash.digestStream([&](std::uint8_t* buffer, std::size_t capacity) -> std::size_t {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity, MAXDWORD));
        if (!ReadFile(file.get(), buffer, want, &got, nullptr)) throw EFileReadError(path);
        if (betweenReads) betweenReads();
        return got;
    });
}

} // namespace qd
