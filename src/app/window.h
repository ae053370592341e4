#pragma once
// The full-screen window, its message loop and the message pump of long operations.
#include <windows.h>

// Registers the class and creates the full-screen window (start-up runs inside); null on failure.
HWND createMainWindow(HINSTANCE instance);
// Registers the class, creates and shows the window, runs the loop; returns the exit code
// (the quit code, or 1 when the window cannot be created).
int runProgram(HINSTANCE instance);
// Empties the message queue; false when the running operation must stop (cancel or quit).
bool pumpMessages();
