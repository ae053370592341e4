// Another program holding a file open for writing, sharing nothing: hold_open FILE MARKER opens FILE,
// leaves MARKER.held, and closes it and ends once MARKER.release appears.
#include <windows.h>
#include <shellapi.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count < 3) return 2;
    HANDLE file = CreateFileW(args[1], GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    wchar_t marker[MAX_PATH + 16] = {};
    int length = lstrlenW(lstrcpynW(marker, args[2], MAX_PATH));
    CloseHandle(CreateFileW(lstrcatW(marker, L".held"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    for (lstrcpyW(marker + length, L".release"); GetFileAttributesW(marker) == INVALID_FILE_ATTRIBUTES;) Sleep(50);
    return CloseHandle(file) ? 0 : 1;
}
