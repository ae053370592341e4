// Drive selection against Wine's real drive list: building, preselection, choosing, keys, row
// texts in four languages, and the list drawn with its scrolling.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/box_check.h"
#include "common/canvas.h"
#include "common/keys.h"
#include "panels/drives.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

constexpr COLORREF kOutside = RGB(1, 2, 3), kListGrey = RGB(0xD2, 0xD2, 0xD2);

int indexOf(const std::wstring& root) {
    for (size_t i = 0; i < driveList.size(); ++i)
        if (driveList[i].root == root) return static_cast<int>(i);
    return -1;
}

using Drives = AppTest;

TEST_F(Drives, ListsWinesDrivesSortedWithTheirTypes) {
    std::vector<std::wstring> roots;
    wchar_t buffer[1024] = {};
    GetLogicalDriveStringsW(1024, buffer);
    for (const wchar_t* r = buffer; *r; r += wcslen(r) + 1)
        if (GetDriveTypeW(r) != DRIVE_NO_ROOT_DIR) roots.push_back(r);
    buildDriveList();
    ASSERT_EQ(driveList.size(), roots.size());
    for (size_t i = 0; i < driveList.size(); ++i) {
        const DriveInfo& d = driveList[i];
        EXPECT_EQ(d.driveType, GetDriveTypeW(d.root.c_str())) << d.root.c_str();
        EXPECT_TRUE(i == 0 || _wcsicmp(driveList[i - 1].root.c_str(), d.root.c_str()) < 0) << "sorted";
        bool local = d.driveType == DRIVE_FIXED || d.driveType == DRIVE_REMOVABLE;
        EXPECT_TRUE(local || d.label.empty()) << "only local disks are asked for a label: " << d.root.c_str();
    }
    ASSERT_GE(indexOf(L"Z:\\"), 0);
    EXPECT_EQ(driveList[indexOf(L"C:\\")].driveType, static_cast<uint32_t>(DRIVE_FIXED));
}

TEST_F(Drives, PreselectsTheActivePanelsDrive) {
    // left path, right path, left active, the preselected root (nullptr: none, the first row)
    const struct { const wchar_t *left, *right; bool leftActive; const wchar_t* root; } cases[] = {
        {L"C:\\windows", L"z:/tmp", false, L"Z:\\"},  // lower case and a slash still name Z:
        {L"C:\\windows", L"Z:\\tmp", true, L"C:\\"},
        {L"\\\\server\\share\\x", L"C:\\", true, nullptr}};
    for (const auto& c : cases) {
        leftPanel.path = c.left;
        rightPanel.path = c.right;
        leftPanelActive = c.leftActive;
        driveIndex = 5;
        buildDriveList();
        int active = 0;
        for (const DriveInfo& d : driveList) active += d.isActive ? 1 : 0;
        EXPECT_EQ(active, c.root ? 1 : 0) << c.left;
        EXPECT_EQ(driveIndex, c.root ? indexOf(c.root) : 0) << c.left;
    }
}

TEST_F(Drives, OpenChooseAndCloseInTheActivePanelOnly) {
    leftPanel.path = L"Z:\\";
    rightPanel = {L"C:\\windows", {}, {L"system32"}, 2, 1, L""};
    leftPanelActive = false;
    appSettings.language = 2;
    EXPECT_EQ(press({VK_F9}), L"F9 Choix lecteur ouvert.");
    // The panel's own drive is opened again at its root, with cursor, scroll and marks reset.
    EXPECT_EQ(press({VK_RETURN}), L"Lecteur ouvert: C:\\");
    EXPECT_EQ(screenMode, ScreenMode::MainView);
    EXPECT_TRUE(rightPanel.path == L"C:\\" && !rightPanel.entries.empty() && rightPanel.cursor == 0 &&
                rightPanel.scroll == 0 && rightPanel.marked.empty());
    EXPECT_EQ(leftPanel.path, L"Z:\\");
    driveIndex = 99;  // an index past the end opens the last drive
    chooseDrive(nullptr);
    EXPECT_EQ(rightPanel.path, driveList.back().root);
    appSettings.language = 0;
    for (UINT key : {UINT(VK_F9), UINT(VK_ESCAPE)}) {
        screenMode = ScreenMode::DriveSelect;
        EXPECT_EQ(press({key}), L"Drive selection closed.") << key;
        EXPECT_EQ(screenMode, ScreenMode::MainView) << key;
    }
    const std::wstring before = rightPanel.path;
    driveList.clear();  // choosing from an empty list just closes
    screenMode = ScreenMode::DriveSelect;
    chooseDrive(nullptr);
    EXPECT_TRUE(screenMode == ScreenMode::MainView && rightPanel.path == before);
}

