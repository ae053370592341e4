#pragma once
// The main view's keys and the function-key bar (F1..F12 buttons along the bottom).
#include <windows.h>

void mainViewKey(HWND window, UINT key);
// Left/Right on the bar: focuses it and moves the highlight, clamped to F1..F12.
void moveFunctionBar(HWND window, int delta);
// Starts the function of bar index 0..11 (F1..F12).
void runFunction(HWND window, int index);
