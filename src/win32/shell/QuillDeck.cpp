// Entry point: one copy at a time, then the main window and its message loop.
#include <windows.h>

#include <cstdlib>

#include "common/AppInfo.h"
#include "common/Handles.h"
#include "common/MessageLoop.h"
#include "shell/QuillDeck1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace qd;
    // The launcher runs from shared sticks: a DLL placed beside it must never
    // be loaded in place of the system's own.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // A second copy ends at once, silently, touching nothing.
    UniqueKernelHandle mutex(CreateMutexA(nullptr, TRUE, SingleInstanceMutexName));
    if (!mutex || GetLastError() != 0) return 0;

    TStartup startup;
    startup.launcherFolder = ExecutableFolder();
    for (int i = 1; i < __argc; ++i)
        startup.arguments.emplace_back(__argv[i]);
    STARTUPINFOA info{sizeof(info)};
    GetStartupInfoA(&info);
    startup.startupShowWindow = info.wShowWindow;

    int status = 0;
    Guarded(nullptr, [&] {
        TForm1 form(std::move(startup));
        status = RunMessageLoop(form.Handle());
    });
    (void)status;
    return 0;
}
