// Folder listings on real folders: display order, the parent entry, unreadable folders, names and
// depths the Win32 layer would refuse, and the cursor and marks after a reload; the SIZE column's
// texts at its unit boundaries and row colours by file type.
#include <gtest/gtest.h>

#include "common/app_state.h"
#include "common/temp_folder.h"
#include "fs/paths.h"
#include "panels/panel_draw.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"

namespace {

using Names = std::vector<std::wstring>;

Names names(const PanelState& panel) {
    Names out;
    for (const DirEntry& e : panel.entries) out.push_back(e.name);
    return out;
}

PanelState listed(const std::wstring& path, int cursor = 0) {
    PanelState panel;
    panel.path = path;
    panel.cursor = cursor;
    loadListing(panel);
    return panel;
}

TEST(Listing, SortOrderTable) {
    const struct { const wchar_t* a; bool aFolder; const wchar_t* b; bool bFolder, aFirst; } cases[] = {
        {L"..", true, L"!x", true, true},           // though "!" sorts before "."
        {L"zeta", true, L"alpha", false, true},     // folders before files
        {L"a.txt", false, L"B.txt", false, true},   // case-insensitive
        {L"a.TXT", false, L"A.txt", false, false},  // upper case first on ties
        {L"_x", false, L"a", false, true},          // '_' is 0x5F: A-Z fold down to a-z, not up
        {L"same", false, L"same", false, false},
    };
    for (const auto& c : cases) {
        DirEntry a{c.a, c.aFolder, 0, 0, 0}, b{c.b, c.bFolder, 0, 0, 0};
        EXPECT_EQ(compareEntries(a, b), c.aFirst) << c.a << " vs " << c.b;
        EXPECT_TRUE(a.name == b.name || compareEntries(b, a) != c.aFirst) << c.b << " vs " << c.a;
    }
}

TEST(Listing, RealFoldersReadableOrNotDotsDepthOrderCursorAndMarks) {
    TempFolder temp;
    temp.file(L"b.txt");
    temp.file(L"A.txt", "12345");
    temp.folder(L"zeta");
    SetFileAttributesW(LongPath(temp.file(L"secret.dat")).c_str(), FILE_ATTRIBUTE_HIDDEN);
    PanelState panel = listed(temp.path() + L"\\sub\\..\\");
    EXPECT_EQ(panel.path, temp.path() + L"\\");
    ASSERT_EQ(names(panel), (Names{L"..", L"zeta", L"A.txt", L"b.txt", L"secret.dat"}));
    EXPECT_TRUE(panel.entries[2].size == 5 && panel.entries[2].modified != 0);
    EXPECT_TRUE(panel.entries[4].attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_NE(listed(L"C:\\").entries.at(0).name, L"..") << "a drive root has no parent entry";
    EXPECT_TRUE(listed(L"\\\\tv-no-such-server\\share\\").entries.empty()) << "nor a share root, even unreadable";

    panel = listed(temp / L"missing", 7);
    EXPECT_EQ(panel.errorText, L"Folder cannot be read.");
    EXPECT_EQ(names(panel), Names{L".."});
    EXPECT_TRUE(panel.path == temp / L"missing" && panel.cursor == 0) << "the path stays, the cursor on the one row";

    // "data." and "data" are different folders, and a folder may lie deeper than MAX_PATH: both need
    // the \\?\ form, which GetFullPathNameW and the plain calls do not give.
    temp.file(L"dots\\data\\inside.txt", "plain");
    std::wstring deep = temp / L"dots\\data.";
    ASSERT_TRUE(CreateDirectoryW(LongPath(deep).c_str(), nullptr));
    EXPECT_EQ(names(listed(temp / L"dots")), (Names{L"..", L"data", L"data."}));
    while (deep.size() <= MAX_PATH) deep += L"\\" + std::wstring(40, L'd');
    temp.file(deep.substr(temp.path().size() + 1) + L"\\inside.txt", "x");
    panel = listed(deep);
    EXPECT_EQ(panel.path, deep);
    EXPECT_EQ(names(panel), (Names{L"..", L"inside.txt"})) << panel.errorText;

    // Names that share their first eight units, names that are prefixes of others, and units far
    // above ASCII: the listing's order is still that of compareEntries.
    for (const wchar_t* name : {L"abcdefghi", L"\u4E00x", L"abcdefgH1", L"Z", L"abcdefgh.txt", L"_", L"\u00E9",
                                L"abcdefgh", L"abcdefg"})
        temp.file(std::wstring(L"order\\") + name);
    temp.folder(L"order\\zeta");
    temp.folder(L"order\\ALPHA");
    EXPECT_EQ(names(listed(temp / L"order")), (Names{L"..", L"ALPHA", L"zeta", L"_", L"abcdefg", L"abcdefgh", L"abcdefgh.txt",
                                                    L"abcdefgH1", L"abcdefghi", L"Z", L"\u00E9", L"\u4E00x"}));

    // The cursor clamps at both ends, and marks survive a reload.
    for (int i = 0; i < 9; ++i) temp.file(L"nine\\f" + std::to_wstring(i) + L".txt");
    panel = listed(temp / L"nine", 25);
    EXPECT_EQ(panel.cursor, 9);  // the last of ".." and nine files
    selectEntryByName(panel, L"F5.TXT");
    EXPECT_EQ(panel.cursor, 6);
    panel.marked = {L"F3.TXT", L"gone.txt"};
    reloadAndSelectIndex(panel, -3);
    EXPECT_EQ(panel.cursor, 0);
    reloadAndSelectIndex(panel, 99);
    EXPECT_EQ(panel.cursor, 9);
    EXPECT_EQ(panel.marked, (Names{L"F3.TXT", L"gone.txt"})) << "even the name that has vanished";
    EXPECT_EQ(findMark(panel, L"GONE.TXT"), 1);
}

// The marks answer without regard to case through every kind of change, a case twin included (an
// assignment can make one).
TEST(Listing, MarksAreFoundWithoutRegardToCaseAfterEveryChange) {
    PanelState panel;
    panel.marked = {L"a.txt", L"Tree", L"A.TXT"};
    const struct { void (*change)(MarkList&); const wchar_t* name; int position; } steps[] = {
        {[](MarkList&) {}, L"TREE", 1},
        {[](MarkList& m) { m.erase(m.begin()); }, L"a.Txt", 1},  // its twin is still marked
        {[](MarkList& m) { m.erase(m.begin() + 1); }, L"a.txt", -1},
        {[](MarkList& m) { m.push_back(L"new"); }, L"NEW", 1},
        {[](MarkList& m) { m.clear(); }, L"tree", -1},
        {[](MarkList& m) { m = std::vector<std::wstring>{L"x"}; }, L"X", 0},
    };
    for (const auto& step : steps) {
        step.change(panel.marked);
        EXPECT_EQ(findMark(panel, step.name), step.position) << step.name;
        EXPECT_EQ(panel.marked.contains(step.name), step.position >= 0) << step.name;
    }
}

TEST(Listing, FindPanelEntryPrefersTheExactName) {
    PanelState panel;
    for (const wchar_t* name : {L"..", L"Readme", L"README"}) panel.entries.push_back({name, false, 0, 0, 0});
    DirEntry out;
    EXPECT_TRUE(FindPanelEntry(panel, L"README", out) && out.name == L"README");
    EXPECT_TRUE(FindPanelEntry(panel, L"readme", out) && out.name == L"Readme") << "else the first in any case";
    EXPECT_FALSE(FindPanelEntry(panel, L"..", out) || FindPanelEntry(panel, L"gone", out));
}

DirEntry file(const std::wstring& name, uint64_t size = 0) { return DirEntry{name, false, 0, size, 0}; }
DirEntry folder(const std::wstring& name) { return DirEntry{name, true, FILE_ATTRIBUTE_DIRECTORY, 0, 0}; }

using PanelDraw = AppTest;

TEST_F(PanelDraw, SizeTextAndColourByType) {
    appSettings.textColor = 1;  // white, so the text colour differs from the black of .md
    applyTextColor();
    const uint64_t KB = 1024, MB = KB * KB;
    const COLORREF text = kWhite, grey = RGB(0x6E, 0x6E, 0x6E), blue = RGB(0, 0, 0x96), red = RGB(0x82, 0, 0);
    const struct { DirEntry entry; const wchar_t* size; COLORREF color; } cases[] = {
        {file(L"archive.TAR.BAK", KB - 1), L"1023 B", grey}, {file(L"old.bak.cpp", KB), L"1.0 KB", blue},
        {file(L"README.md", MB - 1), L"1024.0 KB", kBlack},  // 1023.999 KB rounds up in one decimal
        {file(L"a.HTM", MB), L"1.0 MB", red}, {file(L"b.htm", KB * MB), L"1.0 GB", red},
        {file(L"big.iso", 5 * MB * MB), L"5120.0 GB", text},  // no TB step
        {file(L"a.cppx", 0), L"0 B", text}, {folder(L"src.bak"), L"<DIR>", text}, {folder(L".."), L"", text},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatSize(c.entry), c.size) << c.entry.name;
        EXPECT_EQ(entryColor(c.entry), c.color) << c.entry.name;
    }
}

}  // namespace
