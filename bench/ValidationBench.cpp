// Times, in one run under Wine, the start-up pass over many items with
// CheckSafe off against a bare loop of the same existence checks over the
// same paths, a selection move in a long list against a short one, and the
// check a launch makes (hold, digest, compare) for a 1 MB and a 100 MB
// program, with the digest it uses and with the collision-detecting one.
//
//   qd_validation_bench [ITEMS] [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/CatalogueFile.h"
#include "catalogue/ItemPath.h"
#include "common/Dpi.h"
#include "integrity/CollisionDetectingHash.h"
#include "integrity/FileCheck.h"
#include "integrity/FileDigest.h"
#include "integrity/Fingerprint.h"
#include "integrity/HeldProgram.h"
#include "integrity/Launch.h"
#include "integrity/ItemValidation.h"
#include "common/MessageLoop.h"
#include "shell/QuillDeck1.h"
#include "ui/ItemList.h"

namespace {

using namespace qd;

double nowMs() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double timeMs(const std::function<void()>& run) {
    const double start = nowMs();
    run();
    return nowMs() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void drainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A launcher folder with `count` existing executables listed in its catalogue,
// CheckSafe off; removed with everything in it.
class BenchFolder {
  public:
    explicit BenchFolder(int count) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "qd-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(count) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
        CreateDirectoryA((path_ + "tools").c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            const std::string file = "tool" + std::to_string(i) + ".exe";
            files_.push_back(path_ + "tools\\" + file);
            CloseHandle(CreateFileA(files_.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
            table.addItem({"Tool " + std::to_string(i), "tools\\" + file, file, "0", "", "0",
                           "fingerprint", "0"},
                          IconImage{});
        }
        const std::string catalogue = encodeCatalogue(table);
        HANDLE out = CreateFileA((path_ + "QuillDeck.rcc").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(out, catalogue.data(), static_cast<DWORD>(catalogue.size()), &written, nullptr);
        CloseHandle(out);
        WritePrivateProfileStringA("Preferences", "CheckSafe", "0",
                                   (path_ + "QuillDeck.ini").c_str());
    }
    ~BenchFolder() {
        files_.push_back(path_ + "QuillDeck.rcc");
        files_.push_back(path_ + "QuillDeck.ini");
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA((path_ + "tools").c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& path() const { return path_; }

    ItemTable table;

  private:
    std::string path_;
    std::vector<std::string> files_;
};

struct Window {
    HWND handle;
    explicit Window() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QdBenchHost";
        RegisterClassA(&wc);
        handle = CreateWindowA("QdBenchHost", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 260,
                               500, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~Window() { DestroyWindow(handle); }
};

// The pass as start-up runs it, against the same existence checks in a bare loop.
void benchPass(int count, int runs) {
    BenchFolder folder(count);
    const ItemTable pristine = folder.table;
    ItemTable table = pristine;
    Window host;
    TItemList list(host.handle, table, 0, 0, 240, 460, DesignDpi);
    list.SetColumnWidth(230);
    list.TableChanged();
    UpdateWindow(host.handle);
    TSecHash hash;

    std::vector<std::string> fullPaths;
    for (int row = 0; row < pristine.rowCount(); ++row)
        fullPaths.push_back(ResolveItemPath(folder.path(), pristine.cell(ColRelativePath, row)));

    std::vector<double> pass, bare;
    for (int run = 0; run < runs; ++run) {
        int found = 0;
        bare.push_back(timeMs([&] {
            for (const std::string& path : fullPaths)
                found += CheckItemFile(path) == FileState::Exists ? 1 : 0;
        }));
        if (found != count) std::printf("warning: %d of %d files found\n", found, count);
        table = pristine;
        pass.push_back(timeMs([&] {
            ValidateAllItems(
                table, {false, false}, {host.handle, folder.path(), hash},
                [&](int row, bool removed) { list.DrawRowChange(row, removed); },
                [] { return true; });
            list.TableChanged();
            UpdateWindow(list.Handle());
        }));
        if (table.rowCount() != count) std::printf("warning: the pass removed items\n");
    }
    // The parts around the checks: resolving each path, and what looking for
    // messages at every row would cost (the pass looks every few milliseconds).
    const double resolving = timeMs([&] {
        for (int row = 0; row < pristine.rowCount(); ++row)
            ResolveItemPath(folder.path(), pristine.cell(ColRelativePath, row));
    });
    const double pumping = timeMs([&] {
        for (int row = 0; row < pristine.rowCount(); ++row)
            ProcessMessages();
    });
    std::printf(
        "resolving the paths alone: %.1f ms; letting messages run at every row would add %.1f ms\n",
        resolving, pumping);
    const double p = median(pass), b = median(bare);
    std::printf("start-up pass, %d items, CheckSafe off: %.1f ms (%.1f us/item)\n", count, p,
                1000 * p / count);
    std::printf("bare existence checks, same paths:   %.1f ms (%.1f us/item)\n", b,
                1000 * b / count);
    std::printf("ratio pass / bare loop: %.2f (target <= 1.5)\n", p / b);
}

// The whole start-up of the main window, then Down and Up in its list.
double benchSelection(int count, int moves) {
    BenchFolder folder(count);
    TStartup startup;
    startup.launcherFolder = folder.path();
    std::unique_ptr<TForm1> form;
    const double started = timeMs([&] { form = std::make_unique<TForm1>(startup); });
    drainMessages();
    HWND list = FindWindowExA(form->Handle(), nullptr, "TStringGrid", nullptr);
    std::vector<double> times;
    for (int i = 0; i < moves; ++i) {
        // Down then up keeps the selection near the end of the list, where
        // anything that walks the rows costs most.
        if (i == 0) SendMessageA(list, WM_KEYDOWN, VK_END, 0);
        UpdateWindow(list);
        times.push_back(timeMs([&] {
            SendMessageA(list, WM_KEYDOWN, i % 2 ? VK_DOWN : VK_UP, 0);
            UpdateWindow(list);
        }));
    }
    std::printf("main window with %d items: usable after %.1f ms, selection move %.3f ms\n", count,
                started, median(times));
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    drainMessages();
    return median(times);
}

// A program-sized file of pseudo-random bytes in the temporary folder.
std::string makeProgram(std::size_t bytes) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "qd-launch-bench-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(bytes) +
                             ".exe";
    std::string data(bytes, '\0');
    unsigned state = 12345;
    for (char& c : data)
        c = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(out);
    return path;
}

// What a checked launch adds before the shell starts the program.
void benchLaunchCheck(int runs) {
    TSecHash hash;
    TCollisionDetectingHash detecting;
    for (const std::size_t megabytes : {1, 100}) {
        const std::string path = makeProgram(megabytes * 1000 * 1000);
        ItemTable table;
        table.addItem({"Bench", path, "bench.exe", "0", "", "0",
                       makeItemFingerprint(THeldProgram(path).Digest(hash)), "0"},
                      IconImage{});
        std::vector<double> check, detected;
        for (int run = 0; run < runs; ++run) {
            check.push_back(timeMs([&] {
                const THeldProgram held(path);
                if (!held.IsHeld() || !acceptLaunchDigest(table, 0, held.Digest(hash)))
                    std::printf("warning: the launch check failed\n");
            }));
            detected.push_back(timeMs([&] {
                const THeldProgram held(path);
                HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
                const TCheckedDigest checked = detecting.digestStream(FileReader(file, path));
                CloseHandle(file);
                if (checked.collisionAttack ||
                    makeItemFingerprint(checked.digest) != table.cell(ColFingerprint, 0))
                    std::printf("warning: the collision-detecting check failed\n");
            }));
        }
        std::printf("launch check, %3zu MB program: %.2f ms (%s digest), %.2f ms with collision "
                    "detection\n",
                    megabytes, median(check),
                    hash.engine() == Sha1Engine::ShaNi ? "SHA-NI" : "scalar", median(detected));
        DeleteFileA(path.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    benchPass(count, runs);
    const double few = benchSelection(10, 201);
    const double many = benchSelection(count, 201);
    std::printf("ratio selection move %d items / 10 items: %.2f (target about 1)\n", count,
                many / few);
    benchLaunchCheck(runs);
    return 0;
}
