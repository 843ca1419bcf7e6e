#include <windows.h>

// Program entry. Vesk has no console and no visible main window; its start-up, message
// loop and shutdown are built up in this file as the program grows.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