TEST_F(Drives, RowTextsInAllFourLanguages) {
    const DriveInfo fixed{L"C:\\", DRIVE_FIXED, L"SYSTEM", true}, remote{L"N:\\", DRIVE_REMOTE, L"", false};
    const wchar_t* texts[4][2] = {{L"C:\\   FIXED   SYSTEM   ACTIVE", L"N:\\   NETWORK"},
                                  {L"C:\\   FESTPLATTE   SYSTEM   AKTIV", L"N:\\   NETZWERK"},
                                  {L"C:\\   DISQUE   SYSTEM   ACTIF", L"N:\\   RESEAU"},
                                  {L"C:\\   DISCO   SYSTEM   ATTIVO", L"N:\\   RETE"}};
    for (int lang = 0; lang < 4; ++lang) {
        appSettings.language = lang;
        EXPECT_EQ(driveRowText(fixed), texts[lang][0]);
        EXPECT_EQ(driveRowText(remote), texts[lang][1]);
    }
}

// The box 960 x 540 at 480, 270, or w - 80 by h - 100 below the minimum. Rows are 38 high every 42
// pixels, 8 in from the list; the highlighted one white and outlined.
TEST_F(Drives, BoxListAndHighlightedRowAtFullHdAndBelowTheMinimum) {
    driveList = {{L"C:\\", DRIVE_FIXED, L"", true}, {L"D:\\", DRIVE_CDROM, L"", false},
                 {L"Z:\\", DRIVE_FIXED, L"", false}};
    driveIndex = 1;
    const struct { int w, h; RECT box, list; int rowLeft, rowRight, firstRowTop; } sizes[] = {
        {1920, 1080, {480, 270, 1440, 810}, {514, 348, 1406, 748}, 522, 1398, 356},
        {800, 500, {40, 50, 760, 450}, {74, 128, 726, 388}, 82, 718, 136}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.w);
        Canvas canvas(s.w, s.h);
        canvas.clear(kOutside);
        drawDriveSelect(canvas.dc(), s.w, s.h);
        expectBox(canvas, s.box, 4, theme.dialogFrame, theme.dialogBackground, kOutside);
        expectBox(canvas, s.list, 2, kBlack, kListGrey, theme.dialogBackground);
        for (int row = 0; row < 4; ++row) {  // three drives: the fourth row stays empty
            int top = s.firstRowTop + 42 * row;
            EXPECT_EQ(canvas.pixel(s.rowRight - 6, top + 4), row == 1 ? kWhite : kListGrey) << row;
            EXPECT_EQ(canvas.pixel(s.rowLeft, top + 19), row == 1 ? kBlack : kListGrey) << row;
            EXPECT_EQ(canvas.pixel(s.rowRight - 6, top - 3), kListGrey) << "the gap above row " << row;
        }
    }
}

// 9 of 20 rows visible at 1920 x 1080; the view moves by the least amount to show the highlight.
TEST_F(Drives, KeysMoveTheHighlightAndTheViewFollows) {
    for (wchar_t letter = L'A'; letter <= L'T'; ++letter)
        driveList.push_back({std::wstring(1, letter) + L":\\", DRIVE_FIXED, L"", false});
    const std::vector<UINT> downs(8, VK_DOWN), ups(9, VK_UP);
    const struct { std::vector<UINT> keys; int index, scroll; } steps[] = {
        {downs, 8, 0}, {{VK_DOWN}, 9, 1}, {{VK_END, VK_DOWN}, 19, 11}, {ups, 10, 10},
        {{VK_HOME, VK_UP, VK_F5, 'A'}, 0, 0}};
    screenMode = ScreenMode::DriveSelect;
    Canvas canvas(1920, 1080);
    for (const auto& s : steps) {
        for (UINT key : s.keys) driveSelectKey(nullptr, key);
        drawDriveSelect(canvas.dc(), 1920, 1080);
        EXPECT_EQ(driveIndex, s.index);
        EXPECT_EQ(driveScroll, s.scroll) << s.index;
        EXPECT_EQ(canvas.pixel(1392, 356 + 42 * (driveIndex - driveScroll) + 4), kWhite) << s.index;
    }
    EXPECT_EQ(screenMode, ScreenMode::DriveSelect);
    driveList.clear();  // an empty list keeps the highlight at 0
    driveSelectKey(nullptr, VK_END);
    drawDriveSelect(canvas.dc(), 1920, 1080);
    EXPECT_EQ(driveIndex, 0);
}

}  // namespace
