// A DLL that must never be loaded: placed beside the launcher under the name
// of a system DLL, it leaves a file behind when anything loads it.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH];
    GetModuleFileNameA(self, path, sizeof(path));
    const std::string marker = std::string(path) + ".loaded";
    CloseHandle(CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
