#include "integrity/HeldProgram.h"

#include "integrity/FileCheck.h"
#include "integrity/FileDigest.h"

namespace qd {

THeldProgram::THeldProgram(const std::string& path)
    : path_(path), file_(CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}

bool THeldProgram::IsHeld() const {
    return file_.get() != INVALID_HANDLE_VALUE;
}

TSecHashDigest THeldProgram::Digest(TSecHash& hash) const {
    return DigestOpenFile(hash, file_.get(), path_);
}

} // namespace qd
