// Protection rules on path names and on real folders under Wine: links (Unix symlinks there),
// protected names in a drive root in any spelling, vanished targets.
// Full and long paths: drive, UNC, long-path and device forms, and names that GetFullPathNameW
// would change.
#include <gtest/gtest.h>

#include <span>

#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/paths.h"
#include "fs/protection.h"

namespace {

constexpr int N = -1;  // not judged
constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY, kLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

struct Row { std::wstring path; DWORD listed; int source, target, tree; };  // listed: as the panel lists it

void expectRows(std::span<const Row> rows) {
    for (const Row& r : rows) {
        DirEntry entry{r.path.substr(r.path.find_last_of(L'\\') + 1), (r.listed & kFolder) != 0, r.listed, 0, 0};
        EXPECT_TRUE(r.source == N || IsProtectedSourceItem(ParentFolder(r.path), entry, r.path) == (r.source == 1))
            << "source " << r.path;
        EXPECT_TRUE(r.target == N || IsProtectedTarget(r.path) == (r.target == 1)) << "target " << r.path;
        EXPECT_TRUE(r.tree == N || IsInsideProtectedTree(r.path) == (r.tree == 1)) << "tree " << r.path;
    }
}

// Takes a DefineDosDeviceW mapping away again at the end of a scope.
struct DosDeviceMapping {
    std::wstring device, target;
    ~DosDeviceMapping() {
        DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, device.c_str(), target.c_str());
    }
};

TEST(Protection, NamesAndRealFolders) {
    TempFolder temp;
    const std::wstring harmless = temp.folder(L"harmless\\sub"), file = temp.file(L"plain.txt", "x");
    FolderLink link(temp / L"link", temp / L"harmless"), winlink(temp / L"winlink", L"C:\\Windows");
    ASSERT_TRUE(link.made() && winlink.made());
    temp.folder(L"data\\Windows");
    const Row rows[] = {
        // A drive and shares that do not exist here, so only the names decide. The users folder
        // protects only itself, and no name protects anything on a share.
        {L"a:/program files (x86)/app", kFolder, N, N, 1}, {L"Q:\\Windowsx", kFolder, N, N, 0},
        {L"Q:\\ProgramData. \\x", kFolder, N, N, 1},  // Windows would open Q:\ProgramData
        {L"Q:\\Users\\Anna", kFolder, N, N, 0}, {L"\\\\srv\\share\\WINDOWS\\System32", kFolder, N, N, 0},
        // C:\users and C:\windows exist in every Wine prefix; the listed spelling must not matter.
        {L"C:\\uSeRs", kFolder, 1, 1, 0}, {L"C:\\WINDOWS", kFolder, 1, 1, 1},
        {L"c:\\windows\\System32", kFolder, 1, 1, 1}, {L"C:\\", kFolder, N, 0, 0},  // a drive root takes items
        {temp / L"data\\Windows", kFolder, 0, 0, 0},  // not in a drive root
        // A file is never refused as a source, whatever it lists as (nor taken as a target); a
        // folder listed as a link always is refused.
        {file, FILE_ATTRIBUTE_REPARSE_POINT, 0, 1, N}, {temp / L"data", kLink, 1, 0, N},
        {temp / L"gone", kFolder, 1, 1, N},  // vanished since the listing
        // A link, however harmless its target; inside it, where it leads decides.
        {temp / L"link", kLink, 1, 1, N}, {temp / L"link", kFolder, 1, 1, N},
        {temp / L"link\\sub", kFolder, 0, 0, 0}, {temp / L"winlink\\system32", kFolder, 1, 1, 1},
        {temp / L"winlink\\not-yet-created", kFolder, N, N, 1},
    };
    expectRows(rows);
    EXPECT_EQ(ResolvedLocation(temp / L"link\\sub"), harmless);
}

// Names Windows strips trailing dots and spaces from, directly in a drive root; only the \\?\ form
// makes them. The root is a letter mapped onto a temporary folder, so the name form (X:\Users.)
// decides: the resolved form is the real folder below the temporary one, never in a drive root.
TEST(Protection, StrippedNamesInADriveRoot) {
    TempFolder temp;
    wchar_t letter = L'R';  // Q: stays free for the name rows
    while (letter < L'Z' && (GetLogicalDrives() & (1u << (letter - L'A')))) ++letter;
    const std::wstring device = {letter, L':'}, root = device + L"\\", target = temp.folder(L"root");
    if (letter == L'Z' || !DefineDosDeviceW(0, device.c_str(), target.c_str())) GTEST_SKIP() << "no drive letter free";
    DosDeviceMapping mapping{device, target};
    // Wine 8 accepts the mapping and lists the letter, but reports no root and opens nothing there.
    if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "a DefineDosDeviceW drive has no root here";
    const Row rows[] = {
        {root + L"Users.", kFolder, 1, 1, 0}, {root + L"Windows ", kFolder, 1, 1, 1},
        {root + L"tvtest_plain.", kFolder, 0, 0, 0}};
    for (const Row& r : rows) ASSERT_TRUE(CreateDirectoryW(LongPath(r.path).c_str(), nullptr)) << r.path;
    expectRows(rows);
}

struct Case { const wchar_t *input, *expected; };

TEST(Paths, FullPathAndLongPath) {
    const Case full[] = {
        {L"C:\\a\\.\\b\\", L"C:\\a\\b\\"},  {L"C:/a//b", L"C:\\a\\b"}, {L"C:\\..\\..", L"C:\\"},
        {L"A:\\dir\\name. . ", L"A:\\dir\\name. . "},  // kept: GetFullPathNameW would strip them
        {L"\\\\?\\C:\\x\\..\\y", L"C:\\y"}, {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\\\\srv", L"\\\\srv"}, {L"\\\\srv\\share\\a\\..\\..\\..", L"\\\\srv\\share"},  // ".." stops at the share
        {L"\\\\.\\PhysicalDrive0", L"\\\\.\\PhysicalDrive0"}, {L"\\\\?\\Volume{1234}\\x", L"\\\\?\\Volume{1234}\\x"},
    };
    for (const Case& c : full) EXPECT_EQ(FullPath(c.input), c.expected) << c.input;
    const Case longPaths[] = {
        {L"C:\\a\\..\\b", L"\\\\?\\C:\\b"}, {L"\\\\srv\\share\\x", L"\\\\?\\UNC\\srv\\share\\x"},
        {L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"}, {L"\\\\.\\C:\\a\\..", L"\\\\.\\C:\\a\\.."},  // untouched
        {L"con", L"\\\\.\\con"},  // GetFullPathNameW makes a device of it: no network path
    };
    for (const Case& c : longPaths) EXPECT_EQ(LongPath(c.input), c.expected) << c.input;
}

}  // namespace
