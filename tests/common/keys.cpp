#include "common/keys.h"

#include "app/input.h"
#include "ui/state.h"

std::wstring press(std::initializer_list<UINT> keys) {
    for (UINT key : keys) dispatchKey(nullptr, key);
    return statusLine;
}

void holdKey(int key, bool held) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[key] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

long long takeQuit() {
    MSG m;
    return PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<long long>(m.wParam) : -1;
}
