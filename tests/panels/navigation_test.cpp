// Marking through the dispatcher, as the keys arrive: each step is a key sequence and the status
// line it must leave. German on the steps that compose a name or count into a text, and after them.
// Drive selection against Wine's real drive list: the preselected row.
#include <gtest/gtest.h>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/temp_folder.h"
#include "panels/drives.h"
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

}  // namespace
