// Drives a running launcher from outside, for the end-to-end tests:
//   qd_remote wait-window MS   wait until the main window is visible
//   qd_remote wait-hidden MS   wait until the main window is there but hidden
//                              in the tray (its taskbar button gone too)
//   qd_remote wait-ready MS    wait until the start-up pass is over: the item
//                              list stays enabled for a while
//   qd_remote wait-gone MS     wait until no main window is left
//   qd_remote wait-menu MS     wait until a popup menu is open
//   qd_remote wait-no-menu MS  wait until no popup menu is open
//   qd_remote menus            print the number of popup menus open
//   qd_remote wait-focused MS  wait until the main window is in front with
//                              the keyboard focus on its item list
//   qd_remote count            print the number of main windows
//   qd_remote wait-writable FILE  wait up to 10 s until another program could
//                              open FILE (a Windows path) to write it
//   qd_remote exit             choose "E&xit" from the main menu
//   qd_remote close            the caption's close button
//   qd_remote rect             print the main window's left, top, width, height
//   qd_remote memory           print the launcher's working set and its peak, in bytes
//   qd_remote layout           print the main window's client size and the screen
//                              place of its top-left corner, then class, left, top,
//                              width and height of each visible child
//   qd_remote items            read the item list as a screen reader does: its
//                              role, then one line per child, its name, with
//                              " *" after the selected one
//   qd_remote observe          for the explorer: "answer yes|no" (a message
//                              round trip within 2 s), a "window" line per
//                              visible top-level window of the launcher's
//                              process and a "child" line per visible child
//                              (class, title, screen rectangle), then "items N"
//                              (the rows shown) and "selected TITLE"
//   qd_remote serve            answer verbs read one a line from standard input
//   qd_remote taskbar-created  broadcast "TaskbarCreated", as a restarted
//                              shell does
#include <windows.h>
// After <windows.h>, which they need.
#include <oleacc.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "common/Handles.h"
#include "shell/TrayMessages.h"
#include "ui/MainMenu.h"

namespace {

HWND mainWindow() {
    return FindWindowA("TForm1", nullptr);
}

// Hidden to the tray is done when the taskbar button's window is hidden too.
bool hiddenInTray() {
    HWND application = FindWindowA("TApplication", nullptr);
    return application && !IsWindowVisible(application);
}

bool waitFor(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(20);
    }
    return true;
}

// The pass disables the list while it runs, right after the window shows; a
// list enabled for longer than a short pass takes means the pass is over.
bool listSettled() {
    constexpr DWORD Settle = 300;
    static DWORD enabledSince = 0;
    HWND window = mainWindow();
    HWND list = window ? FindWindowExA(window, nullptr, "TStringGrid", nullptr) : nullptr;
    if (!list || !IsWindowVisible(window) || !IsWindowEnabled(list)) {
        enabledSince = 0;
        return false;
    }
    if (!enabledSince) enabledSince = GetTickCount();
    return GetTickCount() - enabledSince >= Settle;
}

