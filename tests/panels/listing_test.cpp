// Folder listings on real folders: display order, the parent entry, unreadable folders, and the
// cursor after a reload.
#include <gtest/gtest.h>

#include <vector>

#include "common/temp_folder.h"
#include "fs/paths.h"
#include "panels/panels.h"

namespace {

std::vector<std::wstring> names(const PanelState& panel) {
    std::vector<std::wstring> out;
    for (const DirEntry& e : panel.entries) out.push_back(e.name);
    return out;
}

PanelState listed(const std::wstring& path) {
    PanelState panel;
    panel.path = path;
    loadListing(panel);
    return panel;
}

TEST(Listing, SortOrderTable) {
    const struct { const wchar_t* a; bool aFolder; const wchar_t* b; bool bFolder, aFirst; } cases[] = {
        {L"..", true, L"0", true, true},
        {L"zeta", true, L"alpha", false, true},     // folders before files
        {L"A.txt", false, L"b.txt", false, true},   // case-insensitive
        {L"a.TXT", false, L"A.txt", false, false},  // upper case first on ties
        {L"_x", false, L"a", false, true},          // '_' is 0x5F, below 'a'
        {L"Zed", false, L"_x", false, false},       // 'Z' folds to 'z' (0x7A), after '_'
        {L"same", false, L"same", false, false},
    };
    for (const auto& c : cases) {
        DirEntry a{c.a, c.aFolder, 0, 0, 0}, b{c.b, c.bFolder, 0, 0, 0};
        EXPECT_EQ(compareEntries(a, b), c.aFirst) << c.a << " vs " << c.b;
        EXPECT_TRUE(a.name == b.name || compareEntries(b, a) != c.aFirst) << c.b << " vs " << c.a;
    }
}

TEST(Listing, ParentFoldersFilesAndHiddenOfARealFolder) {
    TempFolder temp;
    temp.file(L"b.txt");
    temp.file(L"A.txt", "12345");
    temp.folder(L"zeta");
    SetFileAttributesW(LongPath(temp.file(L"secret.dat")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    PanelState panel = listed(temp.path() + L"\\sub\\..\\");
    EXPECT_EQ(panel.path, temp.path() + L"\\");
    EXPECT_TRUE(panel.errorText.empty());
    EXPECT_EQ(names(panel), (std::vector<std::wstring>{L"..", L"zeta", L"A.txt", L"b.txt", L"secret.dat"}));
    EXPECT_EQ(panel.entries[2].size, 5u);
    EXPECT_NE(panel.entries[2].modified, 0u);
    EXPECT_TRUE(panel.entries[4].attributes & FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(names(listed(temp.folder(L"empty"))), std::vector<std::wstring>{L".."});
    PanelState root = listed(L"C:\\");
    ASSERT_FALSE(root.entries.empty());
    EXPECT_NE(root.entries[0].name, L"..") << "a drive root has no parent entry";
}

TEST(Listing, UnreadableFolderKeepsParentEntryAndPath) {
    TempFolder temp;
    PanelState panel;
    panel.path = temp / L"missing";
    panel.cursor = 7;
    loadListing(panel);
    EXPECT_EQ(panel.errorText, L"Folder cannot be read.");
    EXPECT_EQ(names(panel), std::vector<std::wstring>{L".."});
    EXPECT_EQ(panel.cursor, 0);
    EXPECT_EQ(panel.path, temp / L"missing");
    EXPECT_EQ(listed(temp.file(L"plain.txt")).errorText, L"Folder cannot be read.");
}

TEST(Listing, CursorClampingAndLookups) {
    TempFolder temp;
    for (int i = 0; i < 9; ++i) temp.file(L"f" + std::to_wstring(i) + L".txt");
    PanelState panel;
    panel.path = temp.path();
    panel.cursor = 25;
    panel.scroll = 4;
    panel.marked = {L"F3.TXT", L"gone.txt"};
    loadListing(panel);
    EXPECT_EQ(panel.entries.size(), 10u);  // ".." and nine files
    EXPECT_EQ(panel.cursor, 9);
    EXPECT_EQ(panel.scroll, 0);
    EXPECT_EQ(panel.marked.size(), 2u);  // marks survive a reload, even of vanished names

    selectEntryByName(panel, L"F5.TXT");
    EXPECT_EQ(panel.cursor, 6);
    reloadAndSelectIndex(panel, -3);
    EXPECT_EQ(panel.cursor, 0);
    reloadAndSelectIndex(panel, 99);
    EXPECT_EQ(panel.cursor, 9);
    EXPECT_EQ(findMark(panel, L"f3.txt"), 0);
    EXPECT_EQ(findMark(panel, L"GONE.TXT"), 1);
    EXPECT_EQ(findMark(panel, L"f4.txt"), -1);
}

// "data." and "data" are different folders; GetFullPathNameW would make the first the second.
TEST(Listing, TrailingDotFolderIsListedAndReachedByItsOwnName) {
    TempFolder temp;
    temp.file(L"data\\inside.txt", "plain");
    std::wstring odd = temp / L"data.";
    if (!CreateDirectoryW(LongPath(odd).c_str(), nullptr)) GTEST_SKIP() << "no trailing-dot names here";
    temp.file(L"data.\\inside.txt", "dot");
    EXPECT_EQ(names(listed(temp.path())), (std::vector<std::wstring>{L"..", L"data", L"data."}));
    PanelState panel = listed(odd);
    EXPECT_EQ(names(panel), (std::vector<std::wstring>{L"..", L"inside.txt"}));
    EXPECT_EQ(readFileBytes(WithTrailingSeparator(panel.path) + L"inside.txt"), "dot");
    removeTree(odd);
}

TEST(Listing, FindPanelEntryPrefersTheExactName) {
    PanelState panel;
    for (const wchar_t* name : {L"..", L"Readme", L"README", L"notes"}) panel.entries.push_back(DirEntry{name});
    const struct {
        const wchar_t* name;
        const wchar_t* found;  // nullptr: not found
    } cases[] = {{L"README", L"README"}, {L"Readme", L"Readme"}, {L"readme", L"Readme"},  // else the first
                 {L"NOTES", L"notes"},   {L"..", nullptr},       {L"gone", nullptr}};
    for (const auto& c : cases) {
        DirEntry out{L"untouched"};
        EXPECT_EQ(FindPanelEntry(panel, c.name, out), c.found != nullptr) << c.name;
        EXPECT_EQ(out.name, c.found ? c.found : L"untouched") << c.name;
    }
}

}  // namespace
