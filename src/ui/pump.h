#pragma once
// The message pump of long operations: copy, move and delete run inside a key handler and keep the
// window alive by emptying the queue between their steps. It also paints their progress, rationed by
// time, so that painting never costs more than the work it shows.
#include <windows.h>

#include <cstdint>

// Empties the message queue; false when the running operation must stop (cancel or quit). A quit
// sets the cancel flag and is posted again for the main loop. Paints a pending frame that is due.
bool pumpMessages();
// The same at most once per 10 ms; in between it only reads the cancel flag (and paints a pending
// frame that is due). Under Wine every peek is a round trip to the wineserver, and thousands of them
// per GiB slow the writes around them.
bool pumpMessagesPaced();
// For work that must not take keys (a folder scan): answers only the paint and timer messages
// waiting, at most once per 10 ms, so the window keeps its frame and clock and Windows does not
// mark it as not responding. Keys, a quit and everything else stay queued for later.
void pumpPaintAndTimers();
// Forgets when the queue was last emptied and when a frame was last painted, and drops a pending
// frame (start-up).
void resetPump();

// Frames of running operations painted so far; a frame without a window counts too.
extern uint32_t progressRepaintCount;
// What the pump and those frames have cost so far, in performance-counter units (the bench's
// per-file breakdown reads it).
struct PumpCosts {
    uint32_t queuePumps = 0;  // times the queue was emptied
    int64_t pumpTime = 0;     // in emptying it, the messages dispatched included
    int64_t paintTime = 0;    // in the frames counted above
};
extern PumpCosts pumpCosts;
// The least time from the end of one painted frame to the start of the next: 16 ms, and never less
// than nineteen times what the last frame took, so painting costs at most a twentieth of an operation's
// time. Tests set 0 to have every frame painted.
extern uint32_t frameIntervalMs;

// Repaints the client area, or only `area` of it, at once (no erase) and counts the frame; a null
// window only counts. A pending frame is thereby painted too.
void paintFrame(HWND window, const RECT* area = nullptr);
// paintFrame when the last frame ended long enough ago (see frameIntervalMs); otherwise the frame stays
// pending and the next pump paints it once it is due. True when painted now.
bool paintFrameWhenDue(HWND window, const RECT* area = nullptr);
