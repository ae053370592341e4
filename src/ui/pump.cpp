#include "ui/pump.h"

#include "ui/state.h"

uint32_t progressRepaintCount = 0;
uint32_t frameIntervalMs = 16;

namespace {

constexpr ULONGLONG kPumpIntervalMs = 10;
ULONGLONG lastPumpTick = 0;

// The frame rationing runs on the performance counter: the tick count moves in steps of about 16 ms
// on Windows, as coarse as the interval itself.
bool framePending = false;
HWND pendingWindow = nullptr;
bool framePainted = false;  // lastFrameEnd is meaningful
int64_t lastFrameEnd = 0;   // in counter units

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
    return (counterNow() - lastFrameEnd) * 1000 >= static_cast<int64_t>(frameIntervalMs) * perSecond;
}

void paintPendingFrame() {
    if (framePending && frameDue()) paintFrame(pendingWindow);
}

bool emptyQueue() {
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

void resetPump() {
    lastPumpTick = 0;
    framePending = false;
    pendingWindow = nullptr;
    framePainted = false;
}

void paintFrame(HWND window) {
    framePending = false;
    pendingWindow = nullptr;
    ++progressRepaintCount;
    if (window) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
    framePainted = true;
    lastFrameEnd = counterNow();
}

bool paintFrameWhenDue(HWND window) {
    framePending = true;
    pendingWindow = window;
    if (!frameDue()) return false;
    paintFrame(window);
    return true;
}
