#pragma once
// The twelve functions of the main view, F1 to F12, by bar index 0..11: their names and key labels,
// shown by the function-key bar, the help screen and the status line.
#include <string>

// "[F5] COPY" in the current language; "" outside 0..11.
std::wstring functionLabel(int index);
// "COPY" in the current language; "" outside 0..11.
std::wstring functionName(int index);
// "[F5]"; "" outside 0..11.
std::wstring functionKeyLabel(int index);
