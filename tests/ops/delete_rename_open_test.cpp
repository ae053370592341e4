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
    const struct {
        const wchar_t* name;
        bool program;
    } cases[] = {
        {L"setup.EXE", true},      {L"report.tar.exe", true}, {L"setup.exe ", true}, {L"setup.exe.", true},
        {L"setup.exe . ", true},   {L"tool.pif", true},       {L"page.HTA", true},   {L"app.jar", true},
        {L"setup.exe.txt", false}, {L"README", false},        {L"setup.", false},    {L"...", false},
        {L".exe", true},           {L"notes.txt", false},     {L"a.exe2", false},    {L"link.lnk", true},
        // programs that open as documents (the system says so too, though not under Wine)
        {L"site.url", true},       {L"help.CHM", true},       {L"x.application", true},
        {L"x.settingcontent-ms", true},
    };
    for (const auto& c : cases) EXPECT_EQ(isProgramFile(c.name), c.program) << c.name;
}

TEST(NamesTest, NamesAreTrimmedOfSpacesOnlyAndChecked) {
    EXPECT_EQ(trimSpaces(L"  new name  "), L"new name");
    EXPECT_EQ(trimSpaces(L"\tx "), L"\tx");
    EXPECT_EQ(trimSpaces(L"   "), L"");
    for (const wchar_t* bad : {L"", L".", L"..", L"a:b", L"x/y", L"?", L"a\\b", L"<", L"|", L"\""})
        EXPECT_TRUE(isInvalidName(bad)) << bad;
    for (const wchar_t* good : {L"...", L"con", L"name.", L"a b"}) EXPECT_FALSE(isInvalidName(good)) << good;
}

TEST(NamesTest, ASurrogatePairIsTypedAndRemovedWhole) {
    const wchar_t high = 0xD83D, low = 0xDE00;  // one emoji
    std::wstring input(3, L'x');
    EXPECT_FALSE(appendToInput(input, 4, high)) << "a pair needs two free units";
    EXPECT_FALSE(appendToInput(input, 4, low)) << "its second half alone is never kept";
    EXPECT_EQ(input, L"xxx");
    input = L"xx";
    EXPECT_TRUE(appendToInput(input, 4, high));
    EXPECT_TRUE(appendToInput(input, 4, low));
    EXPECT_EQ(input.size(), 4u);
    EXPECT_TRUE(removeLastCharacter(input));
    EXPECT_EQ(input, L"xx");
    EXPECT_TRUE(appendToInput(input, 4, high));
    EXPECT_TRUE(appendToInput(input, 4, L'y')) << "a half pair whose end never came gives way";
    EXPECT_EQ(input, L"xxy");
}

class FileCommandTest : public AppTest {
protected:
    TempFolder temp;

    void show() {
        resetPanels(temp.path(), temp.path());
        loadListing(leftPanel);
        loadListing(rightPanel);
    }
    // Both panels' folders, cursors, listings and marks in one text.
    static std::wstring panelsText() {
        std::wstring text;
        for (const PanelState* panel : {&leftPanel, &rightPanel}) {
            text += panel->path + L"|" + std::to_wstring(panel->cursor);
            for (const DirEntry& entry : panel->entries) text += L"|" + entry.name;
            for (const std::wstring& mark : panel->marked) text += L"|*" + mark;
        }
        return text;
    }
    std::wstring pressOn(const std::wstring& name, std::initializer_list<UINT> keys) {
        selectEntryByName(leftPanel, name);
        return press(keys);
    }
};

// Each refusal says why in the status line or a message box, and opens nothing.
TEST_F(FileCommandTest, RefusalsSayWhyAndTouchNothing) {
    temp.file(L"inside\\keep.txt", "k");
    FolderLink link(temp / L"link", temp / L"inside");
    ASSERT_TRUE(link.made());
    show();
    const struct {
        const wchar_t* cursor;
        std::vector<std::wstring> marks;
        UINT key;
        const wchar_t* typed;  // into the folder-name input, after F7
        const wchar_t* said;   // the status line, or the message box's title then text
    } cases[] = {
        {L"..", {}, VK_F8, nullptr, L"The parent folder [DIR] .. cannot be deleted."},
        {L"..", {}, VK_F2, nullptr, L"Parent folder entry cannot be renamed."},
        {L"link", {}, VK_F8, nullptr, L"PROTECTED FOLDER This system folder or link cannot be deleted."},
        {L"link", {}, VK_F2, nullptr, L"RENAME Protected folder cannot be renamed."},
        {L"link", {L"gone.txt"}, VK_F8, nullptr, L"DELETE ITEMS No valid marked items found."},
        {L"link", {L"inside", L"link"}, VK_F8, nullptr,
         L"PROTECTED FOLDER This system folder or link cannot be deleted."},
        {L"link", {}, VK_F7, L"  ", L"Please enter a folder name."},
        {L"link", {}, VK_F7, L"a|b", L"Invalid folder name."},
    };
    for (const auto& c : cases) {
        leftPanel.marked = c.marks;
        std::wstring status = pressOn(c.cursor, {c.key});
        if (c.typed) {
            folderNameInput = c.typed;
            status = press({VK_RETURN});
        }
        bool box = screenMode == ScreenMode::MessageBox;
        EXPECT_EQ(box ? messageTitle + L" " + messageText : status, c.said);
        EXPECT_TRUE(box || screenMode == (c.typed ? ScreenMode::CreateFolderInput : ScreenMode::MainView)) << c.said;
        press({VK_ESCAPE});
    }
    EXPECT_EQ(readFileBytes(temp / L"link\\keep.txt"), "k");
}

