#include "app/window.h"

#include "app/state.h"

int runProgram(HINSTANCE) {
    return 0;
}

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
