// Path operations, table by table: drive, UNC, long-path and device forms, relative input, and
// names that GetFullPathNameW would change (trailing dots and spaces, device names).
#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "fs/paths.h"

namespace {

struct Case {
    const wchar_t* input;
    const wchar_t* expected;
};

TEST(Paths, FullPathLongPathAndStrippedPrefix) {
    const Case full[] = {
        {L"C:\\a\\.\\b\\", L"C:\\a\\b\\"},      {L"C:/a//b", L"C:\\a\\b"},
        {L"C:\\..\\..", L"C:\\"},             {L"C:\\dir\\name. . ", L"C:\\dir\\name. . "},
        {L"C:\\dir\\nul.txt", L"C:\\dir\\nul.txt"},
        {L"\\\\?\\C:\\x\\..\\y", L"C:\\y"},    {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\\\\srv\\share\\a\\..\\..\\..", L"\\\\srv\\share"},
        {L"\\\\srv\\share\\dots...", L"\\\\srv\\share\\dots..."},
        {L"\\\\.\\PhysicalDrive0", L"\\\\.\\PhysicalDrive0"},
        {L"\\\\?\\Volume{1234}\\x", L"\\\\?\\Volume{1234}\\x"}, {L"", L""},
    };
    for (const Case& c : full) EXPECT_EQ(FullPath(c.input), c.expected) << c.input;
    const Case longPaths[] = {
        {L"C:\\a\\..\\b", L"\\\\?\\C:\\b"},
        {L"\\\\srv\\share\\x", L"\\\\?\\UNC\\srv\\share\\x"},
        {L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},  // already prefixed: untouched
        {L"\\\\.\\C:\\a\\..", L"\\\\.\\C:\\a\\.."},
        {L"C:\\dir\\report.", L"\\\\?\\C:\\dir\\report."},
    };
    for (const Case& c : longPaths) EXPECT_EQ(LongPath(c.input), c.expected) << c.input;
    const Case stripped[] = {
        {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"}, {L"\\\\?\\C:\\x", L"C:\\x"},
        {L"\\\\.\\C:\\x", L"\\\\.\\C:\\x"},
        {L"\\\\?\\unc\\srv", L"unc\\srv"},  // the prefixes are matched case-sensitively
    };
    for (const Case& c : stripped) EXPECT_EQ(StripLongPathPrefix(c.input), c.expected) << c.input;
}

TEST(Paths, RelativeInputResolvesAgainstCurrentFolder) {
    TempFolder temp;
    std::wstring saved = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_EQ(FullPath(L"sub\\x.txt"), temp.path() + L"\\sub\\x.txt");
    EXPECT_EQ(FullPath(L"."), temp.path());
    EXPECT_EQ(LongPath(L"x.txt"), L"\\\\?\\" + temp.path() + L"\\x.txt");
    EXPECT_EQ(FolderOfPath(L"x.txt"), temp.path() + L"\\");
    EXPECT_EQ(LongPath(L"con").rfind(L"\\\\?\\UNC\\", 0), std::wstring::npos) << "a device is no network path";
    SetCurrentDirectoryW(saved.c_str());
}

TEST(Paths, ParentsSeparatorsAndRoots) {
    const Case parents[] = {
        {L"C:\\Temp\\", L"C:\\"}, {L"C:\\", L"C:\\"}, {L"D:\\a\\b", L"D:\\a"},
        {L"\\\\srv\\share\\x", L"\\\\srv\\share"}, {L"\\\\srv\\share", L"\\\\srv\\share"},
        {L"\\\\srv\\share\\", L"\\\\srv\\share"},
    };
    for (const Case& c : parents) EXPECT_EQ(ParentFolder(c.input), c.expected) << c.input;
    EXPECT_EQ(FolderOfPath(L"\\\\?\\C:\\a\\b.txt"), L"C:\\a\\");
    EXPECT_EQ(WithTrailingSeparator(L"C:/a/"), L"C:/a/");
    EXPECT_EQ(TrimTrailingSeparators(L"C:\\"), L"C:\\");
    EXPECT_EQ(TrimTrailingSeparators(L"D:\\data\\\\"), L"D:\\data");
    const struct { const wchar_t* path; bool driveRoot, shareRoot; } roots[] = {
        {L"z:/", true, false}, {L"C:\\x", false, false},
        {L"\\\\srv\\share", false, true}, {L"\\\\srv\\share\\", false, true}, {L"\\\\srv\\share\\x", false, false},
    };
    for (const auto& r : roots) {
        EXPECT_EQ(IsDriveRoot(r.path), r.driveRoot) << r.path;
        EXPECT_EQ(IsShareRoot(r.path), r.shareRoot) << r.path;
        EXPECT_EQ(IsRootFolder(r.path), r.driveRoot || r.shareRoot) << r.path;
    }
    EXPECT_TRUE(IsRootFolder(L"\\\\?\\UNC\\srv\\share"));
}

TEST(Paths, Comparisons) {
    EXPECT_TRUE(SamePath(L"c:\\temp\\", L"C:\\TEMP"));
    EXPECT_FALSE(SamePath(L"C:\\temp", L"C:\\temp2"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\data\\sub", L"D:\\Data"));
    EXPECT_FALSE(IsSameOrInside(L"D:\\data2", L"D:\\data"));
    EXPECT_TRUE(IsSameOrInside(L"\\\\srv\\share\\a", L"\\\\?\\UNC\\srv\\share"));
}

}  // namespace
