#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/CatalogueBytes.h"
#include "common/Error.h"

namespace qdtest {

// Catalogue bytes handed out as a file's are: each read is a fresh copy whose
// view ends at the next read, until they are held. Counts what is read and
// held, and fails every read or hold while `failing` is set.
class FileLikeBytes final : public qd::CatalogueBytes {
  public:
    explicit FileLikeBytes(std::string bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::string_view read(std::uint64_t offset, std::size_t count) const override {
        if (failing) throw qd::EQuillDeck("Stream read error");
        if (held) return std::string_view(bytes_).substr(offset, count);
        bytesRead += count;
        piece_ = bytes_.substr(offset, count);
        return piece_;
    }
    void hold() const override {
        if (failing) throw qd::EQuillDeck("Stream read error");
        if (!held) bytesRead += bytes_.size();
        held = true;
        ++holds;
    }

    bool failing = false;
    mutable bool held = false;
    mutable int holds = 0;
    mutable std::size_t bytesRead = 0;

  private:
    std::string bytes_;
    mutable std::string piece_;
};

} // namespace qdtest
