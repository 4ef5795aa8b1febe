#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qdtest {

// Answers every dialog box that opens on this thread while it lives and
// records what it showed.
class DialogWatcher {
  public:
    struct Seen {
        std::string caption;
        std::string text;
        std::vector<std::string> buttons;
    };
    // `answer` is the control id to press (IDOK, IDCANCEL, IDABORT ...).
    explicit DialogWatcher(int answer = IDOK);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    const std::vector<Seen>& seen() const { return seen_; }
    void setAnswer(int answer) { answer_ = answer; }
    // Runs as each dialog opens, before it is answered.
    std::function<void()> onShown;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    int answer_;
    std::vector<Seen> seen_;
};

// A fresh empty folder under the temporary folder, removed with its files.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // With its trailing backslash.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

// A file the build made, by its host path, as Wine sees it (Z: is the root).
std::string builtFile(const char* hostPath);

// The launch probe program built beside the tests.
std::string launchProbeProgram();

// A window's text (a control's caption).
std::string windowText(HWND window);
// A control's rectangle in its parent's client coordinates.
RECT placeInParent(HWND control);

// A menu's entries in order: their text, "-" for a separator, "(off)"
// after the text of a greyed entry.
std::vector<std::string> menuTexts(HMENU menu);

// Lets queued messages run for a while (or until `done` is true).
void pump(DWORD milliseconds = 50);

} // namespace qdtest
