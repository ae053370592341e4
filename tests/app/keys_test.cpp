// The dispatcher's mode rows and the main view's own keys.
#include <gtest/gtest.h>

#include "app/input.h"
#include "common/app_state.h"
#include "common/keys.h"
#include "settings/settings.h"
#include "ui/function_keys.h"
#include "ui/state.h"

namespace {

using Keys = AppTest;
using M = ScreenMode;

// A key that only the mode's own handler acts on, the mode after it, and the one choice, input or
// cancel flag it may change. F10 in the main view quits with code 0. Modes marked `only` first get
// every other key, which they must ignore.
TEST_F(Keys, EachModeRoutesKeysToItsOwnHandler) {
    const struct { M mode; UINT key; M after; bool only = false, cancels = false; int32_t* choice = nullptr;
                   std::wstring* input = nullptr; } rows[] = {
        {M::MainView, VK_F10, M::MainView}, {M::MainView, VK_F1, M::Help}, {M::MainView, VK_F11, M::Settings},
        {M::MainView, VK_F12, M::Info}, {M::Settings, VK_F11, M::MainView}, {M::Info, VK_F12, M::MainView},
        {M::Help, VK_F1, M::MainView}, {M::DriveSelect, VK_F9, M::MainView}, {M::MessageBox, VK_RETURN, M::MainView},
        {M::CreateFolderInput, VK_BACK, M::CreateFolderInput, false, false, nullptr, &folderNameInput},
        {M::RenameInput, VK_BACK, M::RenameInput, false, false, nullptr, &renameInput},
        {M::RenameConfirm, VK_LEFT, M::RenameConfirm, false, false, &renameChoice},
        {M::DeleteConfirm, VK_LEFT, M::DeleteConfirm, false, false, &deleteChoice},
        {M::CopyOverwriteConfirm, VK_RIGHT, M::CopyOverwriteConfirm, false, false, &copyOverwriteChoice},
        {M::MoveOverwriteConfirm, VK_LEFT, M::MoveOverwriteConfirm, false, false, &moveOverwriteChoice},
        {M::RunConfirm, VK_RIGHT, M::RunConfirm, false, false, &runChoice},
        {M::CopyProgress, VK_ESCAPE, M::CopyProgress, true, true},
        {M::MoveProgress, VK_ESCAPE, M::MoveProgress, true, true},
        {M::DeleteProgress, VK_ESCAPE, M::DeleteProgress, true, true},
        {M::Help, VK_ESCAPE, M::MainView, true}, {M::Info, VK_ESCAPE, M::MainView, true},
        {M::Viewer, VK_ESCAPE, M::MainView, true}, {M::EditorHelp, VK_ESCAPE, M::Editor, true},
        {M::EditorFind, VK_ESCAPE, M::Editor, true}, {M::Editor, VK_ESCAPE, M::MainView},
        {M::EditorSaveConfirm, VK_ESCAPE, M::Editor},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.mode) << " key " << r.key);
        resetAppState();
        screenMode = r.mode;
        folderNameInput = renameInput = L"ab";
        if (r.only) press({VK_F10, VK_F11, VK_RETURN, VK_TAB, VK_SPACE, VK_LEFT, VK_DOWN, VK_BACK, 'A'});
        EXPECT_EQ(screenMode, r.mode);
        press({r.key});
        EXPECT_EQ(screenMode, r.after);
        for (int32_t* choice : {&renameChoice, &deleteChoice, &copyOverwriteChoice, &moveOverwriteChoice, &runChoice})
            EXPECT_EQ(*choice, choice == r.choice ? 0 : 1);
        for (std::wstring* input : {&folderNameInput, &renameInput})
            EXPECT_EQ(input->size(), input == r.input ? 1u : 2u);
        EXPECT_EQ(cancelRequested, r.cancels);
        EXPECT_EQ(takeQuit(), r.key == VK_F10 ? 0 : -1);
    }
}

TEST_F(Keys, FunctionBarStopsAtF1AndF12AndEnterRunsTheHighlightedOne) {
    appSettings.language = 1;
    press({VK_LEFT});
    EXPECT_EQ(functionBarIndex, 0);
    EXPECT_EQ(functionBarFocused, 1);
    for (int i = 0; i < 12; ++i) press({VK_RIGHT});
    EXPECT_EQ(statusLine, L"Funktion ausgewaehlt: [F12] INFO   (Enter startet)");
    press({VK_LEFT, VK_LEFT, VK_ESCAPE});  // ESC clears marks only: the bar keeps the focus
    EXPECT_EQ(functionBarFocused, 1);
    press({VK_TAB, VK_RETURN});  // Tab leaves the bar: Enter opens the entry instead
    EXPECT_EQ(takeQuit(), -1);
    press({VK_RIGHT, VK_LEFT, VK_RETURN});  // F10 highlighted and focused again
    EXPECT_EQ(takeQuit(), 0);
    EXPECT_EQ(functionLabel(12) + functionLabel(-1), L"");
    appSettings.language = 3;
    EXPECT_EQ(press({VK_HOME}), L"Ultimo tasto: Tasto sconosciuto");
}

}  // namespace
