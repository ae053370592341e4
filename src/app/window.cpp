#include "app/window.h"

#include "app/frame.h"
#include "app/input.h"
#include "app/resource_counts.h"
#include "app/startup.h"
#include "ui/draw.h"
#include "ui/gdi.h"
#include "ui/state.h"

namespace {

const wchar_t kClassName[] = L"TorvaneCommanderWindowClass";
const wchar_t kWindowTitle[] = L"TORVANE COMMANDER Ver. 1.0";
constexpr UINT_PTR kClockTimer = 1;

// A close request that arrived while an operation was running; acted on once it has returned.
bool closePending = false;

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    int w = client.right - client.left, h = client.bottom - client.top;
    // Only the invalid part is composed and copied out (a progress frame repaints just its box); the
    // frame is drawn whole, shifted so that the part lands in the bitmap, and GDI clips the rest.
    const RECT& part = ps.rcPaint;
    int pw = part.right - part.left, ph = part.bottom - part.top;
    if (pw > 0 && ph > 0) {
        MemoryDC memory(dc);
        GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, pw, ph));
        if (memory && bitmap) {
            SelectedObject selected(memory.get(), bitmap.get());
            SetViewportOrgEx(memory.get(), -part.left, -part.top, nullptr);
            drawFrame(memory.get(), w, h);
            BitBlt(dc, part.left, part.top, pw, ph, memory.get(), part.left, part.top, SRCCOPY);
        }
    }
    EndPaint(window, &ps);
}

void finishPendingClose(HWND window) {
    if (closePending && !isProgressMode(screenMode)) {
        closePending = false;
        DestroyWindow(window);
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        resetWindowState();
        startUp();
        createFonts();
        SetTimer(window, kClockTimer, 1000, nullptr);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kClockTimer);
        deleteFonts();
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        // Never destroy the window under a running copy, move or delete: cancel it first.
        if (isProgressMode(screenMode)) {
            closePending = true;
            requestCancel(window);
            return 0;
        }
        break;
    case WM_SIZE:
        requestRepaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        dispatchKey(window, static_cast<UINT>(wParam));
        finishPendingClose(window);
        countResourcesAfterKey();
        return 0;
    case WM_CHAR:
        characterInput(window, static_cast<wchar_t>(wParam & 0xFFFF));
        return 0;
    case WM_TIMER:
        if (wParam == kClockTimer) requestRepaint(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND createMainWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(101));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(101), IMAGE_ICON, 16, 16, 0));
    RegisterClassExW(&windowClass);

    return CreateWindowExW(WS_EX_APPWINDOW, kClassName, kWindowTitle, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                           GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
}

int runProgram(HINSTANCE instance) {
    useLowFragmentationHeaps();
    startResourceCounts();
    HWND window = createMainWindow(instance);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    SetFocus(window);

    MSG message = {};
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    writeExitResourceCounts();
    // -1 is an error of GetMessageW itself, not a quit.
    return result == 0 ? static_cast<int>(message.wParam) : 1;
}

void resetWindowState() {
    closePending = false;
}
