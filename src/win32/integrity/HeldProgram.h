#pragma once
#include <string>

#include "common/Handles.h"
#include "integrity/SecHash.h"

namespace qd {

// An item's program opened for its launch and shared for reading only: while
// it is held nobody can write, replace or delete the file, so the file that
// was checked is the file the shell starts.
class THeldProgram {
  public:
    // Not held when the file is missing, a folder, or open for writing elsewhere.
    explicit THeldProgram(const std::string& path);

    bool IsHeld() const;
    // The digest of the held file under the busy cursor; throws EFileReadError
    // when a read fails.
    TSecHashDigest Digest(TSecHash& hash) const;

  private:
    std::string path_;
    UniqueKernelHandle file_;
};

} // namespace qd
