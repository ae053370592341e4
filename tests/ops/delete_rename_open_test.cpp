// F8, F2, F7 and Enter on a file, on real folders: what each refusal says and leaves on disk, and
// what the shell is never handed.
#include <gtest/gtest.h>

#include <vector>

#include "common/app_state.h"
#include "common/keys.h"
#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"
#include "ops/open_run.h"
#include "ops/rename.h"
#include "panels/panels.h"
#include "settings/language.h"
#include "ui/state.h"

namespace {

TEST(NamesTest, ProgramsAreKnownByTheNameWindowsRuns) {
    const struct { const wchar_t* name; bool program; } cases[] = {
        {L"setup.EXE", true},      {L"report.tar.exe", true}, {L"setup.exe ", true}, {L"setup.exe.", true},
        {L"setup.exe . ", true},   {L"tool.pif", true},       {L"page.HTA", true},   {L"app.jar", true},
        {L"setup.exe.txt", false}, {L"README", false},        {L"setup.", false},    {L"...", false},
        {L".exe", true},           {L"notes.txt", false},     {L"a.exe2", false},    {L"link.lnk", true},
        // programs that open as documents (the system says so too, though not under Wine)
        {L"site.url", true},       {L"help.CHM", true},       {L"x.application", true}, {L"x.settingcontent-ms", true},
    };
    for (const auto& c : cases) EXPECT_EQ(isProgramFile(c.name), c.program) << c.name;
}

// Units typed into a line input of four: a pair needs two free units, its second half alone is
// never kept, a pair is removed whole, and a half pair whose end never came gives way. 0 removes.
TEST(NamesTest, ASurrogatePairIsTypedAndRemovedWhole) {
    const wchar_t high = 0xD83D, low = 0xDE00;  // one emoji
    const struct { const wchar_t* start; wchar_t unit; bool taken; const wchar_t* after; } steps[] = {
        {L"xxx", high, false, L"xxx"}, {nullptr, low, false, L"xxx"}, {L"xx", high, true, L"xx\xD83D"},
        {nullptr, low, true, L"xx\xD83D\xDE00"}, {nullptr, 0, true, L"xx"}, {nullptr, high, true, L"xx\xD83D"},
        {nullptr, L'y', true, L"xxy"},
    };
    std::wstring input;
    for (const auto& s : steps) {
        if (s.start) input = s.start;
        EXPECT_EQ(s.unit ? appendToInput(input, 4, s.unit) : removeLastCharacter(input), s.taken) << s.after;
        EXPECT_EQ(input, s.after);
    }
}

class FileCommandTest : public AppTest {
protected:
    TempFolder temp;

