// A program the tests start through the shell: it leaves "<its own path>.ran" beside itself, so a
// test can tell whether the shell started it. Given a file, it first opens it for writing, sharing
// nothing, and holds it until it is ended, as another program may.
#include <stdlib.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    bool hold = __argc > 1 &&
                CreateFileA(__argv[1], GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr) != INVALID_HANDLE_VALUE;
    wchar_t path[MAX_PATH + 8] = {};
    lstrcpyW(path + GetModuleFileNameW(nullptr, path, MAX_PATH), L".ran");
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (hold) Sleep(INFINITE);
    return 0;
}
