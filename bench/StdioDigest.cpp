#include "StdioDigest.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace qd {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

template <typename Hash> auto digestWithStdio(Hash& hash, const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw ESecHashException();
    // Our blocks are large already; a stdio buffer would only add a copy.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return hash.digestStream([&](std::uint8_t* buffer, std::size_t capacity) {
        const std::size_t got = std::fread(buffer, 1, capacity, file.get());
        if (got < capacity && std::ferror(file.get())) {
            // POSIX opens a folder like a file; only reading it fails.
            if (errno == EISDIR) throw ESecHashException();
            throw EFileReadError(path);
        }
        return got;
    });
}

} // namespace

TSecHashDigest digestStdioFile(TSecHash& hash, const std::string& path) {
    return digestWithStdio(hash, path);
}

TCheckedDigest digestStdioFile(TCollisionDetectingHash& hash, const std::string& path) {
    return digestWithStdio(hash, path);
}

} // namespace qd
