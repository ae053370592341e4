// The dispatcher's mode rows and the main view's own keys.
#include <gtest/gtest.h>

#include "app/input.h"
#include "app/main_view.h"
#include "app/state.h"
#include "common/keys.h"
#include "panels/panels.h"
#include "settings/settings.h"

namespace {

class Keys : public testing::Test {
protected:
    void SetUp() override {
        appSettings = AppSettings();
        screenMode = ScreenMode::MainView;
        functionBarIndex = 0;
        functionBarFocused = 0;
        cancelRequested = false;
        leftPanel = PanelState();
        rightPanel = PanelState();
        leftPanelActive = true;
        setStatus(L"");
    }
    void TearDown() override {
        screenMode = ScreenMode::MainView;
        cancelRequested = false;
        appSettings = AppSettings();
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

TEST_F(Keys, MessageBoxTitleStaysInTheStatusLine) {
    appSettings.language = 1;
    showMessageBox(nullptr, L"TITLE", L"line one\nline two");
    EXPECT_EQ(screenMode, ScreenMode::MessageBox);
    EXPECT_EQ(messageHint, L"Enter / ESC = schliessen");
    setStatus(L"something else");
    EXPECT_EQ(press({VK_F10, VK_SPACE, 'A'}), L"something else");  // other keys do nothing
    EXPECT_EQ(press({VK_ESCAPE}), L"TITLE");
    EXPECT_EQ(screenMode, ScreenMode::MainView);
    EXPECT_TRUE(messageTitle.empty() && messageText.empty() && messageHint.empty());
    showMessageBox(nullptr, L"AGAIN", L"");
    EXPECT_EQ(press({VK_RETURN}), L"AGAIN");
}

TEST_F(Keys, ProgressModesTakeOnlyEscape) {
    for (ScreenMode mode : {ScreenMode::CopyProgress, ScreenMode::MoveProgress, ScreenMode::DeleteProgress}) {
        screenMode = mode;
        cancelRequested = false;
        setStatus(L"busy");
        EXPECT_EQ(press({VK_F10, VK_RETURN, VK_TAB, VK_SPACE}), L"busy");
        EXPECT_FALSE(cancelRequested);
        appSettings.language = 2;
        EXPECT_EQ(press({VK_ESCAPE, VK_ESCAPE}), L"Annulation demandee...");
        appSettings.language = 0;
        EXPECT_TRUE(cancelRequested);
        EXPECT_EQ(screenMode, mode);
    }
    MSG m;
    EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // F10 did not quit
}

TEST_F(Keys, ConfirmationKeysToggleAndAct) {
    static int yes = 0, cancel = 0;
    yes = cancel = 0;
    int32_t choice = 1;
    auto onYes = [](HWND) { ++yes; };
    auto onCancel = [](HWND) { ++cancel; };
    confirmationKey(nullptr, VK_RIGHT, choice, onYes, onCancel);
    EXPECT_EQ(choice, 0);
    confirmationKey(nullptr, VK_RIGHT, choice, onYes, onCancel);
    EXPECT_EQ(choice, 1);
    confirmationKey(nullptr, VK_LEFT, choice, onYes, onCancel);
    confirmationKey(nullptr, VK_RETURN, choice, onYes, onCancel);
    EXPECT_EQ(yes, 1);
    confirmationKey(nullptr, VK_ESCAPE, choice, onYes, onCancel);  // ESC cancels whatever the choice
    EXPECT_EQ(cancel, 1);
    confirmationKey(nullptr, VK_LEFT, choice, onYes, onCancel);
    confirmationKey(nullptr, VK_RETURN, choice, onYes, onCancel);
    EXPECT_EQ(cancel, 2);
}

TEST_F(Keys, InputsTakePrintableCharactersUpToTheirLimit) {
    screenMode = ScreenMode::CreateFolderInput;
    folderNameInput.clear();
    type(std::wstring(79, L'x'));
    type(L"\x01\x08\x1b\x7f");  // control characters and DEL never arrive in the text
    EXPECT_EQ(folderNameInput.size(), 79u);
    type(L"yz");
    EXPECT_EQ(folderNameInput, std::wstring(79, L'x') + L"y");  // the 81st is refused
    screenMode = ScreenMode::RenameInput;
    renameInput.clear();
    type(std::wstring(130, L'\xE9'));
    EXPECT_EQ(renameInput.size(), 120u);
    screenMode = ScreenMode::MainView;
    type(L"q");
    EXPECT_EQ(renameInput.size(), 120u);
    folderNameInput.clear();
    renameInput.clear();
}

TEST_F(Keys, FunctionBar) {
    EXPECT_EQ(press({VK_LEFT}), L"Function selected: [F1] HELP   (Enter starts)");
    EXPECT_EQ(functionBarFocused, 1);
    for (int i = 0; i < 12; ++i) press({VK_RIGHT});
    EXPECT_EQ(functionBarIndex, 11);
    appSettings.language = 1;
    EXPECT_EQ(statusLine, L"Function selected: [F12] INFO   (Enter starts)");  // written before the switch
    EXPECT_EQ(press({VK_LEFT}), L"Funktion ausgewaehlt: [F11] EINSTELLUNG   (Enter startet)");
    press({VK_ESCAPE});
    EXPECT_EQ(functionBarFocused, 1);  // ESC leaves the bar focused
    press({VK_TAB});
    EXPECT_EQ(functionBarFocused, 0);

    struct Row {
        int language, index;
        const wchar_t* label;
    };
    const Row rows[] = {{0, 4, L"[F5] COPY"}, {1, 7, L"[F8] LOESCHEN"}, {2, 9, L"[F10] QUITTER"},
                        {3, 8, L"[F9] MENU"}, {7, 0, L"[F1] HELP"},     {0, 12, L""}};
    for (const Row& r : rows) {
        appSettings.language = r.language;
        EXPECT_EQ(functionLabel(r.index), r.label);
    }
}

TEST_F(Keys, UnknownKeysAndF10) {
    EXPECT_EQ(press({'A'}), L"Last key: Unknown key");
    appSettings.language = 3;
    EXPECT_EQ(press({VK_HOME}), L"Ultimo tasto: Tasto sconosciuto");
    leftPanel.marked = {L"x"};
    press({VK_F10});
    MSG m;
    ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(m.wParam, 0u);
    EXPECT_EQ(functionBarIndex, 9);
}

}  // namespace
