#pragma once
// Test-only: "--resource-counts FILE" on the command line makes the program append to FILE a line
// "key N gdi G user U handles H" every 100 key presses and "exit N gdi G user U handles H" when
// the message loop ends, so a long run of random keys shows whether objects pile up. Without the
// switch nothing is counted or written.

// Reads the switch from the command line.
void startResourceCounts();
// One key press (WM_KEYDOWN or WM_SYSKEYDOWN); every 100th appends a line.
void countResourcesAfterKey();
// The line at exit.
void writeExitResourceCounts();
// GDI objects of this process (also the tests' leak check).
int gdiObjectCount();
