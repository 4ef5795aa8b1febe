// Makes and reads catalogue files for the end-to-end tests:
//   qd_catalogue make FILE N [G [PROGRAM]]  a catalogue of N items with distinct icons,
//                                         item i in group i mod G (default: all in Main);
//                                         with PROGRAM (relative to FILE's folder) every
//                                         enabled item has its fingerprint, so a start
//                                         with the integrity check on finds none changed
//   qd_catalogue items FILE PROGRAM...    one item per program, each named as the
//                                         launcher stores it (relative to FILE's
//                                         folder), fingerprinted as it is now and
//                                         with its first icon, as adding it would
//   qd_catalogue dump FILE                one line per row: its cells, an icon checksum and
//                                         the number of colours in the icon (1 for a blank one)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "catalogue/CatalogueFile.h"
#include "catalogue/ItemPath.h"
#include "common/Error.h"
#include "integrity/FileDigest.h"
#include "integrity/Fingerprint.h"
#include "items/IconExtraction.h"

namespace {

qd::IconImage sampleIcon(int item) {
    qd::IconImage icon;
    for (int y = 0; y < qd::IconSize; ++y)
        for (int x = 0; x < qd::IconSize; ++x)
            if ((x + y + item) % 5 != 0) // every fifth pixel stays transparent
                icon.at(x, y) = static_cast<std::uint32_t>((item * 40 + x * 11) % 256 << 16 |
                                                           (y * 12) % 256 << 8 | (item * 70) % 256);
    return icon;
}

int make(const std::string& path, int count, int groups, const char* program) {
    qd::ItemTable table;
    std::string fingerprint;
    if (program) {
        const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
        qd::TSecHash hash;
        try {
            fingerprint =
                qd::makeItemFingerprint(qd::DigestFile(hash, qd::ResolveItemPath(folder, program)));
        } catch (const qd::EQuillDeck& e) {
            std::fprintf(stderr, "error: %s\n", e.what());
            return 1;
        }
    }
    static const char* const Titles[] = {"Text Editor", "Calculator", "Image Viewer",
                                         "Archiver",    "Terminal",   "Notes"};
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i + 1);
        const std::string title = Titles[i % 6] + (i < 6 ? std::string() : " " + n);
        table.addItem({title, "tools\\item" + n + ".exe", "item" + n + ".exe", "0",
                       i == 1 ? "--flag \"a b\"" : "", std::to_string(i % 3),
                       i == 2    ? "0"
                       : program ? fingerprint
                                 : std::string(40, 'A' + i % 26),
                       std::to_string(i % groups)},
                      sampleIcon(i));
    }
    std::ofstream(path, std::ios::binary) << qd::encodeCatalogue(table);
    return 0;
}

int items(const std::string& path, int count, char** programs) {
    const std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    qd::ItemTable table;
    qd::TSecHash hash;
    try {
        for (int i = 0; i < count; ++i) {
            const std::string program = programs[i];
            const std::string name = program.substr(program.find_last_of("\\/") + 1);
            const std::string fullPath = qd::ResolveItemPath(folder, program);
            const qd::TSecHashDigest digest = qd::DigestFile(hash, fullPath);
            table.addItem({name, program, name, "0", "", "0", qd::makeItemFingerprint(digest), "0"},
                          qd::ExtractItemIcon(fullPath, 0));
        }
    } catch (const qd::EQuillDeck& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    std::ofstream(path, std::ios::binary) << qd::encodeCatalogue(table);
    return 0;
}

int dump(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    qd::ItemTable table;
    try {
        qd::decodeCatalogue(bytes, table);
    } catch (const qd::EQuillDeck& e) {
        std::printf("error: %s\n", e.what());
        return 1;
    }
    for (int r = 0; r < table.imageCount(); ++r) {
        std::uint64_t sum = 0;
        std::set<std::uint32_t> colours;
        for (std::uint32_t p : table.icon(r).pixels) {
            sum = sum * 31 + p;
            colours.insert(p);
        }
        std::string line;
        for (const std::string& cell : table.cells(r))
            line += cell + '|';
        std::printf("%s icon %016llx colours %d\n", line.c_str(),
                    static_cast<unsigned long long>(sum), static_cast<int>(colours.size()));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && argc <= 6 && !std::strcmp(argv[1], "make"))
        return make(argv[2], std::atoi(argv[3]), argc >= 5 ? std::max(std::atoi(argv[4]), 1) : 1,
                    argc == 6 ? argv[5] : nullptr);
    if (argc >= 4 && !std::strcmp(argv[1], "items")) return items(argv[2], argc - 3, argv + 3);
    if (argc == 3 && !std::strcmp(argv[1], "dump")) return dump(argv[2]);
    std::fprintf(
        stderr,
        "usage: qd_catalogue make FILE N [G [PROGRAM]] | items FILE PROGRAM... | dump FILE\n");
    return 2;
}
