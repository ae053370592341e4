// Navigation and marking through the dispatcher, as the keys arrive: each step is a key sequence
// and the status line it must leave, in the language of the step.
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
        rightPanel.path = temp.folder(L"docs");
        loadListing(rightPanel);
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) temp.file(name);
        leftPanel.path = temp.path();
        loadListing(leftPanel);  // "..", docs, a.txt, b.txt, c.txt
    }
    std::wstring pressIn(int language, std::initializer_list<UINT> keys) {
        appSettings.language = language;
        return press(keys);
    }
    TempFolder temp;
};

TEST_F(Navigation, CursorMovesClampAndTabSwitches) {
    EXPECT_EQ(press({VK_UP}), L"Selection up.");
    EXPECT_EQ(leftPanel.cursor, 0);
    EXPECT_EQ(press({VK_DOWN, VK_DOWN}), L"Selection down.");
    EXPECT_EQ(leftPanel.cursor, 2);
    EXPECT_EQ(pressIn(1, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}), L"Auswahl nach unten.");
    EXPECT_EQ(leftPanel.cursor, 4);
    EXPECT_EQ(pressIn(3, {VK_UP}), L"Selezione su.");
    EXPECT_EQ(pressIn(0, {VK_TAB}), L"Active panel: right");
    EXPECT_FALSE(leftPanelActive);
    EXPECT_EQ(pressIn(1, {VK_TAB}), L"Aktives Panel: links");
    EXPECT_EQ(leftPanel.cursor, 3);
}

TEST_F(Navigation, MarkingMessagesInFourLanguages) {
    rightPanel.marked = {L"x", L"y"};
    leftPanel.cursor = 2;  // a.txt
    EXPECT_EQ(press({VK_SPACE}), L"Marked: a.txt   3 item(s) marked.");
    EXPECT_EQ(pressIn(1, {VK_SPACE}), L"Markierung entfernt: a.txt   2 Element(e) markiert.");
    leftPanel.cursor = 0;
    EXPECT_EQ(pressIn(2, {VK_SPACE}), L"Le dossier parent [DIR] .. ne peut pas etre marque.");
    EXPECT_TRUE(leftPanel.marked.empty());
    EXPECT_EQ(pressIn(3, {VK_ESCAPE}), L"Tutte le marcature sono state rimosse.");
    EXPECT_TRUE(rightPanel.marked.empty());
    EXPECT_EQ(pressIn(0, {VK_ESCAPE}), L"No marked items. F10 exits the program.");
}

TEST_F(Navigation, EveryMessageInASecondLanguage) {
    EXPECT_EQ(pressIn(1, {VK_UP}), L"Auswahl nach oben.");
    EXPECT_EQ(pressIn(0, {VK_SPACE}), L"The parent folder [DIR] .. cannot be marked.");
    leftPanel.cursor = 2;  // a.txt
    EXPECT_EQ(pressIn(1, {VK_SPACE}), L"Markiert: a.txt   1 Element(e) markiert.");
    EXPECT_EQ(pressIn(0, {VK_SPACE}), L"Unmarked: a.txt   0 item(s) marked.");
    EXPECT_EQ(pressIn(1, {VK_ESCAPE}), L"Keine Elemente markiert. F10 beendet das Programm.");
    press({VK_SPACE});
    EXPECT_EQ(pressIn(0, {VK_ESCAPE}), L"All marked items cleared.");
    EXPECT_EQ(pressIn(1, {VK_TAB}), L"Aktives Panel: rechts");
    EXPECT_EQ(pressIn(0, {VK_TAB}), L"Active panel: left");
    leftPanel.cursor = 1;  // docs
    EXPECT_EQ(pressIn(1, {VK_RETURN}), L"Ordner geoeffnet: " + temp.path() + L"\\docs");
    EXPECT_EQ(pressIn(1, {VK_BACK}), L"Eine Ebene zurueck: " + temp.path());
    while (!IsRootFolder(leftPanel.path)) press({VK_BACK});
    EXPECT_EQ(pressIn(3, {VK_BACK}), L"Gia nella directory radice.");
    leftPanel.entries.clear();
    EXPECT_EQ(pressIn(1, {VK_SPACE}), L"Keine Auswahl vorhanden.");
}

TEST_F(Navigation, ControlDownMarksARunButNeverTheParent) {
    holdControl(true);
    EXPECT_EQ(press({VK_DOWN}), L"1 item(s) marked.");  // from "..": only docs
    EXPECT_EQ(press({VK_DOWN, VK_DOWN}), L"3 item(s) marked.");
    EXPECT_EQ(leftPanel.marked, (std::vector<std::wstring>{L"docs", L"a.txt", L"b.txt"}));
    EXPECT_EQ(press({VK_UP}), L"3 item(s) marked.");  // only adds, never removes

    leftPanel.entries.clear();
    EXPECT_EQ(press({VK_DOWN}), L"3 item(s) marked.") << "nothing at all in an empty panel";
    holdControl(false);
    EXPECT_EQ(press({VK_SPACE}), L"No selection.");
    setStatus(L"unchanged");
    EXPECT_EQ(press({VK_RETURN}), L"unchanged");
}

TEST_F(Navigation, EnterAndBackspaceUpToDriveAndShareRoots) {
    leftPanel.marked = {L"a.txt"};
    leftPanel.cursor = 1;  // docs
    EXPECT_EQ(press({VK_RETURN}), L"Folder opened: " + temp.path() + L"\\docs");
    EXPECT_TRUE(leftPanel.marked.empty());
    EXPECT_EQ(leftPanel.cursor, 0);
    EXPECT_EQ(press({VK_BACK}), L"One level back: " + temp.path());
    EXPECT_EQ(leftPanel.cursor, 0);  // the first row, not the folder that was left
    EXPECT_EQ(press({VK_RETURN}), L"Folder opened: " + ParentFolder(temp.path()));

    leftPanel.path = L"C:\\";
    loadListing(leftPanel);
    EXPECT_EQ(pressIn(2, {VK_BACK}), L"Deja dans le dossier racine.");
    leftPanel.path = L"\\\\tv-no-such-server\\share\\";  // a share root: no way up to the server
    loadListing(leftPanel);
    EXPECT_TRUE(leftPanel.entries.empty()) << "unreachable, and no parent entry either";
    EXPECT_EQ(pressIn(0, {VK_BACK}), L"Already at root directory.");
}

}  // namespace
