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

DirEntry entry(const wchar_t* name, bool folder) {
    DirEntry e;
    e.name = name;
    e.isFolder = folder;
    return e;
}

TEST(Listing, SortOrderTable) {
    struct Case {
        DirEntry a, b;
        bool aFirst;
    };
    const Case cases[] = {
        {entry(L"..", true), entry(L"0", true), true},
        {entry(L"zeta", true), entry(L"alpha", false), true},     // folders before files
        {entry(L"A.txt", false), entry(L"b.txt", false), true},   // case-insensitive
        {entry(L"a.TXT", false), entry(L"A.txt", false), false},  // upper case first on ties
        {entry(L"ABC", false), entry(L"abc", false), true},
        {entry(L"ab", false), entry(L"abc", false), true},        // prefix first
        {entry(L"_x", false), entry(L"a", false), true},          // '_' is 0x5F, below 'a'
        {entry(L"Zed", false), entry(L"_x", false), false},       // 'Z' folds to 'z' (0x7A), after '_'
        {entry(L"same", false), entry(L"same", false), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compareEntries(c.a, c.b), c.aFirst) << c.a.name << " vs " << c.b.name;
        if (c.a.name != c.b.name) {
            EXPECT_EQ(compareEntries(c.b, c.a), !c.aFirst) << c.b.name << " vs " << c.a.name;
        }
    }
}

TEST(Listing, RealFolderParentFoldersFilesAndHidden) {
    TempFolder temp;
    temp.file(L"b.txt");
    temp.file(L"A.txt", "12345");
    temp.folder(L"zeta");
    std::wstring hidden = temp.file(L"secret.dat");
    SetFileAttributesW(LongPath(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);

    PanelState panel;
    panel.path = temp.path() + L"\\sub\\..\\";
    loadListing(panel);
    EXPECT_EQ(panel.path, temp.path() + L"\\");
    EXPECT_TRUE(panel.errorText.empty());
    EXPECT_EQ(names(panel), (std::vector<std::wstring>{L"..", L"zeta", L"A.txt", L"b.txt", L"secret.dat"}));
    EXPECT_EQ(panel.entries[2].size, 5u);
    EXPECT_FALSE(panel.entries[2].isFolder);
    EXPECT_NE(panel.entries[2].modified, 0u);
    EXPECT_TRUE(panel.entries[4].attributes & FILE_ATTRIBUTE_HIDDEN);
}

TEST(Listing, UnreadableFolderKeepsParentEntryAndPath) {
    TempFolder temp;
    PanelState panel;
    panel.path = temp / L"missing";
    panel.cursor = 7;
    loadListing(panel);
    EXPECT_EQ(panel.errorText, L"Folder cannot be read.");
    EXPECT_EQ(names(panel), (std::vector<std::wstring>{L".."}));
    EXPECT_EQ(panel.cursor, 0);
    EXPECT_EQ(panel.path, temp / L"missing");

    PanelState file;
    file.path = temp.file(L"plain.txt");  // a file is not a folder
    loadListing(file);
    EXPECT_EQ(file.errorText, L"Folder cannot be read.");

    PanelState noDrive;  // a drive root that does not exist: no row at all
    for (wchar_t letter = L'Y'; letter > L'D'; --letter) {
        std::wstring root = std::wstring(1, letter) + L":\\";
        if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) {
            noDrive.path = root;
            break;
        }
    }
    ASSERT_FALSE(noDrive.path.empty());
    loadListing(noDrive);
    EXPECT_TRUE(noDrive.entries.empty());
    EXPECT_EQ(noDrive.errorText, L"Folder cannot be read.");
}

TEST(Listing, DriveRootHasNoParentEntry) {
    PanelState panel;
    panel.path = L"C:\\";
    loadListing(panel);
    ASSERT_TRUE(panel.errorText.empty());
    ASSERT_FALSE(panel.entries.empty());
    EXPECT_NE(panel.entries[0].name, L"..");
}

TEST(Listing, EmptyFolderListsOnlyTheParent) {
    TempFolder temp;
    PanelState panel;
    panel.path = temp.folder(L"empty");
    loadListing(panel);
    EXPECT_TRUE(panel.errorText.empty());
    EXPECT_EQ(names(panel), (std::vector<std::wstring>{L".."}));
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
    EXPECT_EQ(panel.entries[static_cast<size_t>(panel.cursor)].name, L"f5.txt");
    selectEntryByName(panel, L"nothing");
    EXPECT_EQ(panel.entries[static_cast<size_t>(panel.cursor)].name, L"f5.txt");

    reloadAndSelectIndex(panel, -3);
    EXPECT_EQ(panel.cursor, 0);
    reloadAndSelectIndex(panel, 99);
    EXPECT_EQ(panel.cursor, 9);

    EXPECT_EQ(findMark(panel, L"f3.txt"), 0);
    EXPECT_EQ(findMark(panel, L"GONE.TXT"), 1);
    EXPECT_EQ(findMark(panel, L"f4.txt"), -1);
}

TEST(Listing, TrailingDotNameIsListedAndEnterable) {
    TempFolder temp;
    std::wstring odd = temp / L"data.";
    if (!CreateDirectoryW(LongPath(odd).c_str(), nullptr)) GTEST_SKIP() << "no trailing-dot names here";
    temp.file(L"data.\\inside.txt");
    PanelState panel;
    panel.path = odd;
    loadListing(panel);
    EXPECT_TRUE(panel.errorText.empty());
    EXPECT_EQ(names(panel), (std::vector<std::wstring>{L"..", L"inside.txt"}));
    RemoveDirectoryW(LongPath(odd).c_str());
}

}  // namespace
