// Protection rules on path names and on real folders under Wine: links (Unix symlinks there),
// protected names in the drive root in any spelling, short names, vanished and network targets.
#include <gtest/gtest.h>

#include <vector>

#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/paths.h"
#include "fs/protection.h"

namespace {

// Folders made in C:\ (the prefix's drive_c) under names the Win32 layer would change; only the
// \\?\ form can make them.
struct RootFolders {
    std::vector<std::wstring> made;
    ~RootFolders() {
        for (const std::wstring& path : made) RemoveDirectoryW(LongPath(path).c_str());
    }
    std::wstring add(const std::wstring& name) {
        std::wstring path = L"C:\\" + name;
        if (CreateDirectoryW(LongPath(path).c_str(), nullptr)) made.push_back(path);
        return path;
    }
};

constexpr int N = -1;  // not judged
constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY, kLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

TEST(Protection, SourcesTargetsAndTrees) {
    TempFolder temp;
    RootFolders roots;
    std::wstring harmless = temp.folder(L"harmless\\sub");
    FolderLink link(temp / L"link", temp / L"harmless"), winlink(temp / L"winlink", L"C:\\Windows");
    ASSERT_TRUE(link.made() && winlink.made());
    std::wstring file = temp.file(L"plain.txt", "x");
    temp.folder(L"data\\Windows");
    const struct {
        std::wstring path;
        DWORD listed;  // the attributes the panel lists for it
        int source, target, tree;
    } rows[] = {
        // Drives and shares that do not exist here, so only the names decide.
        {L"Q:\\Windows\\Temp\\x", kFolder, N, N, 1},
        {L"q:/program files (x86)/app", kFolder, N, N, 1},
        {L"Q:\\PROGRAMME\\", kFolder, N, N, 1},
        {L"Q:\\Windows.\\x", kFolder, N, N, 1},  // Windows would open Q:\Windows
        {L"Q:\\ProgramData \\x", kFolder, N, N, 1},
        {L"Q:\\$Recycle.Bin\\S-1-5", kFolder, N, N, 1},
        {L"Q:\\Users", kFolder, N, N, 0},  // the users folder protects only itself
        {L"Q:\\Users\\Anna\\Documents", kFolder, N, N, 0},
        {L"Q:\\Data\\Windows", kFolder, N, N, 0},
        {L"Q:\\Windowsx", kFolder, N, N, 0},
        {L"\\\\srv\\share\\WINDOWS\\System32", kFolder, N, N, 0},
        // C:\users and C:\windows exist in every Wine prefix; the listed spelling must not matter.
        {L"C:\\users", kFolder, 1, 1, 0},
        {L"C:\\USERS", kFolder, 1, 1, 0},
        {L"C:\\uSeRs", kFolder, 1, 1, 0},
        {L"C:\\WINDOWS", kFolder, 1, 1, 1},
        {L"c:\\windows\\System32", kFolder, 1, 1, 1},
        {L"C:\\", kFolder, N, 0, 0},
        // Listed with what Windows strips from a name.
        {roots.add(L"Users."), kFolder, 1, 1, 0},
        {roots.add(L"Windows "), kFolder, 1, 1, 1},
        {roots.add(L"ProgramData. "), kFolder, 1, 1, 1},
        {roots.add(L"tvtest_plain."), kFolder, 0, 0, 0},
        {temp / L"data\\Windows", kFolder, 0, 0, 0},  // not in a drive root
        {file, FILE_ATTRIBUTE_REPARSE_POINT, 0, 1, N},  // files are never refused as sources; not a folder
        {temp / L"data", kLink, 1, 0, N},               // listed as a reparse point
        {temp / L"gone", kFolder, 1, 1, N},             // vanished since the listing
        {L"\\\\tvnosuchserver\\share\\data", kFolder, N, 1, 0},  // cannot be queried
        // A link, however harmless its target; inside it, where it leads decides.
        {temp / L"link", kLink, 1, 1, N},
        {temp / L"link", kFolder, 1, 1, N},
        {temp / L"link\\sub", kFolder, 0, 0, 0},
        {temp / L"winlink\\system32", kFolder, 1, 1, 1},
        {temp / L"winlink\\not-yet-created", kFolder, N, N, 1},
    };
    ASSERT_EQ(roots.made.size(), 4u);
    for (const auto& r : rows) {
        DirEntry entry;
        entry.name = r.path.substr(r.path.find_last_of(L'\\') + 1);
        entry.isFolder = (r.listed & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.attributes = r.listed;
        EXPECT_TRUE(r.source == N || IsProtectedSourceItem(ParentFolder(r.path), entry, r.path) == (r.source == 1))
            << "source " << r.path;
        EXPECT_TRUE(r.target == N || IsProtectedTarget(r.path) == (r.target == 1)) << "target " << r.path;
        EXPECT_TRUE(r.tree == N || IsInsideProtectedTree(r.path) == (r.tree == 1)) << "tree " << r.path;
    }
    EXPECT_EQ(ResolvedLocation(temp / L"link\\sub"), harmless);

    wchar_t shortName[MAX_PATH] = {};
    DWORD n = GetShortPathNameW(L"C:\\Program Files", shortName, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || _wcsicmp(shortName, L"C:\\Program Files") == 0) return;  // no short names
    EXPECT_TRUE(IsProtectedTarget(shortName)) << shortName;
    EXPECT_TRUE(IsInsideProtectedTree(std::wstring(shortName) + L"\\x")) << shortName;
}

}  // namespace
