#pragma once
// Line blocks through the Windows clipboard (Unicode text only): Ctrl+C, Ctrl+X and Ctrl+V, each
// reporting in the status line. A paste is bounded by the clipboard and document size limits.
#include <windows.h>

#include <string>

// Fills the block first and only then empties the clipboard, so a failure leaves its old content.
bool putClipboardText(HWND window, const std::wstring& text);
// The clipboard's Unicode text up to its first NUL, never past the end of its block nor past `limit`
// units; false when it holds none.
bool readClipboardText(HWND window, std::wstring& text, size_t limit);

void copyBlock(HWND window);
void cutBlock(HWND window);
void pasteClipboard(HWND window);
