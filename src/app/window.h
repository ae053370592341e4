#pragma once
// The full-screen window and its message loop. app/ is the top floor, the composition of the
// rest: window, loop, key routing, main view, frame, start-up. Nothing includes it but itself.
#include <windows.h>

// Registers the class and creates the full-screen window (start-up runs inside); null on failure.
HWND createMainWindow(HINSTANCE instance);
// Registers the class, creates and shows the window, runs the loop; returns the exit code
// (the quit code, or 1 when the window cannot be created).
int runProgram(HINSTANCE instance);
// Start state of the window: no close waiting for an operation to end.
void resetWindowState();
