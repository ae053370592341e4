// The real window under Wine: typed characters, the message pump of long operations, a close
// request or a shutdown during one, COM and keys around shell calls.
#include <gtest/gtest.h>
#include <objbase.h>

#include <thread>

#include "app/window.h"
#include "common/app_state.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "common/temp_folder.h"
#include "editor/buffer.h"
#include "fs/file_ops.h"
#include "panels/panels.h"
#include "ui/pump.h"
#include "ui/state.h"

namespace {

void drainQueue() {
    MSG message;
    for (int i = 0; i < 10000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        resetAppState();
        window = createMainWindow(GetModuleHandleW(nullptr));
        ASSERT_NE(window, nullptr);
        drainQueue();
    }
    void TearDown() override {
        resetAppState();
        if (IsWindow(window)) DestroyWindow(window);
        drainQueue();
        takeQuit();
    }
    SettingsFileGuard settingsFile;  // start-up rewrites the settings file beside the program
    HWND window = nullptr;
};

TEST_F(WindowTest, TypedCharactersReachTheLineInputsUpToTheirLimits) {
    struct { ScreenMode mode; std::wstring& text; size_t limit; } inputs[] = {
        {ScreenMode::CreateFolderInput, folderNameInput, 80}, {ScreenMode::RenameInput, renameInput, 120}};
    for (auto& in : inputs) {
        SCOPED_TRACE(in.limit);
        screenMode = in.mode;
        // control characters (Backspace, Tab, Enter, ESC, Ctrl+A) and DEL from Ctrl+Backspace
        for (WPARAM ch : {1, 8, 9, 10, 13, 27, 31, 0x7F}) SendMessageW(window, WM_CHAR, ch, 0);
        EXPECT_EQ(in.text, L"");
        SendMessageW(window, WM_CHAR, 0x00E4, 0);  // a-umlaut
        for (size_t i = 2; i < in.limit; ++i) SendMessageW(window, WM_CHAR, L' ', 0);
        SendMessageW(window, WM_CHAR, L'z', 0);  // the last one that fits
        SendMessageW(window, WM_CHAR, L'q', 0);  // one too many
        ASSERT_EQ(in.text.size(), in.limit);
        EXPECT_TRUE(in.text[0] == 0x00E4 && in.text.back() == L'z');
        SendMessageW(window, WM_KEYDOWN, VK_BACK, 0);
        EXPECT_EQ(in.text.size(), in.limit - 1);
    }
    screenMode = ScreenMode::MainView;
    folderNameInput.clear();
    SendMessageW(window, WM_CHAR, L'x', 0);
    EXPECT_EQ(folderNameInput, L"");
}

TEST_F(WindowTest, PumpHandlesQueuedMessagesAndStopsAtAQuitOrEscape) {
    EXPECT_TRUE(pumpMessages());
    screenMode = ScreenMode::CreateFolderInput;
    PostMessageW(window, WM_CHAR, L'a', 0);
    PostQuitMessage(7);
    EXPECT_FALSE(pumpMessages());
    EXPECT_TRUE(cancelRequested);
    EXPECT_EQ(folderNameInput, L"a");  // what was queued before the quit was handled
    EXPECT_EQ(takeQuit(), 7);          // posted again for the main loop
    screenMode = ScreenMode::CopyProgress;
    cancelRequested = false;
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(pumpMessages());
    EXPECT_TRUE(cancelRequested);
}

// A close or a shutdown during an operation or a shell call waits until the key handler that runs it
// has returned; a shutdown is refused with the reason (Wine keeps none: its ShutdownBlockReasonCreate
// is a stub). A key meanwhile acts only inside the operation, never as a command during a shell call.
// COM lives as long as the window.
TEST_F(WindowTest, CloseOrShutdownDuringAnOperationOrAShellCallWaitsUntilItHasReturned) {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "apartment-threaded";
    const struct { ScreenMode mode; const wchar_t* reason; } cases[] = {
        {ScreenMode::DeleteProgress, L"Delete in progress"}, {ScreenMode::CopyProgress, L"Copy in progress"},
        {ScreenMode::MoveProgress, L"Move in progress"}, {ScreenMode::MainView, L""}};  // the last: a shell call
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        if (!IsWindow(window)) window = createMainWindow(GetModuleHandleW(nullptr));
        screenMode = c.mode;
        ShellCallRunning = !*c.reason;
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(cancelRequested, !ShellCallRunning);
        if (*c.reason) { EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE); }
        SendMessageW(window, WM_KEYDOWN, VK_F7, 0);  // handled inside the operation's pump, or not at all
        EXPECT_TRUE(IsWindow(window) && screenMode == c.mode) << "the close waits, F7 does nothing";
        EXPECT_EQ(shutdownBlockReason, c.reason);
        // the operation or the call ends in its key handler; the close is acted on as that returns
        screenMode = ScreenMode::MainView;
        ShellCallRunning = cancelRequested = false;
        SendMessageW(window, WM_KEYDOWN, VK_SHIFT, 0);
        EXPECT_EQ(shutdownBlockReason, L"");
        EXPECT_TRUE(!IsWindow(window) && takeQuit() == 0) << "closed as the handler returns";
    }
    window = createMainWindow(GetModuleHandleW(nullptr));  // outside an operation: closed at once
    ASSERT_TRUE(IsWindow(window));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "uninitialised with the window";
    CoUninitialize();
}

// A log-off asked from another thread while F5 copies: the copy's own pump answers it.
TEST_F(WindowTest, ALogOffDuringACopyIsRefusedAndTheCopyEndsCleanly) {
    TempFolder temp;
    temp.file(L"from\\big.bin", std::string(16 << 20, 'b'));
    showPanels(temp / L"from", temp.folder(L"to"), L"big.bin");
    DWORD_PTR answer = TRUE;
    std::thread ask([&] { SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 0, 30000, &answer); });
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) Sleep(1);  // waiting, not yet handled
    SendMessageW(window, WM_KEYDOWN, VK_F5, 0);
    ask.join();
    EXPECT_EQ(answer, FALSE);
    EXPECT_NE(messageText.find(L"Windows error: 1223"), std::wstring::npos) << messageText;
    EXPECT_TRUE(RemoveFolderPath(temp / L"to")) << "neither a temporary item nor the copy is left";
}

}  // namespace

// A shutdown and a close request with unsaved text both ask first; the window goes only after NO.
TEST_F(WindowTest, UnsavedTextHoldsOffShutdownAndClose) {
    loadedText.lines = {L"text"};
    screenMode = ScreenMode::Editor;
    editor.modified = true;
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(screenMode, ScreenMode::EditorSaveConfirm);
    SendMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    SendMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(IsWindow(window)) << "still asking";
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(IsWindow(window)) << "NO closes the editor and the window";
}
