// The real window under Wine: typed characters, the message pump of long operations, a close
// request during one.
#include <gtest/gtest.h>

#include "app/window.h"
#include "common/app_state.h"
#include "common/keys.h"
#include "common/settings_file_guard.h"
#include "editor/buffer.h"
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

TEST_F(WindowTest, CloseDuringAnOperationWaitsUntilItHasReturned) {
    for (ScreenMode mode : {ScreenMode::DeleteProgress, ScreenMode::CopyProgress, ScreenMode::MoveProgress}) {
        SCOPED_TRACE(static_cast<int>(mode));
        if (!IsWindow(window)) window = createMainWindow(GetModuleHandleW(nullptr));
        ASSERT_TRUE(IsWindow(window));
        drainQueue();
        screenMode = mode;
        cancelRequested = false;
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_TRUE(cancelRequested);
        SendMessageW(window, WM_SYSKEYDOWN, VK_ESCAPE, 0);  // a key handled inside the operation's pump
        EXPECT_TRUE(IsWindow(window));
        // the operation ends in its key handler; the close is acted on as that handler returns
        screenMode = ScreenMode::MainView;
        SendMessageW(window, WM_KEYDOWN, VK_SHIFT, 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(takeQuit(), 0);
    }
    window = createMainWindow(GetModuleHandleW(nullptr));  // outside an operation: closed at once
    ASSERT_TRUE(IsWindow(window));
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
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
