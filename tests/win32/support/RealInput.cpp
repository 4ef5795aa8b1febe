#include "support/RealInput.h"

#include "shell/MessageLoop.h"
#include "support/DialogWatcher.h"

namespace qdtest {

void runMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        qd::ProcessMessages();
        Sleep(1);
    } while (GetTickCount() - start < milliseconds);
}

void sendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void typeKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        sendKey(key);
        runMessages(30);
    }
}

std::string probeReport(const std::string& folder, DWORD milliseconds) {
    const std::string out = folder + "probe-out.txt";
    const DWORD start = GetTickCount();
    while (!fileExists(out) && GetTickCount() - start < milliseconds)
        runMessages(20);
    return readFile(out);
}

} // namespace qdtest
