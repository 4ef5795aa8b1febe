#pragma once
#include <windows.h>

#include <string>

namespace qd {

constexpr char ApplicationTitle[] = " Quill'Deck";
constexpr char CatalogueFileName[] = "QuillDeck.rcc";
constexpr char PreferencesFileName[] = "QuillDeck.ini";
constexpr char SingleInstanceMutexName[] = "ostrawenQuilldeckSoftware";

// The running executable's full path, in UTF-8.
std::string ExecutablePath();
// Folder of the running executable, with its trailing backslash, in UTF-8.
std::string ExecutableFolder();

// The program's own icon, at the system's icon size (shared, not to be destroyed).
HICON ApplicationIcon();

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(unsigned long code);

} // namespace qd
