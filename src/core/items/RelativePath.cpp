#include "items/RelativePath.h"

#include <vector>

#include "common/AnsiText.h"

namespace qd {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return asciiLower(a) == asciiLower(b);
}

// The folder names between the drive part and the file name, led by the empty
// text before the first backslash, so that two paths on one drive always share
// their first component.
std::vector<std::string_view> folderComponents(std::string_view path) {
    std::vector<std::string_view> components;
    path.remove_prefix(drivePart(path).size());
    const auto first = path.find('\\');
    if (first == std::string_view::npos) return components;
    std::string_view folder = path.substr(first, path.rfind('\\') - first + 1);
    while (!folder.empty()) {
        const auto slash = folder.find('\\');
        components.push_back(folder.substr(0, slash));
        folder.remove_prefix(slash + 1);
    }
    return components;
}

} // namespace

std::string_view drivePart(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    if (path.substr(0, 2) == "\\\\") {
        const auto afterServer = path.find('\\', 2);
        if (afterServer == std::string_view::npos) return path;
        return path.substr(0, path.find('\\', afterServer + 1));
    }
    return {};
}

std::string_view fileNamePart(std::string_view path) {
    const auto end = path.find_last_of("\\:");
    return end == std::string_view::npos ? path : path.substr(end + 1);
}

std::string makeRelativePath(std::string_view launcherFolder, std::string_view fullPath) {
    const std::string path = asciiLower(fullPath);
    if (!sameIgnoringCase(drivePart(launcherFolder), drivePart(path))) return path;

    const auto base = folderComponents(launcherFolder);
    const auto target = folderComponents(path);
    std::size_t common = 0;
    while (common < base.size() && common < target.size() &&
           sameIgnoringCase(base[common], target[common]))
        ++common;

    std::string relative;
    for (std::size_t i = common; i < base.size(); ++i)
        relative += "..\\";
    for (std::size_t i = common; i < target.size(); ++i) {
        relative += target[i];
        relative += '\\';
    }
    relative += fileNamePart(path);
    return relative;
}

} // namespace qd
