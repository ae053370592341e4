// Path operations, table by table: drive, UNC, long-path and device forms, and names that
// GetFullPathNameW would change (trailing dots and spaces).
#include <gtest/gtest.h>

#include "fs/paths.h"

namespace {

struct Case { const wchar_t *input, *expected; };

TEST(Paths, FullPathAndLongPath) {
    const Case full[] = {
        {L"C:\\a\\.\\b\\", L"C:\\a\\b\\"},  {L"C:/a//b", L"C:\\a\\b"}, {L"C:\\..\\..", L"C:\\"},
        {L"A:\\dir\\name. . ", L"A:\\dir\\name. . "},  // kept: GetFullPathNameW would strip them
        {L"\\\\?\\C:\\x\\..\\y", L"C:\\y"}, {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x"},
        {L"\\\\srv\\share\\a\\..\\..\\..", L"\\\\srv\\share"},  // ".." stops at the share
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

TEST(Paths, ParentsRootsAndComparisons) {
    const struct { const wchar_t *path, *parent; bool root; } folders[] = {
        {L"C:\\Temp\\", L"C:\\", false}, {L"z:/", L"z:\\", true}, {L"D:\\a\\b", L"D:\\a", false},
        {L"\\\\srv\\share\\x", L"\\\\srv\\share", false}, {L"\\\\?\\UNC\\srv\\share\\", L"\\\\srv\\share", true},
    };
    for (const auto& f : folders) {
        EXPECT_EQ(ParentFolder(f.path), f.parent) << f.path;
        EXPECT_EQ(IsRootFolder(f.path), f.root) << f.path;
    }
    EXPECT_TRUE(SamePath(L"c:\\temp\\", L"C:\\TEMP"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\data\\sub", L"D:\\Data"));
    EXPECT_FALSE(IsSameOrInside(L"D:\\data2", L"D:\\data"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\x", L"D:\\")) << "a root already ends in its separator";
}

}  // namespace
