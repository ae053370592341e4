// Protection rules: the name tables on path strings alone, then real folders under Wine: links,
// protected names in the drive root in any spelling, short names, vanished and network targets.
#include <gtest/gtest.h>

#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/paths.h"
#include "fs/protection.h"

namespace {

DirEntry folderEntry(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_DIRECTORY) {
    DirEntry entry;
    entry.name = name;
    entry.isFolder = true;
    entry.attributes = attributes;
    return entry;
}

// A folder created in C:\ for one test, under a name the Win32 layer would normally change.
class RootFolder {
public:
    explicit RootFolder(const std::wstring& name) : path_(L"C:\\" + name) {
        created_ = CreateDirectoryW(LongPath(path_).c_str(), nullptr) != 0;
    }
    ~RootFolder() {
        if (created_) RemoveDirectoryW(LongPath(path_).c_str());
    }
    RootFolder(const RootFolder&) = delete;
    RootFolder& operator=(const RootFolder&) = delete;
    bool created() const { return created_; }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    bool created_ = false;
};

TEST(Protection, NormalizedFolderNames) {
    const struct {
        const wchar_t* name;
        const wchar_t* expected;
    } cases[] = {
        {L"Users.", L"USERS"},   {L"Windows ", L"WINDOWS"}, {L"windows. . ", L"WINDOWS"},
        {L"$Recycle.Bin", L"$RECYCLE.BIN"}, {L"...", L""}, {L".hidden", L".HIDDEN"},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizedFolderName(c.name), c.expected) << c.name;
}

// Drives and shares that do not exist here, so only the names decide.
TEST(Protection, InsideProtectedTreeByName) {
    const struct {
        const wchar_t* path;
        bool expected;
    } cases[] = {
        {L"Q:\\Windows", true},
        {L"Q:\\Windows\\Temp\\x", true},
        {L"q:/program files (x86)/app", true},
        {L"Q:\\PROGRAMME\\", true},
        {L"Q:\\Windows.\\x", true},     // Windows would open Q:\Windows
        {L"Q:\\ProgramData \\x", true},
        {L"Q:\\$Recycle.Bin\\S-1-5", true},
        {L"Q:\\Users", false},           // the users folder protects only itself
        {L"Q:\\Users\\Anna\\Documents", false},
        {L"Q:\\Data\\Windows", false},
        {L"Q:\\Windowsx", false},
        {L"Q:\\", false},
        {L"Q:", false},
        {L"\\\\srv\\share\\WINDOWS", false},
        {L"\\\\srv\\share\\WINDOWS\\System32", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsInsideProtectedTree(c.path), c.expected) << c.path;
}

TEST(Protection, SourceItemsInDriveRootMatchAnySpelling) {
    // C:\users and C:\windows exist in every Wine prefix; the listed spelling must not matter.
    const wchar_t* names[] = {L"users", L"USERS", L"uSeRs", L"Windows", L"WINDOWS"};
    for (const wchar_t* name : names)
        EXPECT_TRUE(IsProtectedSourceItem(L"C:\\", folderEntry(name), std::wstring(L"C:\\") + name)) << name;
    EXPECT_TRUE(IsProtectedTarget(L"C:\\USERS"));
    EXPECT_TRUE(IsProtectedTarget(L"c:\\windows\\system32\\"));
    EXPECT_FALSE(IsProtectedTarget(L"C:\\"));
}

TEST(Protection, TrailingDotsAndSpacesInDriveRootAreProtected) {
    // Real folders whose listed names carry what Windows strips ("Users.", "Windows "). They can only
    // be made through the \\?\ form; C: is the prefix's drive_c, so this leaves the real system alone.
    for (const wchar_t* name : {L"Users.", L"Windows ", L"ProgramData. "}) {
        RootFolder folder(name);
        ASSERT_TRUE(folder.created()) << name;
        EXPECT_TRUE(IsProtectedSourceItem(L"C:\\", folderEntry(name), folder.path())) << name;
        EXPECT_TRUE(IsProtectedTarget(folder.path())) << name;
    }
    RootFolder plain(L"tvtest_plain.");
    ASSERT_TRUE(plain.created());
    EXPECT_FALSE(IsProtectedSourceItem(L"C:\\", folderEntry(L"tvtest_plain."), plain.path()));
    EXPECT_FALSE(IsProtectedTarget(plain.path()));
}

TEST(Protection, OrdinaryFoldersFilesAndVanishedFolders) {
    TempFolder temp;
    std::wstring folder = temp.folder(L"data\\Windows");  // not in a drive root: allowed
    std::wstring file = temp.file(L"plain.txt", "x");
    SetFileAttributesW(LongPath(file).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);

    EXPECT_FALSE(IsProtectedSourceItem(temp.path() + L"\\data", folderEntry(L"Windows"), folder));
    EXPECT_FALSE(IsProtectedTarget(folder));
    DirEntry fileEntry;
    fileEntry.name = L"plain.txt";
    fileEntry.attributes = FILE_ATTRIBUTE_REPARSE_POINT;  // files are never refused, whatever they are
    EXPECT_FALSE(IsProtectedSourceItem(temp.path(), fileEntry, file));

    // Listed as a reparse point, or gone since the listing: refused.
    EXPECT_TRUE(IsProtectedSourceItem(temp.path(), folderEntry(L"data", 0x410), temp / L"data"));
    EXPECT_TRUE(IsProtectedSourceItem(temp.path(), folderEntry(L"gone"), temp / L"gone"));
    EXPECT_TRUE(IsProtectedTarget(temp / L"gone"));
    EXPECT_TRUE(IsProtectedTarget(file));  // not a folder
    EXPECT_TRUE(IsProtectedTarget(L"\\\\tvnosuchserver\\share\\data"));  // cannot be queried
    SetFileAttributesW(LongPath(file).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Protection, LinksAreRefusedAndFollowedToTheirTarget) {
    TempFolder temp;
    std::wstring harmless = temp.folder(L"harmless\\sub");
    FolderLink link(temp / L"link", temp / L"harmless");
    if (!link.made()) GTEST_SKIP() << "no folder links here";
    const std::wstring& how = link.how();
    // The link itself: refused as source and as target, however harmless its target.
    EXPECT_TRUE(IsProtectedSourceItem(temp.path(), folderEntry(L"link", 0x410), temp / L"link")) << how;
    EXPECT_TRUE(IsProtectedSourceItem(temp.path(), folderEntry(L"link"), temp / L"link")) << how;
    EXPECT_TRUE(IsProtectedTarget(temp / L"link")) << how;
    // Inside a link to a harmless folder: an ordinary folder.
    EXPECT_EQ(ResolvedLocation(temp / L"link\\sub"), harmless) << how;
    EXPECT_FALSE(IsProtectedTarget(temp / L"link\\sub")) << how;

    // Inside a link to C:\Windows: protected through the resolved location only.
    FolderLink winlink(temp / L"winlink", L"C:\\Windows");
    ASSERT_TRUE(winlink.made());
    std::wstring inside = temp / L"winlink\\system32";
    EXPECT_TRUE(IsInsideProtectedTree(inside)) << how;
    EXPECT_TRUE(IsProtectedTarget(inside)) << how;
    EXPECT_TRUE(IsProtectedSourceItem(temp / L"winlink", folderEntry(L"system32"), inside)) << how;
    EXPECT_TRUE(IsInsideProtectedTree(temp / L"winlink\\not-yet-created")) << how;
}

TEST(Protection, ShortNamesAreExpanded) {
    wchar_t shortName[MAX_PATH] = {};
    DWORD n = GetShortPathNameW(L"C:\\Program Files", shortName, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || _wcsicmp(shortName, L"C:\\Program Files") == 0)
        GTEST_SKIP() << "no short names on this volume";
    EXPECT_TRUE(IsProtectedTarget(shortName)) << shortName;
    EXPECT_TRUE(IsInsideProtectedTree(std::wstring(shortName) + L"\\x")) << shortName;
}

TEST(Protection, FindPanelEntryPrefersTheExactName) {
    PanelState panel;
    for (const wchar_t* name : {L"..", L"Readme", L"README", L"notes"}) {
        DirEntry entry;
        entry.name = name;
        entry.size = wcslen(name);
        panel.entries.push_back(entry);
    }
    const struct {
        const wchar_t* name;
        bool found;
        const wchar_t* expected;
    } cases[] = {
        {L"README", true, L"README"},  // exact spelling wins over the earlier entry
        {L"Readme", true, L"Readme"},
        {L"readme", true, L"Readme"},  // no exact match: the first in any case
        {L"NOTES", true, L"notes"},
        {L"..", false, L""},
        {L"gone", false, L""},
    };
    for (const auto& c : cases) {
        DirEntry out;
        out.name = L"untouched";
        EXPECT_EQ(FindPanelEntry(panel, c.name, out), c.found) << c.name;
        EXPECT_EQ(out.name, c.found ? std::wstring(c.expected) : std::wstring(L"untouched")) << c.name;
    }
}

}  // namespace
