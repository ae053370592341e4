#pragma once
// Routing of keys and typed characters to the screen that owns the keyboard.
#include <windows.h>

// WM_KEYDOWN and WM_SYSKEYDOWN alike: the screen of the current mode gets the virtual key.
void dispatchKey(HWND window, UINT key);
// WM_CHAR: one UTF-16 unit for the line inputs; control characters and DEL are never taken.
void characterInput(HWND window, wchar_t ch);
