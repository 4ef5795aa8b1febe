#include "DialogWatcher.h"

#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <fstream>
#include <iterator>

namespace qdtest {

namespace {
DialogWatcher* active = nullptr;
} // namespace

DialogWatcher::DialogWatcher(int answer) : answer_(answer) {
    active = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

DialogWatcher::~DialogWatcher() {
    UnhookWindowsHookEx(hook_);
    active = nullptr;
}

LRESULT CALLBACK DialogWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && active) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        char name[32] = {};
        GetClassNameA(dialog, name, sizeof(name));
        if (std::strcmp(name, "#32770") == 0) {
            Seen seen;
            seen.caption = windowText(dialog);
            char text[4096] = {};
            GetDlgItemTextA(dialog, 0xFFFF, text, sizeof(text));
            seen.text = text;
            for (HWND child = GetWindow(dialog, GW_CHILD); child;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                GetClassNameA(child, name, sizeof(name));
                if (_stricmp(name, "Button") == 0) seen.buttons.push_back(windowText(child));
            }
            active->seen_.push_back(seen);
            if (active->onShown) active->onShown();
            PostMessageA(dialog, WM_COMMAND, active->answer_, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(sizeof(base), base);
    // Wine reuses process ids: a folder that already exists may hold an
    // earlier run's evidence, so only a folder made here and now is used.
    static unsigned counter = GetTickCount();
    for (;;) {
        path_ = std::string(base) + "qdtest-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create the test folder " + path_);
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string builtFile(const char* hostPath) {
    std::string path = std::string("Z:") + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string launchProbeProgram() {
    return builtFile(QD_LAUNCH_PROBE);
}

std::string windowText(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

RECT placeInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<std::string> menuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            texts.push_back("-");
        else
            texts.push_back(std::string(text) + ((state & MF_GRAYED) ? "(off)" : ""));
    }
    return texts;
}

void pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue; // a closed main window's quit
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

} // namespace qdtest
