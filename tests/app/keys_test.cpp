// The dispatcher's mode rows and the main view's own keys.
#include <gtest/gtest.h>

#include "app/input.h"
#include "app/main_view.h"
#include "common/app_state.h"
#include "common/keys.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/function_keys.h"
#include "ui/state.h"

namespace {

using Keys = AppTest;

TEST_F(Keys, MessageBoxTitleStaysInTheStatusLine) {
    appSettings.language = 1;
    showMessageBox(nullptr, L"TITLE", L"line one\nline two");
    EXPECT_EQ(messageHint, L"Enter / ESC = schliessen");
    setStatus(L"something else");
    EXPECT_EQ(press({VK_F10, VK_SPACE, 'A'}), L"something else");  // other keys do nothing
    EXPECT_EQ(press({VK_ESCAPE}), L"TITLE");
    EXPECT_EQ(screenMode, ScreenMode::MainView);
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
        EXPECT_TRUE(cancelRequested);
        EXPECT_EQ(screenMode, mode);
    }
    EXPECT_EQ(takeQuit(), -1) << "F10 did not quit";
}

TEST_F(Keys, ConfirmationKeysToggleAndAct) {
    static int yes = 0, cancel = 0;
    int32_t choice = 1;
    auto key = [&](UINT k) { confirmationKey(nullptr, k, choice, [](HWND) { ++yes; }, [](HWND) { ++cancel; }); };
    key(VK_RIGHT);
    EXPECT_EQ(choice, 0);
    key(VK_LEFT);
    key(VK_RETURN);  // NO
    key(VK_LEFT);
    key(VK_RETURN);
    EXPECT_TRUE(yes == 1 && cancel == 1);
    key(VK_ESCAPE);  // ESC cancels whatever the choice
    EXPECT_EQ(cancel, 2);
}

TEST_F(Keys, FunctionBar) {
    EXPECT_EQ(press({VK_LEFT}), L"Function selected: [F1] HELP   (Enter starts)");
    EXPECT_EQ(functionBarFocused, 1);
    for (int i = 0; i < 12; ++i) press({VK_RIGHT});
    EXPECT_EQ(functionBarIndex, 11);
    EXPECT_EQ(statusLine, L"Function selected: [F12] INFO   (Enter starts)");
    appSettings.language = 1;
    EXPECT_EQ(press({VK_LEFT}), L"Funktion ausgewaehlt: [F11] EINSTELLUNG   (Enter startet)");
    press({VK_ESCAPE});
    EXPECT_EQ(functionBarFocused, 1);  // ESC leaves the bar focused
    press({VK_TAB});
    EXPECT_EQ(functionBarFocused, 0);

    const struct { int language, index; const wchar_t* label; } rows[] = {
        {1, 7, L"[F8] LOESCHEN"}, {2, 9, L"[F10] QUITTER"}, {3, 8, L"[F9] MENU"}, {0, 12, L""}};
    for (const auto& r : rows) {
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
    EXPECT_EQ(takeQuit(), 0);
    EXPECT_EQ(functionBarIndex, 9);
}

}  // namespace
