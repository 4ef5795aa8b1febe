// A program that only exists to be added, read and digested by the tests:
// what matters is the resource file linked into each copy.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