// The visible popup menus of the launcher's process.
int openMenus() {
    HWND window = mainWindow();
    if (!window) return 0;
    struct Search {
        DWORD process = 0;
        int found = 0;
    } search;
    GetWindowThreadProcessId(window, &search.process);
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            char name[16];
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (process == s.process && IsWindowVisible(hwnd) &&
                GetClassNameA(hwnd, name, sizeof(name)) && std::strcmp(name, "#32768") == 0)
                ++s.found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool menuOpen() {
    return openMenus() > 0;
}

bool listFocused() {
    HWND window = mainWindow();
    if (!window || GetForegroundWindow() != window) return false;
    GUITHREADINFO info{sizeof(info)};
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndFocus == FindWindowExA(window, nullptr, "TStringGrid", nullptr);
}

int countWindows() {
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM counter) -> BOOL {
            char name[64];
            if (GetClassNameA(hwnd, name, sizeof(name)) && std::strcmp(name, "TForm1") == 0)
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string narrow(BSTR text) {
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(length > 0 ? length - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), length, nullptr, nullptr);
    return result;
}

// The item list's accessible object, as a screen reader asks for it; null
// when there is none.
IAccessible* listAccessible(HWND window) {
    HWND list = FindWindowExA(window, nullptr, "TStringGrid", nullptr);
    IAccessible* object = nullptr;
    if (!list || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
        AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return nullptr;
    return object;
}

int printAccessibleItems(HWND window) {
    IAccessible* object = listAccessible(window);
    if (!object) return 1;
    VARIANT child{}, role{}, selection{};
    child.vt = VT_I4;
    LONG count = 0;
    if (object->get_accRole(child, &role) != S_OK || object->get_accChildCount(&count) != S_OK)
        return 1;
    std::printf("role %ld\n", role.lVal);
    object->get_accSelection(&selection);
    for (child.lVal = 1; child.lVal <= count; ++child.lVal) {
        BSTR name = nullptr;
        if (object->get_accName(child, &name) != S_OK) return 1;
        const bool selected = selection.vt == VT_I4 && selection.lVal == child.lVal;
        std::printf("%s%s\n", narrow(name).c_str(), selected ? " *" : "");
        SysFreeString(name);
    }
    object->Release();
    CoUninitialize();
    return 0;
}

// "KIND CLASS|TITLE|LEFT TOP RIGHT BOTTOM", on the screen.
void printWindow(const char* kind, HWND hwnd) {
    char name[64] = {}, title[256] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    GetWindowTextA(hwnd, title, sizeof(title));
    for (char& c : title)
        if (c == '\n' || c == '\r' || c == '|') c = ' ';
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("%s %s|%s|%ld %ld %ld %ld\n", kind, name, title, r.left, r.top, r.right, r.bottom);
}

// The launcher's visible top-level windows, topmost first, each followed by
// its visible children: its dialogs, message boxes and
// open menus (class #32768) show here.
void printWindows(HWND window) {
    static DWORD pid;
    GetWindowThreadProcessId(window, &pid);
    EnumWindows(
        [](HWND hwnd, LPARAM) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner != pid || !IsWindowVisible(hwnd)) return TRUE;
            printWindow("window", hwnd);
            EnumChildWindows(
                hwnd,
                [](HWND child, LPARAM) -> BOOL {
                    if (IsWindowVisible(child)) printWindow("child", child);
                    return TRUE;
                },
                0);
            return TRUE;
        },
        0);
}

// The number of rows the list shows and the selected one's name, as a screen
// reader reads them (one name, so a list of thousands is read quickly).
int printShownItems(HWND window) {
    IAccessible* object = listAccessible(window);
    if (!object) return 1;
    LONG count = 0;
    VARIANT selection{};
    if (object->get_accChildCount(&count) != S_OK) return 1;
    std::printf("items %ld\n", count);
    if (object->get_accSelection(&selection) == S_OK && selection.vt == VT_I4) {
        BSTR name = nullptr;
        if (object->get_accName(selection, &name) == S_OK) {
            std::printf("selected %s\n", narrow(name).c_str());
            SysFreeString(name);
        }
    }
    object->Release();
    CoUninitialize();
    return 0;
}

int observe(HWND window) {
    DWORD_PTR result = 0;
    const bool answers =
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
    std::printf("answer %s\n", answers ? "yes" : "no");
    if (!answers) return 0;
    printWindows(window);
    return printShownItems(window);
}

// Sizes are read as the launcher sees them, not mapped to a 96-DPI view.
void becomeDpiAware() {
    using SetContextFn = void*(WINAPI*)(void*);
    const auto set = reinterpret_cast<SetContextFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    if (set) set(reinterpret_cast<void*>(static_cast<INT_PTR>(-4)));
}

void printLayout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("client %ld %ld %ld %ld\n", client.right, client.bottom, origin.x, origin.y);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        char name[64] = {};
        GetClassNameA(child, name, sizeof(name));
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left,
                    r.bottom - r.top);
    }
}

