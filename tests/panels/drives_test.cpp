// Drive selection against Wine's real drive list: preselection, choosing, keys, row texts, and the
// list drawn with its scrolling.
#include <gtest/gtest.h>

#include "common/app_state.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

using Drives = AppTest;

TEST_F(Drives, PreselectsTheActivePanelsDrive) {
    // left path, right path, left active, the preselected root (nullptr: none, the first row)
    const struct { const wchar_t *left, *right; bool leftActive; const wchar_t* root; } cases[] = {
        {L"C:\\windows", L"z:/tmp", false, L"Z:\\"},  // lower case and a slash still name Z:
        {L"C:\\windows", L"Z:\\tmp", true, L"C:\\"},
        {L"Z:\\", L"C:\\windows", true, L"Z:\\"},  // the root itself
        {L"\\\\server\\share\\x", L"C:\\", true, nullptr}};
    for (const auto& c : cases) {
        resetPanels(c.left, c.right);
        leftPanelActive = c.leftActive;
        driveIndex = 5;
        buildDriveList();
        EXPECT_EQ(driveList.at(driveIndex).root, c.root ? c.root : driveList.at(0).root) << c.left;
        EXPECT_EQ(driveList[driveIndex].isActive, c.root != nullptr) << c.left;
    }
}

TEST_F(Drives, OpenChooseAndCloseInTheActivePanelOnly) {
    resetPanels(L"Z:\\", L"C:\\windows");
    rightPanel.marked = {L"system32"};
    rightPanel.cursor = 2;
    leftPanelActive = false;
    EXPECT_EQ(press({VK_F9}), L"F9 Drive selection opened.");
    EXPECT_EQ(press({VK_ESCAPE, VK_F9, VK_F9}), L"Drive selection closed.");  // ESC and F9 both close
    appSettings.language = 2;  // the root composed into a French text
    // The panel's own drive is opened again at its root, with cursor and marks reset.
    EXPECT_EQ(press({VK_F9, VK_RETURN}), L"Lecteur ouvert: C:\\");
    EXPECT_TRUE(screenMode == ScreenMode::MainView && rightPanel.path == L"C:\\" && leftPanel.path == L"Z:\\");
    EXPECT_TRUE(!rightPanel.entries.empty() && rightPanel.cursor == 0 && rightPanel.marked.empty());
}

TEST_F(Drives, RowTextsJoinRootTypeLabelAndActiveWord) {
    EXPECT_EQ(driveRowText({L"N:\\", DRIVE_REMOTE, L"", false}), L"N:\\   NETWORK");
    appSettings.language = 2;
    EXPECT_EQ(driveRowText({L"C:\\", DRIVE_FIXED, L"SYSTEM", true}), L"C:\\   DISQUE   SYSTEM   ACTIF");
}

// 9 of 20 rows visible at 1920 x 1080; the view moves by the least amount to show the highlight.
TEST_F(Drives, KeysMoveTheHighlightAndTheViewFollows) {
    for (wchar_t letter = L'A'; letter <= L'T'; ++letter) driveList.push_back({{letter, L':', L'\\'}, 0, L"", false});
    const std::vector<UINT> downs(8, VK_DOWN), ups(9, VK_UP);
    const struct { std::vector<UINT> keys; int index, scroll; } steps[] = {
        {downs, 8, 0}, {{VK_DOWN}, 9, 1}, {{VK_END, VK_DOWN}, 19, 11}, {ups, 10, 10},
        {{VK_HOME, VK_UP, VK_F5, 'A'}, 0, 0}};
    screenMode = ScreenMode::DriveSelect;
    Canvas canvas(1920, 1080);
    for (const auto& s : steps) {
        for (UINT key : s.keys) driveSelectKey(nullptr, key);
        drawDriveSelect(canvas.dc(), 1920, 1080);  // the view follows as the list is drawn
        EXPECT_TRUE(driveIndex == s.index && driveScroll == s.scroll) << driveIndex << " " << driveScroll;
    }
    EXPECT_EQ(screenMode, ScreenMode::DriveSelect);
}

}  // namespace
