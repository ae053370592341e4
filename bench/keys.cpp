// From a key to its painted frame through the program's own window: a WM_KEYDOWN (or a WM_CHAR for a
// typed character) posted to the window, then the loop the program runs, until the WM_PAINT that the
// key asked for has been handled. In the main view with 100,000 entries in the active panel, and in
// the editor on a 256 KB file. Target: at most 16 ms, one frame of a 60 Hz screen, judged on the
// median like every other figure here; the 95th percentile is printed beside it.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/window.h"
#include "bench_common.h"
#include "panels/panels.h"
#include "ui/state.h"

namespace {

constexpr int kPresses = 200;

struct Latency {
    double median, p95;
};

Latency summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 95 / 100]};
}

// Handles everything waiting, the paint of an invalid window included.
void drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Milliseconds from posting `message` to the end of the window's next WM_PAINT.
double keyToFrame(HWND window, UINT message, WPARAM key) {
    drain();
    double start = nowMs();
    PostMessageW(window, message, key, 1);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
        if (m.message == WM_PAINT && m.hwnd == window) break;
    }
    return nowMs() - start;
}

// 256 KB of lines about 60 characters long, as UTF-8.
bool writeText(const std::wstring& path) {
    std::string text;
    for (int i = 0; text.size() < 262144; ++i)
        text += "Zeile " + std::to_string(i) + ": caf\xC3\xA9 na\xC3\xAFve \xC3\xBC" "ber \xC3\x85ngstr\xC3\xB6m\tend\r\n";
    text.resize(262144);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
    CloseHandle(file);
    return ok;
}

void report(const char* what, const Latency& latency) {
    std::printf("%-52s median %.2f ms, 95th percentile %.2f ms (target <= 16 ms)\n", what, latency.median, latency.p95);
    tableRow(what, cell("%.2f ms (95th pct. %.1f)", latency.median, latency.p95), "-", "-", "<= 16 ms",
             latency.median <= 16);
}

}  // namespace

// Argument: a folder of 100,000 files (bench/keys.sh makes it).
int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: bench_keys FOLDER-OF-100000-FILES (scripts/bench.sh keys prepares it)\n");
        return 1;
    }
    useLowFragmentationHeaps();  // as the program does at start
    HWND window = createMainWindow(GetModuleHandleW(nullptr));
    if (!window) {
        std::printf("cannot create the window\n");
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    RECT client;
    GetClientRect(window, &client);

    // The main view: the left panel on 100,000 files, the cursor in the middle.
    leftPanel.path = std::wstring(argv[1], argv[1] + std::strlen(argv[1]));
    leftPanelActive = true;
    loadListing(leftPanel);
    leftPanel.cursor = static_cast<int32_t>(leftPanel.entries.size() / 2);
    requestRepaint(window);
    drain();
    std::vector<double> moves, marks;
    for (int i = 0; i < kPresses; ++i) moves.push_back(keyToFrame(window, WM_KEYDOWN, i % 20 < 10 ? VK_DOWN : VK_UP));
    for (int i = 0; i < kPresses; ++i) marks.push_back(keyToFrame(window, WM_KEYDOWN, VK_SPACE));
    std::printf("window %ld x %ld, %zu entries in the active panel\n", client.right, client.bottom,
                leftPanel.entries.size());
    report("key -> frame, main view 100,000 entries: Up/Down", summary(moves));
    report("key -> frame, main view 100,000 entries: Space", summary(marks));

    // The editor: F4 on a 256 KB file, then moves, PageDown, and a typed character with its Backspace.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tv-bench-keys";
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!writeText(folder + L"\\text.txt")) {
        std::printf("cannot write the text file\n");
        return 1;
    }
    leftPanel.path = folder;
    leftPanel.marked.clear();
    loadListing(leftPanel);
    selectEntryByName(leftPanel, L"text.txt");
    double open = keyToFrame(window, WM_KEYDOWN, VK_F4);
    DeleteFileW((folder + L"\\text.txt").c_str());
    RemoveDirectoryW(folder.c_str());
    if (screenMode != ScreenMode::Editor) {
        std::printf("F4 did not open the editor: %ls\n", statusLine.c_str());
        return 1;
    }
    std::printf("F4 -> editor on a 256 KB file, first frame: %.2f ms\n", open);
    tableInfo("F4 -> editor on a 256 KB file, loaded and painted", cell("%.2f ms", open), "-", "-");
    std::vector<double> editorMoves, typing;
    const WPARAM moveKeys[] = {VK_DOWN, VK_DOWN, VK_NEXT, VK_UP, VK_RIGHT, VK_PRIOR, VK_END, VK_HOME};
    for (int i = 0; i < kPresses; ++i) editorMoves.push_back(keyToFrame(window, WM_KEYDOWN, moveKeys[i % 8]));
    for (int i = 0; i < kPresses; ++i)
        typing.push_back(i % 2 ? keyToFrame(window, WM_KEYDOWN, VK_BACK) : keyToFrame(window, WM_CHAR, L'x'));
    report("key -> frame, editor 256 KB: moves and pages", summary(editorMoves));
    report("key -> frame, editor 256 KB: typing and Backspace", summary(typing));
    DestroyWindow(window);
    return 0;
}
