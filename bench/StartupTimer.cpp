// Times a program's start inside Wine, so Wine's own start of the timing
// process is not counted: from CreateProcess until the program shows a
// visible top-level window that answers messages and, for the launcher, whose
// item list takes input after the start-up pass. Then reads the working set and ends the
// program through its own exit command.
//
//   qd_startup_timer PROGRAM.exe     prints "READY_MS WORKING_SET_BYTES"
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <string>

#include "ui/MainMenu.h"

namespace {

struct Found {
    DWORD process;
    HWND window;
};

HWND visibleWindowOf(DWORD process) {
    Found found{process, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Found*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != f->process || !IsWindowVisible(hwnd)) return TRUE;
            RECT r;
            GetWindowRect(hwnd, &r);
            if (r.right - r.left < 50) return TRUE; // not a helper window
            f->window = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// The window is usable: shown, and its item list (the launcher's) enabled.
bool ready(HWND window) {
    HWND list = FindWindowExA(window, nullptr, "TStringGrid", nullptr);
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    return std::string(name) != "TForm1" || (list && IsWindowEnabled(list));
}

double msSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string command = std::string("\"") + argv[1] + "\"";
    std::string folder = argv[1];
    folder.erase(folder.find_last_of("\\/") + 1);
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return 1;
    // The pass disables the list right after the window shows: ready is the
    // last moment it became usable, once it has stayed so for a while.
    double readyAt = -1;
    HWND window = nullptr;
    while (msSince(start) < 600000) {
        HWND shown = visibleWindowOf(process.dwProcessId);
        const bool usable = shown && ready(shown);
        // Takes input: its thread answers a message, so it is in its loop.
        if (usable && readyAt < 0 &&
            SendMessageTimeoutA(shown, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr))
            readyAt = msSince(start), window = shown;
        if (!usable) readyAt = -1;
        if (readyAt >= 0 && msSince(start) - readyAt > 300) break;
        Sleep(1);
    }
    if (readyAt < 0) return 1;
    PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
    GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters));
    std::printf("%.1f %zu\n", readyAt, counters.WorkingSetSize);
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    // The launcher's caption close only hides it by default: its Exit ends it.
    if (std::string(name) == "TForm1")
        PostMessageA(window, WM_COMMAND, qd::Pop1_Exit, 0);
    else
        PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