TEST_F(FileCommandTest, RenameRefusesBadNamesAndRenamesOnlyAfterYes) {
    temp.file(L"notes.txt", "n");
    temp.file(L"other.txt", "o");
    std::wstring longName(150, L'L');
    temp.file(longName, "l");
    show();
    const struct {
        const wchar_t* typed;
        const wchar_t* status;
        ScreenMode mode;
    } cases[] = {
        {L"a:b", L"Invalid name.", ScreenMode::RenameInput},
        {L"   ", L"Please enter a new name.", ScreenMode::RenameInput},
        {L"OTHER.txt", L"Target name already exists.", ScreenMode::RenameInput},
        {L"NOTES.TXT", L"Rename canceled.", ScreenMode::MainView},
        {L"notes.txt", L"Rename canceled.", ScreenMode::MainView},
    };
    for (const auto& c : cases) {
        pressOn(L"notes.txt", {VK_F2});
        renameInput = c.typed;
        EXPECT_EQ(press({VK_RETURN}), c.status) << c.typed;
        EXPECT_EQ(screenMode, c.mode) << c.typed;
        press({VK_ESCAPE});
    }
    EXPECT_EQ(readFileBytes(temp / L"notes.txt") + readFileBytes(temp / L"other.txt"), "no");

    pressOn(longName, {VK_F2});
    EXPECT_EQ(renameInput, longName) << "the input starts with the whole old name";
    press({VK_ESCAPE});

    leftPanel.marked.push_back(L"other.txt");
    pressOn(L"notes.txt", {VK_F2});
    renameInput = L"  new name.txt  ";
    EXPECT_EQ(press({VK_RETURN, VK_RETURN}), L"Rename canceled.") << "NO is preselected";
    EXPECT_TRUE(pathExists(temp / L"notes.txt"));
    pressOn(L"notes.txt", {VK_F2});
    renameInput = L"  new name.txt  ";
    EXPECT_EQ(press({VK_RETURN, VK_LEFT, VK_RETURN}), L"Renamed: notes.txt -> new name.txt");
    EXPECT_EQ(readFileBytes(temp / L"new name.txt"), "n");
    EXPECT_EQ(leftPanel.entries[leftPanel.cursor].name, L"new name.txt");
    EXPECT_TRUE(leftPanel.marked.empty());
}

