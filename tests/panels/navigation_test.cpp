// Navigation and marking through the dispatcher, as the keys arrive: each row is a key sequence and
// the status line it must leave, in the language of the row.
#include <gtest/gtest.h>

#include "app/state.h"
#include "common/keys.h"
#include "common/temp_folder.h"
#include "fs/paths.h"
#include "panels/navigation.h"
#include "panels/panels.h"
#include "settings/settings.h"

namespace {

class Navigation : public testing::Test {
protected:
    void SetUp() override {
        appSettings = AppSettings();
        screenMode = ScreenMode::MainView;
        functionBarFocused = 0;
        holdControl(false);
        temp.folder(L"docs");
        temp.file(L"a.txt");
        temp.file(L"b.txt");
        temp.file(L"c.txt");
        leftPanel = PanelState();
        leftPanel.path = temp.path();
        loadListing(leftPanel);  // "..", docs, a.txt, b.txt, c.txt
        rightPanel = PanelState();
        rightPanel.path = temp.folder(L"docs");
        loadListing(rightPanel);
        leftPanelActive = true;
    }
    void TearDown() override {
        holdControl(false);
        appSettings = AppSettings();
    }
    TempFolder temp;
};

TEST_F(Navigation, CursorMovesClampAndReport) {
    EXPECT_EQ(press({VK_UP}), L"Selection up.");
    EXPECT_EQ(leftPanel.cursor, 0);
    EXPECT_EQ(press({VK_DOWN, VK_DOWN}), L"Selection down.");
    EXPECT_EQ(leftPanel.cursor, 2);
    press({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
    EXPECT_EQ(leftPanel.cursor, 4);
    appSettings.language = 1;
    EXPECT_EQ(press({VK_DOWN}), L"Auswahl nach unten.");
    appSettings.language = 3;
    EXPECT_EQ(press({VK_UP}), L"Selezione su.");
}

TEST_F(Navigation, MarkingMessagesInFourLanguages) {
    rightPanel.marked = {L"x", L"y"};
    leftPanel.cursor = 2;  // a.txt
    EXPECT_EQ(press({VK_SPACE}), L"Marked: a.txt   3 item(s) marked.");
    appSettings.language = 1;
    EXPECT_EQ(press({VK_SPACE}), L"Markierung entfernt: a.txt   2 Element(e) markiert.");
    leftPanel.cursor = 0;
    appSettings.language = 2;
    EXPECT_EQ(press({VK_SPACE}), L"Le dossier parent [DIR] .. ne peut pas etre marque.");
    EXPECT_TRUE(leftPanel.marked.empty());
    appSettings.language = 3;
    EXPECT_EQ(press({VK_ESCAPE}), L"Tutte le marcature sono state rimosse.");
    EXPECT_TRUE(rightPanel.marked.empty());
    appSettings.language = 0;
    EXPECT_EQ(press({VK_ESCAPE}), L"No marked items. F10 exits the program.");
}

TEST_F(Navigation, ControlDownMarksARunButNeverTheParent) {
    holdControl(true);
    EXPECT_EQ(press({VK_DOWN}), L"1 item(s) marked.");  // from "..": only docs
    EXPECT_EQ(press({VK_DOWN, VK_DOWN}), L"3 item(s) marked.");
    EXPECT_EQ(leftPanel.marked, (std::vector<std::wstring>{L"docs", L"a.txt", L"b.txt"}));
    EXPECT_EQ(press({VK_UP}), L"3 item(s) marked.");  // only adds, never removes
    holdControl(false);

    PanelState& empty = rightPanel;
    empty.entries.clear();
    leftPanelActive = false;
    std::wstring before = statusLine;
    holdControl(true);
    EXPECT_EQ(press({VK_DOWN}), before);  // nothing at all in an empty panel
    holdControl(false);
    EXPECT_EQ(press({VK_SPACE}), L"No selection.");
}

TEST_F(Navigation, EnterAndBackspace) {
    leftPanel.marked = {L"a.txt"};
    leftPanel.cursor = 1;  // docs
    EXPECT_EQ(press({VK_RETURN}), L"Folder opened: " + temp.path() + L"\\docs");
    EXPECT_TRUE(leftPanel.marked.empty());
    EXPECT_EQ(leftPanel.cursor, 0);
    EXPECT_EQ(press({VK_BACK}), L"One level back: " + temp.path());
    EXPECT_EQ(leftPanel.cursor, 0);  // the first row, not the folder that was left
    leftPanel.cursor = 0;
    EXPECT_EQ(press({VK_RETURN}), L"Folder opened: " + ParentFolder(temp.path()));

    leftPanel.path = L"C:\\";
    loadListing(leftPanel);
    appSettings.language = 2;
    EXPECT_EQ(press({VK_BACK}), L"Deja dans le dossier racine.");
}

TEST_F(Navigation, EnterInAnEmptyPanelKeepsTheStatus) {
    leftPanel.entries.clear();
    setStatus(L"unchanged");
    EXPECT_EQ(press({VK_RETURN}), L"unchanged");
}

TEST_F(Navigation, ShareRootHasNoWayUp) {
    // An unreachable share: no parent entry, and Backspace stays.
    leftPanel.path = L"\\\\tv-no-such-server\\share\\";
    loadListing(leftPanel);
    EXPECT_TRUE(leftPanel.entries.empty());
    EXPECT_EQ(leftPanel.errorText, L"Folder cannot be read.");
    EXPECT_EQ(press({VK_BACK}), L"Already at root directory.");
}

TEST_F(Navigation, TabSwitchesAndKeepsCursors) {
    leftPanel.cursor = 3;
    EXPECT_EQ(press({VK_TAB}), L"Active panel: right");
    EXPECT_FALSE(leftPanelActive);
    appSettings.language = 1;
    EXPECT_EQ(press({VK_TAB}), L"Aktives Panel: links");
    EXPECT_EQ(leftPanel.cursor, 3);
}

}  // namespace