    void show() { showPanels(temp.path(), temp.path()); }
    std::wstring pressOn(const std::wstring& name, std::initializer_list<UINT> keys) {
        selectEntryByName(leftPanel, name);
        return press(keys);
    }
};

// Each refusal says why in the status line or a message box, and opens nothing.
// "x" is listed as a file but is a link on disk by now: it is judged as it is on disk, marked or not.
TEST_F(FileCommandTest, RefusalsSayWhyAndTouchNothing) {
    temp.file(L"inside\\keep.txt", "k");
    temp.file(L"notes.txt", "n");
    temp.file(L"other.txt", "o");
    temp.file(L"taken", "t");
    temp.file(L"x", "x");
    FolderLink link(temp / L"link", temp / L"inside");
    show();
    DeleteFilePath(temp / L"x");
    FolderLink x(temp / L"x", temp / L"inside");
    ASSERT_TRUE(link.made() && x.made());
    const wchar_t* protectedFolder = L"PROTECTED FOLDER This system folder or link cannot be deleted.";
    // `said` is the status line, or the box's title then text; `typed` goes into the input F7 or F2 opened
    const struct { const wchar_t* cursor; UINT key; const wchar_t* said; const wchar_t* typed = nullptr;
                   std::vector<std::wstring> marks = {}; } cases[] = {
        {L"..", VK_F8, L"The parent folder [DIR] .. cannot be deleted."},
        {L"..", VK_F2, L"Parent folder entry cannot be renamed."},
        {L"link", VK_F8, protectedFolder}, {L"link", VK_F2, L"RENAME Protected folder cannot be renamed."},
        {L"link", VK_F8, L"DELETE ITEMS No valid marked items found.", nullptr, {L"gone.txt"}},
        {L"link", VK_F8, protectedFolder, nullptr, {L"inside", L"link"}},
        {L"link", VK_F7, L"Please enter a folder name.", L"  "}, {L"link", VK_F7, L"Invalid folder name.", L"a|b"},
        {L"link", VK_F7, L"Folder already exists.", L"taken"}, {L"notes.txt", VK_F2, L"Invalid name.", L"a:b"},
        {L"notes.txt", VK_F2, L"Please enter a new name.", L"   "},
        {L"notes.txt", VK_F2, L"Target name already exists.", L"OTHER.txt"},
        {L"x", VK_F8, protectedFolder}, {L"x", VK_F8, protectedFolder, nullptr, {L"x"}},
    };
    for (const auto& c : cases) {
        leftPanel.marked = c.marks;
        selectEntryByName(leftPanel, c.cursor);
        std::wstring before = panelsText(), status = press({c.key});
        if (c.typed) {
            (c.key == VK_F7 ? folderNameInput : renameInput) = c.typed;
            status = press({VK_RETURN});
        }
        bool box = screenMode == ScreenMode::MessageBox;
        EXPECT_EQ(box ? messageTitle + L" " + messageText : status, c.said);
        ScreenMode input = c.key == VK_F7 ? ScreenMode::CreateFolderInput : ScreenMode::RenameInput;
        EXPECT_TRUE(box || screenMode == (c.typed ? input : ScreenMode::MainView)) << c.said;
        EXPECT_EQ(panelsText(), before) << c.said;
        press({VK_ESCAPE});
    }
    EXPECT_EQ(readFileBytes(temp / L"link\\keep.txt") + readFileBytes(temp / L"taken"), "kt");
    EXPECT_EQ(readFileBytes(temp / L"notes.txt") + readFileBytes(temp / L"other.txt"), "no");
}

// A rename goes only after YES; the renamed file and a new folder land under the cursor.
TEST_F(FileCommandTest, RenameAndNewFolderTakeTheTrimmedNameAndLandUnderTheCursor) {
    temp.file(L"notes.txt", "n");
    temp.file(L"other.txt", "o");
    std::wstring longName(150, L'L');
    temp.file(longName, "l");
    show();
    for (const wchar_t* same : {L"NOTES.TXT", L"notes.txt"}) {  // the file's own name renames nothing
        pressOn(L"notes.txt", {VK_F2});
        renameInput = same;
        EXPECT_EQ(press({VK_RETURN}), L"Rename canceled.") << same;
        EXPECT_EQ(screenMode, ScreenMode::MainView) << same;
    }
    EXPECT_EQ(pressOn(longName, {VK_F2, VK_RETURN}), L"Rename canceled.") << "the input starts with the whole old name";

    leftPanel.marked.push_back(L"other.txt");
    pressOn(L"notes.txt", {VK_F2});
    renameInput = L"  new name.txt  ";
    EXPECT_EQ(press({VK_RETURN, VK_RETURN}), L"Rename canceled.") << "NO is preselected";
    pressOn(L"notes.txt", {VK_F2});
    renameInput = L"  new name.txt  ";
    EXPECT_EQ(press({VK_RETURN, VK_LEFT, VK_RETURN}), L"Renamed: notes.txt -> new name.txt");
    EXPECT_EQ(readFileBytes(temp / L"new name.txt"), "n");
    EXPECT_EQ(leftPanel.entries[leftPanel.cursor].name, L"new name.txt");
    EXPECT_TRUE(leftPanel.marked.empty());
    press({VK_F7});
    folderNameInput = L" fresh ";
    EXPECT_EQ(press({VK_RETURN}), L"Folder created: fresh");
    EXPECT_NE(GetPathAttributes(temp / L"fresh") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(leftPanel.entries[leftPanel.cursor].name, L"fresh");
}

// "trail." and "con" would reach "trail" and the console device through the shell, "setup.exe."
// would start setup.exe without the question, and the shell expands * and ?. Listed entries only:
// Wine makes no name with * or ?, but a share may list one.
TEST_F(FileCommandTest, NamesWindowsWouldChangeAreNeverHandedToTheShell) {
    show();
    for (const wchar_t* name : {L"trail.", L"con", L"setup.exe.", L"trail ", L"tr*l", L"trai?"}) {
        leftPanel.entries.push_back(DirEntry{name, false, 0x20, 4, 0});
        // the box shows at once; ESC then only closes it, leaving its title in the status line
        for (UINT key : {VK_F8, VK_RETURN})
            EXPECT_EQ(pressOn(name, {key, VK_ESCAPE}), localize(shellNameTitle)) << name << " key " << key;
    }
}

// Each failure ends the delete with a report naming the item; nothing is re-read, marks stay.
TEST_F(FileCommandTest, DeleteFailuresReportTheItemAndLeaveBothPanels) {
    const std::vector<std::wstring> abc = {L"a.txt", L"b.txt", L"c.txt"};
    // `call` fails from YES on, at call number nth. The item the report names shows that the items
    // before it went.
    const struct { std::vector<std::wstring> marks; FileCall call; uint32_t nth; DWORD code; const wchar_t* text; }
        cases[] = {
        // the shell answers 0 but the file is still there
        {{}, FileCall::Recycle, 1, 0, L"Could not delete file.\nItem: a.txt\nWindows error: 1627"},
        {{}, FileCall::GetAttributes, 1, 2, L"Could not delete file.\nItem: a.txt\nWindows error: 2"},
        {abc, FileCall::Recycle, 2, 32, L"Could not delete marked items.\nItem: b.txt\nWindows error: 32"},
        // b read once more right before it goes: calls a, b, c, a again, a gone, b again
        {abc, FileCall::GetAttributes, 6, 5, L"Could not delete marked items.\nItem: b.txt\nWindows error: 5"},
    };
    for (const auto& c : cases) {
        for (const std::wstring& name : abc) temp.file(name, "abc");
        show();
        leftPanel.marked = c.marks;
        pressOn(L"a.txt", {VK_F8, VK_LEFT});
        std::wstring before = panelsText();  // the question changes neither panel
        InjectFailure(c.call, c.nth, c.code);
        press({VK_RETURN});
        ClearInjectedFailures();
        EXPECT_EQ(messageTitle + L" " + messageText,
                  L"DELETE FAILED " + std::wstring(c.text) + L"\nSome items may already be in the recycle bin.");
        EXPECT_EQ(panelsText(), before) << c.text;
        EXPECT_TRUE(pathExists(temp / L"b.txt") && pathExists(temp / L"c.txt")) << c.text;
        press({VK_ESCAPE});
    }
}

// The shell tries program extensions on a name that is gone: a listed "tool" would start tool.exe
// beside it. The helper program leaves "tool.exe.ran" when it runs.
TEST_F(FileCommandTest, EnterOnAFileTheShellCannotOpenStartsNothing) {
    ASSERT_TRUE(CopyFilePath(FolderOfPath(ExecutablePath()) + L"marker_program.exe", temp / L"tool.exe", false));
    // what became of the listed file before Enter: 0 nothing, 1 deleted, 2 replaced by a folder
    const struct { const wchar_t* name; int change; } cases[] = {{L"data.zzq", 0}, {L"tool", 1}, {L"tool", 2}};
    for (const auto& c : cases) {
        temp.file(c.name, "t");
        show();
        if (c.change) DeleteFilePath(temp / c.name);
        if (c.change == 2) CreateFolderPath(temp / c.name);
        pressOn(c.name, {VK_RETURN});
        EXPECT_EQ(statusLine + L" " + messageText,  // the title, with nothing said over it
                  c.change ? L"OPEN FAILED The listed file is no longer there. Windows error: 2\ntool"
                           : L"OPEN FAILED Windows could not open this file. Windows error: 31");
        DirEntry entry;
        EXPECT_EQ(FindPanelEntry(leftPanel, c.name, entry), c.change != 1) << "the panel was read again";
        press({VK_ESCAPE});
    }
    Sleep(2000);
    EXPECT_FALSE(pathExists(temp / L"tool.exe.ran"));
    pressOn(L"tool.exe", {VK_RETURN, VK_LEFT, VK_RETURN});  // YES: the helper does run
    for (int i = 0; i < 100 && !pathExists(temp / L"tool.exe.ran"); ++i) Sleep(100);
    EXPECT_TRUE(pathExists(temp / L"tool.exe.ran"));
}

}  // namespace
