#include "support/LauncherFolder.h"

#include "catalogue/CatalogueFile.h"
#include "integrity/Fingerprint.h"
#include "shell/MainWindowSeam.h"
#include "shell/TrayMessages.h"
#include "support/RealInput.h"

#include <gtest/gtest.h>

namespace qdtest {

std::string fingerprintOf(const std::string& bytes) {
    qd::TSecHash hash;
    hash.update(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return qd::makeItemFingerprint(hash.finish());
}

void LauncherFolder::addItem(const std::string& title, const std::string& file,
                             const char* contents, const std::string& fingerprint) {
    if (contents) {
        CreateDirectoryA(folder.file("tools").c_str(), nullptr);
        writeFile(folder.file("tools\\" + file), contents);
    }
    table.addItem({title, "tools\\" + file, file, "0", "", "0", fingerprint, "0"}, qd::IconImage{});
}

void LauncherFolder::addUncheckedItems(std::initializer_list<const char*> titles) {
    for (const char* title : titles)
        addItem(title, std::string(title) + ".exe", "x", std::string(40, 'Q'));
    setPreference("CheckSafe", "0");
}

void LauncherFolder::addProbe(const std::string& title, const std::string& file) {
    CreateDirectoryA(folder.file("tools").c_str(), nullptr);
    CopyFileA(launchProbeProgram().c_str(), folder.file("tools\\" + file).c_str(), FALSE);
    const std::string bytes = readFile(folder.file("tools\\" + file));
    table.addItem({title, "tools\\" + file, file, "0", "", "0", fingerprintOf(bytes), "0"},
                  qd::IconImage{});
}

void LauncherFolder::setPreference(const char* key, const char* value) {
    WritePrivateProfileStringA("Preferences", key, value, ini().c_str());
}

std::unique_ptr<qd::TForm1> LauncherFolder::start(std::vector<std::string> arguments,
                                                  int showWindow) {
    writeFile(folder.file("QuillDeck.rcc"), table.isEmpty() ? "" : qd::encodeCatalogue(table));
    SetCurrentDirectoryA(elsewhere.path().c_str());
    qd::TStartup startup;
    startup.launcherFolder = folder.path();
    startup.arguments = std::move(arguments);
    startup.startupShowWindow = showWindow;
    return std::make_unique<qd::TForm1>(startup);
}

void closeForm(qd::TForm1& form) {
    seam(form).Close();
    pump(10);
}

void chooseTrayEntry(qd::TForm1& form, int position) {
    MenuWatcher watcher(position);
    SendMessageA(form.Handle(), qd::WM_TRAYICON, 0, WM_RBUTTONDOWN);
    if (!watcher.seen()) ADD_FAILURE() << "the tray icon's menu did not open";
    runMessages(50);
}

} // namespace qdtest
