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

TEST(Paths, StripLongPathPrefix) {
    const Case cases[] = {
        {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\\\\?\\C:\\x", L"C:\\x"},
        {L"\\\\.\\C:\\x", L"\\\\.\\C:\\x"},
        {L"C:\\x", L"C:\\x"},
        {L"", L""},
        {L"\\\\?\\unc\\srv", L"unc\\srv"},  // the prefixes are matched case-sensitively
    };
    for (const Case& c : cases) EXPECT_EQ(StripLongPathPrefix(c.input), c.expected) << c.input;
}

TEST(Paths, FullPathOfAbsoluteInputKeepsNamesExactly) {
    const Case cases[] = {
        {L"C:\\a\\..\\b", L"C:\\b"},
        {L"C:\\a\\.\\b\\", L"C:\\a\\b\\"},
        {L"C:/a/b", L"C:\\a\\b"},
        {L"C:\\a\\\\b", L"C:\\a\\b"},
        {L"C:\\..\\..", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"c:\\Report.", L"c:\\Report."},
        {L"C:\\dir\\name. . ", L"C:\\dir\\name. . "},
        {L"C:\\dir\\con", L"C:\\dir\\con"},
        {L"C:\\dir\\nul.txt", L"C:\\dir\\nul.txt"},
        {L"\\\\?\\C:\\x\\..\\y", L"C:\\y"},
        {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\\\\srv\\share\\a\\..\\..\\..", L"\\\\srv\\share"},
        {L"\\\\srv\\share\\", L"\\\\srv\\share\\"},
        {L"\\\\srv\\share\\dots...", L"\\\\srv\\share\\dots..."},
        {L"\\\\.\\PhysicalDrive0", L"\\\\.\\PhysicalDrive0"},
        {L"\\\\?\\Volume{1234}\\x", L"\\\\?\\Volume{1234}\\x"},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(FullPath(c.input), c.expected) << c.input;
}

TEST(Paths, LongPathForms) {
    const Case cases[] = {
        {L"C:\\a\\..\\b", L"\\\\?\\C:\\b"},
        {L"\\\\srv\\share\\x", L"\\\\?\\UNC\\srv\\share\\x"},
        {L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},  // already prefixed: untouched
        {L"\\\\.\\C:\\a\\..", L"\\\\.\\C:\\a\\.."},
        {L"C:\\dir\\report.", L"\\\\?\\C:\\dir\\report."},
        {L"C:\\dir\\trailing ", L"\\\\?\\C:\\dir\\trailing "},
        {L"", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(LongPath(c.input), c.expected) << c.input;
}

TEST(Paths, RelativeInputResolvesAgainstCurrentFolder) {
    TempFolder temp;
    std::wstring saved = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_EQ(FullPath(L"sub\\x.txt"), temp.path() + L"\\sub\\x.txt");
    EXPECT_EQ(FullPath(L"."), temp.path());
    EXPECT_EQ(LongPath(L"x.txt"), L"\\\\?\\" + temp.path() + L"\\x.txt");
    EXPECT_EQ(FolderOfPath(L"x.txt"), temp.path() + L"\\");
    // A device name never becomes a network path.
    std::wstring device = LongPath(L"con");
    EXPECT_EQ(device.rfind(L"\\\\?\\UNC\\", 0), std::wstring::npos) << device;
    SetCurrentDirectoryW(saved.c_str());
}

TEST(Paths, TrailingDotNamesReachTheirOwnFile) {
    // "report." and "report" are different files; the listed name must address its own.
    TempFolder temp;
    std::wstring plain = temp.file(L"report", "plain");
    HANDLE h = CreateFileW(LongPath(temp / L"report.").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) GTEST_SKIP() << "this file system cannot hold a trailing-dot name";
    DWORD written = 0;
    WriteFile(h, "dot", 3, &written, nullptr);
    CloseHandle(h);
    EXPECT_EQ(readFileBytes(temp / L"report."), "dot");
    EXPECT_EQ(readFileBytes(plain), "plain");
    DeleteFileW(LongPath(temp / L"report.").c_str());
}

TEST(Paths, ParentFolderAndFolderOf) {
    const Case parents[] = {
        {L"C:\\Temp\\", L"C:\\"},  {L"C:\\", L"C:\\"},
        {L"D:\\a\\b", L"D:\\a"},   {L"\\\\srv\\share\\x", L"\\\\srv\\share"},
        {L"\\\\srv\\share", L"\\\\srv\\share"}, {L"\\\\srv\\share\\", L"\\\\srv\\share"},
    };
    for (const Case& c : parents) EXPECT_EQ(ParentFolder(c.input), c.expected) << c.input;
    EXPECT_EQ(FolderOfPath(L"C:\\a\\b.txt"), L"C:\\a\\");
    EXPECT_EQ(FolderOfPath(L"\\\\?\\C:\\a\\b.txt"), L"C:\\a\\");
}

TEST(Paths, SeparatorsAndRoots) {
    EXPECT_EQ(WithTrailingSeparator(L""), L"\\");
    EXPECT_EQ(WithTrailingSeparator(L"C:\\a"), L"C:\\a\\");
    EXPECT_EQ(WithTrailingSeparator(L"C:/a/"), L"C:/a/");
    EXPECT_EQ(TrimTrailingSeparators(L"C:\\"), L"C:\\");
    EXPECT_EQ(TrimTrailingSeparators(L"D:\\data\\\\"), L"D:\\data");
    EXPECT_EQ(TrimTrailingSeparators(L"\\\\srv\\share\\"), L"\\\\srv\\share");
    EXPECT_TRUE(IsDriveRoot(L"C:\\"));
    EXPECT_TRUE(IsDriveRoot(L"z:/"));
    EXPECT_FALSE(IsDriveRoot(L"C:\\x"));
    EXPECT_FALSE(IsDriveRoot(L"\\\\srv\\share"));
    EXPECT_TRUE(IsShareRoot(L"\\\\srv\\share"));
    EXPECT_TRUE(IsShareRoot(L"\\\\srv\\share\\"));
    EXPECT_FALSE(IsShareRoot(L"\\\\srv\\share\\x"));
    EXPECT_TRUE(IsRootFolder(L"\\\\?\\UNC\\srv\\share"));
}

TEST(Paths, Comparisons) {
    EXPECT_TRUE(SamePath(L"c:\\temp\\", L"C:\\TEMP"));
    EXPECT_FALSE(SamePath(L"C:\\temp", L"C:\\temp2"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\data\\sub", L"D:\\Data"));
    EXPECT_FALSE(IsSameOrInside(L"D:\\data2", L"D:\\data"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\x", L"D:\\"));
    EXPECT_TRUE(IsSameOrInside(L"\\\\srv\\share\\a", L"\\\\?\\UNC\\srv\\share"));
    EXPECT_EQ(UpperCaseName(L"Program Files (x86)"), L"PROGRAM FILES (X86)");
}

TEST(Paths, ExecutableAndCurrentFolder) {
    std::wstring exe = ExecutablePath();
    EXPECT_GT(exe.size(), 4u);
    EXPECT_EQ(_wcsicmp(exe.substr(exe.size() - 4).c_str(), L".exe"), 0);
    EXPECT_FALSE(CurrentDirectory().empty());
}

}  // namespace
