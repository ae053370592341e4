#pragma once
// The full-screen window and its message loop. app/ is the top floor, the composition of the
// rest: window, loop, key routing, main view, frame, start-up. Nothing includes it but itself.
#include <windows.h>

#include <string>

// The reason given to Windows while a log-off or shutdown waits for a running copy, move or delete
// ("Copy in progress"); empty when none is given.
extern std::wstring shutdownBlockReason;

// Registers the class and creates the full-screen window (start-up runs inside); null on failure.
HWND createMainWindow(HINSTANCE instance);
// Registers the class, creates and shows the window, runs the loop; returns the exit code
// (the quit code, or 1 when the window cannot be created).
int runProgram(HINSTANCE instance);
// Start state of the window: no close waiting for an operation to end, no shutdown held off.
void resetWindowState();
