#include "shell/IniProfile.h"

#include <windows.h>

#include "common/Error.h"
#include "common/FileIo.h"
#include "common/WidePath.h"

namespace qd {

namespace {
constexpr char Section[] = "Preferences";
// Text values come back through a buffer of this many characters, the
// terminating null included.
constexpr size_t ReadBuffer = 2048;

// What a profile read would hand back: at most ReadBuffer - 1 characters,
// counted as the wide profile services count them.
std::string cutToReadBuffer(const std::string& value) {
    if (value.size() < ReadBuffer) return value;
    std::wstring wide = WideFromAnsi(value);
    if (wide.size() >= ReadBuffer) wide.resize(ReadBuffer - 1);
    return AnsiFromWide(wide);
}
} // namespace

std::string TIniProfile::readString(const std::string& key, const std::string& fallback) {
    // Reading never reports an error: a file that is missing or cannot be
    // read gives every key its default.
    IniDocument document;
    try {
        if (FileExists(path_)) document = IniDocument(ReadWholeFile(path_));
    } catch (const EQuillDeck&) {
        return fallback;
    }
    const std::optional<std::string> stored = document.value(Section, key);
    return stored ? cutToReadBuffer(unquotedProfileValue(*stored)) : fallback;
}

void TIniProfile::writeString(const std::string& key, const std::string& value) {
    update([&](ProfileStore& store) { store.writeString(key, value); });
}

void TIniProfile::deleteKey(const std::string& key) {
    update([&](ProfileStore& store) { store.deleteKey(key); });
}

void TIniProfile::update(const std::function<void(ProfileStore&)>& changes) {
    const std::string refused = "Unable to write to " + AnsiFromPath(path_);
    IniDocument document;
    const DWORD attributes = GetFileAttributesW(WidePath(path_).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // Keys we cannot read would be lost by writing the ones we know.
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw EQuillDeck(refused);
        try {
            document = IniDocument(ReadWholeFile(path_));
        } catch (const EQuillDeck&) {
            throw EQuillDeck(refused);
        }
    }
    IniSectionStore store(document, Section);
    changes(store);
    if (!store.changed()) return;
    try {
        WriteFileReplacing(path_, document.bytes());
    } catch (const EQuillDeck&) {
        throw EQuillDeck(refused);
    }
}

} // namespace qd
