// Started by the launching tests: writes its own name, arguments, current
// directory and show command to probe-out.txt beside itself, then ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof(self));
    std::string folder(self);
    folder.erase(folder.find_last_of('\\') + 1);
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof(cwd), cwd);
    std::string args;
    for (int i = 1; i < __argc; ++i)
        args += std::string("[") + __argv[i] + "]";
    // Written under another name and renamed, so a reader never sees half a file.
    const std::string out = folder + "probe-out.txt";
    {
        std::ofstream file(out + ".part", std::ios::binary);
        file << "self:" << self + folder.size() << "\nargs:" << args << "\ncwd:" << cwd
             << "\nshow:" << show << "\n";
    }
    MoveFileExA((out + ".part").c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING);
    return 0;
}
