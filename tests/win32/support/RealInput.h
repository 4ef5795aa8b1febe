#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

namespace qdtest {

// Runs the program's own message loop (its filters included) for a while.
void runMessages(DWORD milliseconds);

// Queues one press and release of `key` as keyboard input, without running
// any messages: it reaches whichever window has the focus when it is read.
void sendKey(WORD key);

// Presses and releases keys as the keyboard does: they reach whichever window
// has the focus, not one the test chose.
void typeKeys(std::initializer_list<WORD> keys);

// Waits for the launch probe's report in `folder`, or gives "" after a while.
std::string probeReport(const std::string& folder, DWORD milliseconds = 10000);

} // namespace qdtest
