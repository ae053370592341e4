// Navigation and marking through the dispatcher, as the keys arrive: each step is a key sequence
// and the status line it must leave. German on the steps that compose a name, path or count into
// a text, and after them.
#include <gtest/gtest.h>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/temp_folder.h"
#include "fs/paths.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/state.h"

namespace {

class Navigation : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) temp.file(name);
        resetPanels(temp.path(), temp.folder(L"docs"));
        loadListing(leftPanel);  // "..", docs, a.txt, b.txt, c.txt
    }
    TempFolder temp;
};

TEST_F(Navigation, CursorClampsAtBothEndsAndTabKeepsIt) {
    EXPECT_EQ(press({VK_UP}), L"Selection up.");  // reported even when the cursor stays
    EXPECT_EQ(leftPanel.cursor, 0);
    EXPECT_EQ(press({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}), L"Selection down.");
    EXPECT_EQ(leftPanel.cursor, 4);
    EXPECT_EQ(press({VK_TAB}), L"Active panel: right");
    EXPECT_EQ(press({VK_UP, VK_TAB}), L"Active panel: left");
    EXPECT_EQ(leftPanel.cursor, 4);
}

TEST_F(Navigation, SpaceAndEscapeCountTheMarksOfBothPanels) {
    rightPanel.marked = {L"x", L"y"};
    EXPECT_EQ(press({VK_SPACE}), L"The parent folder [DIR] .. cannot be marked.");
    leftPanel.cursor = 2;  // a.txt
    appSettings.language = 1;
    EXPECT_EQ(press({VK_SPACE}), L"Markiert: a.txt   3 Element(e) markiert.");
    EXPECT_EQ(press({VK_SPACE}), L"Markierung entfernt: a.txt   2 Element(e) markiert.");
    EXPECT_EQ(press({VK_ESCAPE}), L"Alle Markierungen geloescht.");
    EXPECT_EQ(press({VK_ESCAPE}), L"Keine Elemente markiert. F10 beendet das Programm.");  // the right panel's too
}

TEST_F(Navigation, ControlDownMarksARunButNeverTheParent) {
    holdKey(VK_CONTROL, true);
    EXPECT_EQ(press({VK_DOWN}), L"1 item(s) marked.");  // from "..": only docs
    EXPECT_EQ(press({VK_DOWN, VK_DOWN}), L"3 item(s) marked.");
    EXPECT_EQ(leftPanel.marked, (std::vector<std::wstring>{L"docs", L"a.txt", L"b.txt"}));
    EXPECT_EQ(press({VK_UP}), L"3 item(s) marked.");  // only adds, never removes

    leftPanel.entries = std::vector<DirEntry>();  // no buffer left that a stray index could still read
    EXPECT_EQ(press({VK_DOWN}), L"3 item(s) marked.") << "nothing at all in an empty panel";
    holdKey(VK_CONTROL, false);
    EXPECT_EQ(press({VK_SPACE}), L"No selection.");
    setStatus(L"unchanged");
    EXPECT_EQ(press({VK_RETURN}), L"unchanged");
}

TEST_F(Navigation, EnterAndBackspaceUpToDriveAndShareRoots) {
    leftPanel.marked = {L"a.txt"};
    rightPanel.marked = {L"x"};
    leftPanel.cursor = 1;  // docs
    EXPECT_EQ(press({VK_RETURN}), L"Folder opened: " + temp.path() + L"\\docs");
    EXPECT_TRUE(leftPanel.marked.empty());
    EXPECT_EQ(rightPanel.marked.size(), 1u) << "the other panel keeps its marks";
    leftPanel.marked = {L"inside"};
    EXPECT_EQ(press({VK_BACK}), L"One level back: " + temp.path());
    EXPECT_TRUE(leftPanel.cursor == 0 && leftPanel.marked.empty());  // the first row, not the folder left
    appSettings.language = 1;
    EXPECT_EQ(press({VK_RETURN}), L"Ordner geoeffnet: " + ParentFolder(temp.path()));  // on ".."

    leftPanel.path = L"C:\\";
    EXPECT_EQ(press({VK_BACK}), L"Bereits im Stammverzeichnis.");
    leftPanel.path = L"\\\\tv-no-such-server\\share\\";  // a share root: no way up to the server
    EXPECT_EQ(press({VK_BACK}), L"Bereits im Stammverzeichnis.");
}

}  // namespace
