#pragma once
// Main-view commands on the active panel that do not touch the file system: cursor movement,
// entering and leaving folders, switching panels, marking. Each reports in the status line and
// repaints, unless it says otherwise.
#include <windows.h>

#include <cstdint>

void moveCursor(HWND window, int delta);   // -1 up, +1 down, clamped, no wrap
void markAndMove(HWND window, int delta);  // Ctrl+Up/Down: marks the cursor row and the next one
void toggleMark(HWND window);              // Space
void clearMarks(HWND window);              // ESC: both panels' marks
// Enter on the cursor entry: opens a folder; false for a file, which the caller hands to open and run.
bool openEntry(HWND window);
void goUp(HWND window);                    // Backspace
void switchPanel(HWND window);             // Tab

// Marks in both panels together.
size_t markCount();
