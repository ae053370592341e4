#pragma once
// The message pump of long operations: copy, move and delete run inside a key handler and keep the
// window alive by emptying the queue between their steps.
#include <windows.h>

// Empties the message queue; false when the running operation must stop (cancel or quit). A quit
// sets the cancel flag and is posted again for the main loop.
bool pumpMessages();
// The same at most once per 10 ms; in between it only reads the cancel flag. Under Wine every peek
// is a round trip to the wineserver, and thousands of them per GiB slow the writes around them.
bool pumpMessagesPaced();
// Forgets when the queue was last emptied (start-up).
void resetPump();