TEST_F(FileCommandTest, NewFolderRefusesATakenNameAndLandsUnderTheCursor) {
    temp.file(L"taken", "t");
    temp.file(L"zz.txt");
    show();
    press({VK_F7});
    folderNameInput = L"taken";
    EXPECT_EQ(press({VK_RETURN}), L"Folder already exists.");
    EXPECT_EQ(screenMode, ScreenMode::CreateFolderInput);
    EXPECT_EQ(readFileBytes(temp / L"taken"), "t");
    folderNameInput = L" fresh ";
    EXPECT_EQ(press({VK_RETURN}), L"Folder created: fresh");
    EXPECT_NE(GetPathAttributes(temp / L"fresh") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(leftPanel.entries[leftPanel.cursor].name, L"fresh");
}

// "trail." and "con" would reach "trail" and the console device through the shell, "setup.exe."
// would start setup.exe without the question, and the shell expands * and ?.
TEST_F(FileCommandTest, NamesWindowsWouldChangeAreNeverHandedToTheShell) {
    for (const wchar_t* name : {L"trail.", L"trail", L"con", L"setup.exe.", L"trail "}) temp.file(name, "keep");
    show();
    // Wine takes no such name, but a share may list one.
    for (const wchar_t* name : {L"tr*l", L"trai?"}) leftPanel.entries.push_back(DirEntry{name, false, 0x20, 4, 0});
    for (const wchar_t* name : {L"trail.", L"con", L"setup.exe.", L"trail ", L"tr*l", L"trai?"}) {
        for (UINT key : {VK_F8, VK_RETURN}) {
            pressOn(name, {key});
            EXPECT_EQ(screenMode, ScreenMode::MessageBox) << name << " key " << key;
            EXPECT_EQ(messageTitle, localize(shellNameTitle)) << name;
            press({VK_ESCAPE});
        }
    }
    for (const wchar_t* name : {L"trail.", L"trail", L"con", L"setup.exe.", L"trail "})
        EXPECT_EQ(readFileBytes(temp / name), "keep") << name;
}

// Judged as it is on disk before the question opens, marked or not; both panels stay as they were.
TEST_F(FileCommandTest, AListedFileThatBecameAFolderLinkIsNotDeleted) {
    temp.file(L"inside\\keep.txt", "k");
    temp.file(L"x", "x");
    temp.file(L"y", "y");
    show();
    DeleteFilePath(temp / L"x");
    FolderLink link(temp / L"x", temp / L"inside");
    ASSERT_TRUE(link.made());
    for (const std::vector<std::wstring>& marks : {std::vector<std::wstring>{}, {L"y", L"x"}}) {
        leftPanel.marked = marks;
        selectEntryByName(leftPanel, L"x");
        std::wstring before = panelsText();
        // The box shows at once; Left and Enter then only close it, leaving its title in the status line.
        EXPECT_EQ(press({VK_F8, VK_LEFT, VK_RETURN}), L"PROTECTED FOLDER") << marks.size();
        EXPECT_EQ(panelsText(), before);
    }
    EXPECT_EQ(readFileBytes(temp / L"inside\\keep.txt") + readFileBytes(temp / L"y"), "ky");
}

// Each failure ends the delete with a report naming the item; nothing is re-read, marks stay.
TEST_F(FileCommandTest, DeleteFailuresReportTheItemAndLeaveBothPanels) {
    // `call` fails from YES on, at call number nth
    const struct { std::vector<std::wstring> marks; FileCall call; uint32_t nth; DWORD code; bool aStays;
                   const wchar_t* text; } cases[] = {
        // the shell answers 0 but the file is still there
        {{}, FileCall::Recycle, 1, 0, true, L"Could not delete file.\nItem: a.txt\nWindows error: 1627"},
        {{}, FileCall::Count, 0, 0, false, L"Could not delete file.\nItem: a.txt\nWindows error: 2"},  // gone before YES
        {{L"a.txt", L"b.txt", L"c.txt"}, FileCall::Recycle, 2, ERROR_SHARING_VIOLATION, false,
         L"Could not delete marked items.\nItem: b.txt\nWindows error: 32"},
        // b read once more right before it goes: calls a, b, c, a again, a gone, b again
        {{L"a.txt", L"b.txt", L"c.txt"}, FileCall::GetAttributes, 6, ERROR_ACCESS_DENIED, false,
         L"Could not delete marked items.\nItem: b.txt\nWindows error: 5"},
    };
    for (const auto& c : cases) {
        for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) temp.file(name, "abc");
        show();
        leftPanel.marked = c.marks;
        selectEntryByName(leftPanel, L"a.txt");
        std::wstring before = panelsText();
        press({VK_F8, VK_LEFT});
        if (c.nth) InjectFailure(c.call, c.nth, c.code);
        else DeleteFilePath(temp / L"a.txt");
        press({VK_RETURN});
        ClearInjectedFailures();
        EXPECT_EQ(messageTitle, L"DELETE FAILED");
        EXPECT_EQ(messageText, std::wstring(c.text) + L"\nSome items may already be in the recycle bin.");
        EXPECT_EQ(panelsText(), before) << c.text;
        EXPECT_EQ(pathExists(temp / L"a.txt"), c.aStays) << c.text;
        EXPECT_TRUE(pathExists(temp / L"b.txt") && pathExists(temp / L"c.txt")) << c.text;
        press({VK_ESCAPE});
    }
}

// The shell tries program extensions on a name that is gone: a listed "tool" would start tool.exe
// beside it. The helper program leaves "tool.exe.ran" when it runs.
TEST_F(FileCommandTest, EnterOnANameThatIsNoLongerTheListedFileStartsNothing) {
    ASSERT_TRUE(CopyFilePath(FolderOfPath(ExecutablePath()) + L"marker_program.exe", temp / L"tool.exe", false));
    for (bool nowAFolder : {false, true}) {
        temp.file(L"tool", "t");
        show();
        DeleteFilePath(temp / L"tool");
        if (nowAFolder) CreateFolderPath(temp / L"tool");
        pressOn(L"tool", {VK_RETURN});
        EXPECT_EQ(messageTitle + L" " + messageText,
                  L"OPEN FAILED The listed file is no longer there. Windows error: 2\ntool");
        DirEntry entry;
        EXPECT_EQ(FindPanelEntry(leftPanel, L"tool", entry), nowAFolder) << "the panel was read again";
        press({VK_ESCAPE});
        RemoveFolderPath(temp / L"tool");
    }
    Sleep(2000);
    EXPECT_FALSE(pathExists(temp / L"tool.exe.ran"));
    pressOn(L"tool.exe", {VK_RETURN, VK_LEFT, VK_RETURN});  // YES: the helper does run
    for (int i = 0; i < 100 && !pathExists(temp / L"tool.exe.ran"); ++i) Sleep(100);
    EXPECT_TRUE(pathExists(temp / L"tool.exe.ran"));
}

TEST_F(FileCommandTest, ADocumentWithoutAnApplicationReportsTheShellsNumber) {
    temp.file(L"data.zzq", "z");
    show();
    pressOn(L"data.zzq", {VK_RETURN});
    EXPECT_EQ(messageTitle, L"OPEN FAILED");
    EXPECT_EQ(messageText, L"Windows could not open this file. Windows error: 31");
}

}  // namespace
