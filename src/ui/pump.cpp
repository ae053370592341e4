#include "ui/pump.h"

#include "ui/state.h"

namespace {
constexpr ULONGLONG kPumpIntervalMs = 10;
ULONGLONG lastPumpTick = 0;
}  // namespace

bool pumpMessages() {
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

bool pumpMessagesPaced() {
    ULONGLONG now = GetTickCount64();
    if (now - lastPumpTick < kPumpIntervalMs) return !cancelRequested;
    lastPumpTick = now;
    return pumpMessages();
}

void resetPump() {
    lastPumpTick = 0;
}
