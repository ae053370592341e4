// The real window under Wine: typed characters, the message pump of long operations, a close
// request or a shutdown during one, COM and keys around shell calls.
#include <gtest/gtest.h>
#include <objbase.h>

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

// A shutdown during an operation is refused with the reason, which goes once the operation's key
// handler has returned (Wine keeps no reason: ShutdownBlockReasonCreate is a stub there).
TEST_F(WindowTest, CloseOrShutdownDuringAnOperationWaitsUntilItHasReturned) {
    const struct { ScreenMode mode; const wchar_t* reason; } cases[] = {
        {ScreenMode::DeleteProgress, L"Delete in progress"}, {ScreenMode::CopyProgress, L"Copy in progress"},
        {ScreenMode::MoveProgress, L"Move in progress"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        if (!IsWindow(window)) window = createMainWindow(GetModuleHandleW(nullptr));
        ASSERT_TRUE(IsWindow(window));
        drainQueue();
        screenMode = c.mode;
        cancelRequested = false;
        EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
        EXPECT_EQ(shutdownBlockReason, c.reason);
        EXPECT_TRUE(cancelRequested);
        cancelRequested = false;
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_TRUE(cancelRequested);
        SendMessageW(window, WM_SYSKEYDOWN, VK_ESCAPE, 0);  // a key handled inside the operation's pump
        EXPECT_TRUE(IsWindow(window));
        // the operation ends in its key handler; the close is acted on as that handler returns
        EXPECT_EQ(shutdownBlockReason, c.reason);
        screenMode = ScreenMode::MainView;
        SendMessageW(window, WM_KEYDOWN, VK_SHIFT, 0);
        EXPECT_EQ(shutdownBlockReason, L"");
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(takeQuit(), 0);
    }
    window = createMainWindow(GetModuleHandleW(nullptr));  // outside an operation: closed at once
    ASSERT_TRUE(IsWindow(window));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
}

// A log-off asked from another thread while F5 copies: the copy's own pump answers it.
TEST_F(WindowTest, ALogOffDuringACopyIsRefusedAndTheCopyEndsCleanly) {
    TempFolder temp;
    temp.file(L"from\\big.bin", std::string(16 << 20, 'b'));
    resetPanels(temp / L"from", temp.folder(L"to"));
    loadListing(leftPanel);
    selectEntryByName(leftPanel, L"big.bin");
    static DWORD_PTR answer = TRUE;
    HANDLE thread = CreateThread(nullptr, 0, [](void* to) -> DWORD {
        return !SendMessageTimeoutW(static_cast<HWND>(to), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 0, 30000, &answer);
    }, window, 0, nullptr);
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) Sleep(1);  // waiting, not yet handled
    SendMessageW(window, WM_KEYDOWN, VK_F5, 0);
    WaitForSingleObject(thread, 30000);
    CloseHandle(thread);
    EXPECT_EQ(answer, FALSE);
    EXPECT_NE(messageText.find(L"Windows error: 1223"), std::wstring::npos) << messageText;
    EXPECT_EQ(shutdownBlockReason, L"");
    WIN32_FIND_DATAW data;
    EXPECT_FALSE(FindHandle(FindFirstFileW((temp / L"to\\.torvanecommander_tmp_*").c_str(), &data)).valid());
    EXPECT_FALSE(pathExists(temp / L"to\\big.bin"));
}

// COM lives as long as the window; a key that arrives while the shell works is no command.
TEST_F(WindowTest, ShellCallsHaveComAndNoKeyActsMeanwhile) {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE) << "apartment-threaded";
    std::wstring status = statusLine;
    ShellCallRunning = true;
    SendMessageW(window, WM_KEYDOWN, VK_F7, 0);
    SendMessageW(window, WM_CHAR, L'x', 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    ShellCallRunning = false;
    EXPECT_EQ(screenMode, ScreenMode::MainView);
    EXPECT_EQ(statusLine, status);
    EXPECT_TRUE(IsWindow(window));
    SendMessageW(window, WM_KEYDOWN, VK_SHIFT, 0);  // the key that made the call returns
    EXPECT_FALSE(IsWindow(window));
    HRESULT after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(after, S_OK) << "uninitialised with the window";
    if (SUCCEEDED(after)) CoUninitialize();
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
