#pragma once
// Feeds keys through the dispatcher as the window would, and returns the status line.
#include <windows.h>

#include <initializer_list>
#include <string>

// Presses each key in turn (no window: repaints are skipped) and returns the status line.
std::wstring press(std::initializer_list<UINT> keys);
// Holds or releases a key (Ctrl, Shift, Alt) for GetKeyState.
void holdKey(int key, bool held);
// The exit code of the WM_QUIT waiting in this thread's queue (taken from it), or -1.
long long takeQuit();
