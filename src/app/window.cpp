#include "app/window.h"

#include <objbase.h>

#include "app/frame.h"
#include "app/input.h"
#include "app/resource_counts.h"
#include "app/startup.h"
#include "editor/buffer.h"
#include "editor/save.h"
#include "fs/file_ops.h"
#include "settings/language.h"
#include "ui/draw.h"
#include "ui/state.h"

std::wstring shutdownBlockReason;

namespace {

const wchar_t kClassName[] = L"TorvaneCommanderWindowClass";
const wchar_t kWindowTitle[] = L"TORVANE COMMANDER Ver. 1.0";
constexpr UINT_PTR kClockTimer = 1;

// Why a shutdown has to wait, by progress mode: copy, move, delete.
const LocalizedText kShutdownReasons[] = {
    {L"Copy in progress", L"Kopieren laeuft", L"Copie en cours", L"Copia in corso"},
    {L"Move in progress", L"Verschieben laeuft", L"Deplacement en cours", L"Spostamento in corso"},
    {L"Delete in progress", L"Loeschen laeuft", L"Suppression en cours", L"Eliminazione in corso"},
};

// A close request that arrived while an operation or a shell call was running; acted on once it
// has returned.
bool closePending = false;
// The shell calls want COM on this thread; uninitialised only when this window initialised it.
bool comStarted = false;

// The bitmap every paint composes the frame in, kept from one paint to the next for the window's
// life: a new 1920 x 1080 bitmap per key costs its allocation and the first touch of its 8 MB.
HDC backDC = nullptr;
HBITMAP backBitmap = nullptr;
HGDIOBJ backPrevious = nullptr;
int backWidth = 0, backHeight = 0;

void releaseBackBuffer() {
    if (backDC) {
        SelectObject(backDC, backPrevious);
        DeleteDC(backDC);
    }
    if (backBitmap) DeleteObject(backBitmap);
    backDC = nullptr;
    backBitmap = nullptr;
    backPrevious = nullptr;
    backWidth = backHeight = 0;
}

// A back buffer of the client's size compatible with `dc`; false when GDI cannot make one.
bool readyBackBuffer(HDC dc, int w, int h) {
    if (backDC && backWidth == w && backHeight == h) return true;
    releaseBackBuffer();
    backDC = CreateCompatibleDC(dc);
    backBitmap = backDC ? CreateCompatibleBitmap(dc, w, h) : nullptr;
    if (!backBitmap) {
        releaseBackBuffer();
        return false;
    }
    backPrevious = SelectObject(backDC, backBitmap);
    backWidth = w;
    backHeight = h;
    return true;
}

void paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    int w = client.right - client.left, h = client.bottom - client.top;
    // Only the invalid part is composed and copied out (a progress frame repaints just its box): the
    // frame is drawn whole, clipped to the part. The saved state puts the DC back as it was made, so
    // each frame starts from the same state.
    const RECT& part = ps.rcPaint;
    int pw = part.right - part.left, ph = part.bottom - part.top;
    if (pw > 0 && ph > 0 && readyBackBuffer(dc, w, h)) {
        int saved = SaveDC(backDC);
        IntersectClipRect(backDC, part.left, part.top, part.right, part.bottom);
        drawFrame(backDC, w, h);
        RestoreDC(backDC, saved);
        BitBlt(dc, part.left, part.top, pw, ph, backDC, part.left, part.top, SRCCOPY);
    }
    EndPaint(window, &ps);
}

bool isEditorMode(ScreenMode mode) {
    return mode == ScreenMode::Editor || mode == ScreenMode::EditorHelp || mode == ScreenMode::EditorFind ||
           mode == ScreenMode::EditorSaveConfirm;
}

// A close request with unsaved text in the editor asks first, as leaving the editor does.
bool askBeforeClosing(HWND window) {
    if (!isEditorMode(screenMode) || !editor.modified) return false;
    closePending = true;
    requestLeave(window);
    return true;
}

// A log-off or shutdown would end the process inside the operation: it is refused with the reason,
// and the operation is asked to stop where it can stop cleanly.
void holdOffShutdown(HWND window) {
    int row = screenMode == ScreenMode::CopyProgress ? 0 : (screenMode == ScreenMode::MoveProgress ? 1 : 2);
    shutdownBlockReason = localize(kShutdownReasons[row]);
    ShutdownBlockReasonCreate(window, shutdownBlockReason.c_str());
    requestCancel(window);
}

// After each key: the operation that held off a shutdown has returned once the key has.
void endShutdownBlock(HWND window) {
    if (shutdownBlockReason.empty() || isProgressMode(screenMode)) return;
    shutdownBlockReason.clear();
    ShutdownBlockReasonDestroy(window);
}

// After each key: a close that waited for an operation goes on once it has returned; one that
// waited for the save question goes on once the editor has closed (saved, or NO), and is dropped
// when the question went back to the editor.
void finishPendingClose(HWND window) {
    if (!closePending || isProgressMode(screenMode) || screenMode == ScreenMode::EditorSaveConfirm) return;
    closePending = false;
    if (!isEditorMode(screenMode)) DestroyWindow(window);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        resetWindowState();
        comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        startUp();
        createFonts();
        SetTimer(window, kClockTimer, 1000, nullptr);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kClockTimer);
        releaseBackBuffer();
        deleteFonts();
        if (comStarted) CoUninitialize();
        comStarted = false;
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE:
        // Never destroy the window under a running copy, move or delete: cancel it first.
        if (isProgressMode(screenMode)) {
            closePending = true;
            requestCancel(window);
            return 0;
        }
        // Nor under a shell call: the close goes on once the key that made the call has returned.
        if (ShellCallRunning) {
            closePending = true;
            return 0;
        }
        if (askBeforeClosing(window)) return 0;
        break;
    case WM_QUERYENDSESSION:
        // Windows asks before it shuts down: a running operation or unsaved text keeps it from going on.
        if (isProgressMode(screenMode)) {
            holdOffShutdown(window);
            return FALSE;
        }
        return askBeforeClosing(window) ? FALSE : TRUE;
    case WM_SIZE:
        requestRepaint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4) break;  // Alt+F4 is the system's close request
        [[fallthrough]];
    case WM_KEYDOWN:
        // The shell may pump messages while it works: a key then is no command, and the status
        // line after the call stays the call's own.
        if (ShellCallRunning) return 0;
        dispatchKey(window, static_cast<UINT>(wParam));
        endShutdownBlock(window);
        finishPendingClose(window);
        countResourcesAfterKey();
        return 0;
    case WM_CHAR:
        if (!ShellCallRunning) characterInput(window, static_cast<wchar_t>(wParam & 0xFFFF));
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
    shutdownBlockReason.clear();
}
