// A program the tests start through the shell: it leaves "<its own path>.ran" beside itself, so a
// test can tell whether the shell started it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t path[MAX_PATH + 8] = {};
    lstrcpyW(path + GetModuleFileNameW(nullptr, path, MAX_PATH), L".ran");
    CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return 0;
}
