#include "ui/pump.h"

#include "ui/state.h"

uint32_t progressRepaintCount = 0;
uint32_t frameIntervalMs = 16;
PumpCosts pumpCosts;

namespace {

constexpr ULONGLONG kPumpIntervalMs = 10;
ULONGLONG lastPumpTick = 0;
ULONGLONG lastPaintPumpTick = 0;
// A window that does not validate what it paints would be sent WM_PAINT for ever: a bounded number
// of each per pump.
constexpr int kMessagesPerPaintPump = 8;

// The frame rationing runs on the performance counter: the tick count moves in steps of about 16 ms
// on Windows, as coarse as the interval itself.
bool framePending = false;
HWND pendingWindow = nullptr;
bool pendingWhole = false;  // else only pendingArea
RECT pendingArea = {};
bool framePainted = false;  // lastFrameEnd is meaningful
int64_t lastFrameEnd = 0;   // in counter units
int64_t lastFrameCost = 0;  // how long the last frame took to paint
// Between two frames the operation gets at least this many times the last frame's cost, so painting
// takes at most a twentieth of its time however slow a frame is (a full frame costs 3 to 6 ms here).
constexpr int64_t kWorkPerPaint = 19;

int64_t counterNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

bool frameDue() {
    if (!framePainted || frameIntervalMs == 0) return true;
    static const int64_t perSecond = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart;
    }();
    int64_t gap = counterNow() - lastFrameEnd;
    return gap * 1000 >= static_cast<int64_t>(frameIntervalMs) * perSecond && gap >= kWorkPerPaint * lastFrameCost;
}

void paintPendingFrame() {
    if (framePending && frameDue()) paintFrame(pendingWindow, pendingWhole ? nullptr : &pendingArea);
}

bool emptyQueueNow() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            cancelRequested = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return !cancelRequested;
}

bool emptyQueue() {
    int64_t start = counterNow();
    bool going = emptyQueueNow();
    ++pumpCosts.queuePumps;
    pumpCosts.pumpTime += counterNow() - start;
    return going;
}

}  // namespace

bool pumpMessages() {
    paintPendingFrame();
    return emptyQueue();
}

bool pumpMessagesPaced() {
    paintPendingFrame();
    ULONGLONG now = GetTickCount64();
    if (now - lastPumpTick < kPumpIntervalMs) return !cancelRequested;
    lastPumpTick = now;
    return emptyQueue();
}

void pumpPaintAndTimers() {
    ULONGLONG now = GetTickCount64();
    if (now - lastPaintPumpTick < kPumpIntervalMs) return;
    lastPaintPumpTick = now;
    MSG message;
    for (UINT kind : {static_cast<UINT>(WM_TIMER), static_cast<UINT>(WM_PAINT)})
        for (int i = 0; i < kMessagesPerPaintPump && PeekMessageW(&message, nullptr, kind, kind, PM_REMOVE); ++i)
            DispatchMessageW(&message);
}

void resetPump() {
    lastPumpTick = 0;
    lastPaintPumpTick = 0;
    framePending = false;
    pendingWindow = nullptr;
    framePainted = false;
    lastFrameCost = 0;
}

void paintFrame(HWND window, const RECT* area) {
    int64_t start = counterNow();
    framePending = false;
    pendingWindow = nullptr;
    ++progressRepaintCount;
    if (window) {
        InvalidateRect(window, area, FALSE);
        UpdateWindow(window);
    }
    framePainted = true;
    int64_t end = counterNow();
    lastFrameCost = end - start;
    lastFrameEnd = end;
    pumpCosts.paintTime += lastFrameCost;
}

bool paintFrameWhenDue(HWND window, const RECT* area) {
    // Frames left pending add up: the whole window wins over an area, two areas join.
    if (!area) {
        pendingWhole = true;
    } else if (!framePending) {
        pendingWhole = false;
        pendingArea = *area;
    } else if (!pendingWhole) {
        UnionRect(&pendingArea, &pendingArea, area);
    }
    framePending = true;
    pendingWindow = window;
    if (!frameDue()) return false;
    paintFrame(window, pendingWhole ? nullptr : &pendingArea);
    return true;
}
