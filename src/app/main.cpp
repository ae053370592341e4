// Program entry: registers the window class, creates the window and runs the message loop.
#include <windows.h>

#include "app/window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return runProgram(instance);
}