int run(const char* verb, const char* argument) {
    const DWORD wait = argument ? std::strtoul(argument, nullptr, 10) : 10000;
    if (!std::strcmp(verb, "wait-window"))
        return waitFor([] { return mainWindow() && IsWindowVisible(mainWindow()) != FALSE; }, wait)
                   ? 0
                   : 1;
    if (!std::strcmp(verb, "wait-hidden"))
        return waitFor(
                   [] { return mainWindow() && !IsWindowVisible(mainWindow()) && hiddenInTray(); },
                   wait)
                   ? 0
                   : 1;
    if (!std::strcmp(verb, "wait-ready")) return waitFor(listSettled, wait) ? 0 : 1;
    if (!std::strcmp(verb, "wait-gone")) return waitFor([] { return !mainWindow(); }, wait) ? 0 : 1;
    if (!std::strcmp(verb, "wait-menu")) return waitFor(menuOpen, wait) ? 0 : 1;
    if (!std::strcmp(verb, "wait-no-menu"))
        return waitFor([] { return !menuOpen(); }, wait) ? 0 : 1;
    if (!std::strcmp(verb, "wait-focused")) return waitFor(listFocused, wait) ? 0 : 1;
    if (!std::strcmp(verb, "menus")) {
        std::printf("%d\n", openMenus());
        return 0;
    }
    if (!std::strcmp(verb, "wait-writable") && argument) {
        const std::string path = argument;
        return waitFor(
                   [&] {
                       qd::UniqueKernelHandle file(
                           CreateFileA(path.c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                       return file.get() != INVALID_HANDLE_VALUE;
                   },
                   10000)
                   ? 0
                   : 1;
    }
    if (!std::strcmp(verb, "count")) {
        std::printf("%d\n", countWindows());
        return 0;
    }
    HWND window = mainWindow();
    if (!window) return 1;
    if (!std::strcmp(verb, "exit"))
        return PostMessageA(window, WM_COMMAND, qd::Pop1_Exit, 0) ? 0 : 1;
    if (!std::strcmp(verb, "rect")) {
        RECT r;
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    if (!std::strcmp(verb, "memory")) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        qd::UniqueKernelHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, pid));
        PROCESS_MEMORY_COUNTERS counters{sizeof(counters)};
        if (!process || !GetProcessMemoryInfo(process.get(), &counters, sizeof(counters))) return 1;
        std::printf("%zu %zu\n", counters.WorkingSetSize, counters.PeakWorkingSetSize);
        return 0;
    }
    if (!std::strcmp(verb, "layout")) {
        printLayout(window);
        return 0;
    }
    if (!std::strcmp(verb, "items")) return printAccessibleItems(window);
    if (!std::strcmp(verb, "observe")) return observe(window);
    if (!std::strcmp(verb, "taskbar-created")) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                                   SMTO_ABORTIFHUNG, 2000, &result)
                   ? 0
                   : 1;
    }
    if (!std::strcmp(verb, "close"))
        return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    return 2;
}

// One verb a line from standard input, each answer followed by "end CODE":
// a driver that asks often is spared starting a Wine process each time. The
// thread that answers keeps pumping messages while it waits, as a screen
// reader does: a window that sends it a message must not be kept waiting.
int serve() {
    static char line[256];
    static HANDLE lineRead = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    static HANDLE lineDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    static bool ended = false;
    CreateThread(
        nullptr, 0,
        [](void*) -> DWORD {
            while (std::fgets(line, sizeof(line), stdin)) {
                SetEvent(lineRead);
                WaitForSingleObject(lineDone, INFINITE);
            }
            ended = true;
            SetEvent(lineRead);
            return 0;
        },
        nullptr, 0, nullptr);
    for (;;) {
        if (MsgWaitForMultipleObjects(1, &lineRead, FALSE, INFINITE, QS_ALLINPUT) !=
            WAIT_OBJECT_0) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            continue;
        }
        if (ended) return 0;
        line[std::strcspn(line, "\r\n")] = '\0';
        char* argument = std::strchr(line, ' ');
        if (argument) *argument++ = '\0';
        const int code = run(line, argument);
        std::printf("end %d\n", code);
        std::fflush(stdout);
        SetEvent(lineDone);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    becomeDpiAware();
    if (!std::strcmp(argv[1], "serve")) return serve();
    return run(argv[1], argc > 2 ? argv[2] : nullptr);
}
