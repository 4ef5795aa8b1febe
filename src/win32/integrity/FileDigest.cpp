#include "integrity/FileDigest.h"

#include <algorithm>

#include "common/Handles.h"
#include "integrity/FileCheck.h"
#include "integrity/Fingerprint.h"

namespace qd {

namespace {

UniqueKernelHandle openForDigest(const std::string& path) {
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, so it
    // fails here like a missing file.
    UniqueKernelHandle file(CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                        nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) throw ESecHashException();
    return file;
}

} // namespace

TSecHash::Reader FileReader(HANDLE file, const std::string& path,
                           const std::function<void()>& betweenReads) {
    return [file, &path, &betweenReads](std::uint8_t* buffer,
                                        std::size_t capacity) -> std::size_t {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity, MAXDWORD));
        if (!ReadFile(file, buffer, want, &got, nullptr)) throw EFileReadError(path);
        if (betweenReads) betweenReads();
        return got;
    };
}

TSecHashDigest DigestFile(TSecHash& hash, const std::string& path,
                          const std::function<void()>& betweenReads) {
    ScopedBusyCursor busy;
    const UniqueKernelHandle file = openForDigest(path);
    return hash.digestStream(FileReader(file.get(), path, betweenReads));
}

TSecHashDigest DigestOpenFile(TSecHash& hash, HANDLE file, const std::string& path) {
    ScopedBusyCursor busy;
    return hash.digestStream(FileReader(file, path));
}

std::string StoredFingerprintOf(const std::string& path, const std::string& refusal) {
    ScopedBusyCursor busy;
    const UniqueKernelHandle file = openForDigest(path);
    TCollisionDetectingHash hash;
    return makeStoredFingerprint(hash.digestStream(FileReader(file.get(), path)), refusal);
}

} // namespace qd
