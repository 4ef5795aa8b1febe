// Digest command for the benchmark scripts:
//   qd_digest_file [--scalar] FILE...   prints "HEX  FILE" per file, like sha1sum
//   qd_digest_file --detect FILE...     the same with collision detection; like
//                                       sha1cdsum, "HEX *coll* FILE" for an attack
//   qd_digest_file --validate FILE...   runs the start-up check over one item per file
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "StdioDigest.h"
#include "common/Error.h"
#include "integrity/Fingerprint.h"
#include "integrity/Validation.h"

namespace {

// The start-up pass over real files, with nobody to show messages to.
class FileSystemEnvironment : public qd::ValidationEnvironment {
  public:
    int changed = 0;
    int warnings = 0;

    std::string resolve(const std::string& relativePath) override { return relativePath; }
    qd::FileState fileState(const std::string& fullPath) override {
        std::error_code error;
        const auto status = std::filesystem::status(fullPath, error);
        if (status.type() == std::filesystem::file_type::not_found) return qd::FileState::Missing;
        if (error) return qd::FileState::Unknown;
        return std::filesystem::is_regular_file(status) ? qd::FileState::Exists
                                                        : qd::FileState::Missing;
    }
    qd::TSecHashDigest digest(const std::string& fullPath) override {
        return digestStdioFile(hash_, fullPath);
    }
    bool pumpMessages() override { return true; }
    void showRowChange(int, bool) override {}
    void showSecurityError(const std::string&) override { ++changed; }
    void showWarning(const std::string& text) override {
        ++warnings;
        std::fprintf(stderr, "%s\n", text.c_str());
    }

  private:
    qd::TSecHash hash_;
};

int validate(int count, char** paths) {
    qd::ItemTable table;
    // No stored fingerprint matches, so every file is digested and reported changed.
    for (int i = 0; i < count; ++i)
        table.addItem({"item" + std::to_string(i), paths[i], "", "0", "", "0", "-", "0"},
                      qd::IconImage{});
    FileSystemEnvironment env;
    qd::ValidateItems(table, {.checkSafe = true, .keepDeleted = false}, env);
    std::printf("%d items checked, %d changed, %d warnings\n", count, env.changed, env.warnings);
    return env.warnings == 0 ? 0 : 1;
}

// Prints one line per file; a file that cannot be read is reported and the
// status becomes 1.
template <typename Hash, typename Line> int eachFile(int count, char** paths, Line line) {
    Hash hash;
    int status = 0;
    for (int i = 0; i < count; ++i) {
        try {
            std::printf("%s\n", line(qd::digestStdioFile(hash, paths[i]), paths[i]).c_str());
        } catch (const qd::EQuillDeck& e) {
            std::fprintf(stderr, "%s: %s\n", paths[i], e.what());
            status = 1;
        }
    }
    return status;
}

struct BestHash : qd::TSecHash {
    BestHash() : TSecHash(qd::Sha1Engine::Best) {}
};
struct ScalarHash : qd::TSecHash {
    ScalarHash() : TSecHash(qd::Sha1Engine::Scalar) {}
};

template <typename Hash> int digest(int count, char** paths) {
    return eachFile<Hash>(count, paths, [](const qd::TSecHashDigest& digest, const char* path) {
        return qd::HexDigest(digest) + "  " + path;
    });
}

int detect(int count, char** paths) {
    return eachFile<qd::TCollisionDetectingHash>(
        count, paths, [](const qd::TCheckedDigest& checked, const char* path) {
            return qd::HexDigest(checked.digest) + (checked.collisionAttack ? " *coll* " : "  ") +
                   path;
        });
}

} // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 && argv[1][0] == '-' ? argv[1] : "";
    const int first = *mode ? 2 : 1;
    if (first >= argc) {
        std::fprintf(stderr, "usage: qd_digest_file [--scalar | --detect | --validate] FILE...\n");
        return 2;
    }
    if (std::strcmp(mode, "--validate") == 0) return validate(argc - first, argv + first);
    if (std::strcmp(mode, "--detect") == 0) return detect(argc - first, argv + first);
    if (std::strcmp(mode, "--scalar") == 0) return digest<ScalarHash>(argc - first, argv + first);
    if (*mode) {
        std::fprintf(stderr, "unknown option %s\n", mode);
        return 2;
    }
    return digest<BestHash>(argc - first, argv + first);
}
