// File primitives and temporary names on real folders.
#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"

namespace {

TEST(FileOps, WritableAttributesAndFailureCodes) {
    const struct {
        DWORD input, expected;
    } cases[] = {{0, 128}, {1, 128}, {0x21, 0x20}, {0x27, 0x26}, {0x2100, 0x2100}};
    for (const auto& c : cases) EXPECT_EQ(WritableAttributes(c.input), c.expected) << c.input;
    SetLastError(0);
    EXPECT_EQ(LastFailureCode(), 1627u) << "a failure without a last-error code is still a failure";
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(LastFailureCode(), 5u);
}

TEST(FileOps, TemporaryNamesBesideTheTarget) {
    TempFolder temp;
    std::wstring name = TempName(42), head = L".torvanecommander_tmp_" + std::to_wstring(GetCurrentProcessId()) + L"_";
    ASSERT_EQ(name.rfind(head, 0), 0u) << name;
    EXPECT_EQ(name.find_first_not_of(L"0123456789", head.size()), name.size() - 7) << name;  // the tick
    EXPECT_EQ(name.substr(name.size() - 7), L"_42.tmp") << name;

    // A name already taken is skipped for the next counter value, and what holds it is left alone.
    // The name holds the tick, so names for the next counter are taken for 100 ticks starting 1 s
    // ahead (time enough to make them), and the call waits for that span.
    const DWORD start = GetTickCount() + 1000, next = TempFileCounter + 1;
    auto taken = [&](DWORD tick) { return head + std::to_wstring(tick) + L"_" + std::to_wstring(next) + L".tmp"; };
    for (DWORD tick = start; tick < start + 100; ++tick) temp.file(taken(tick), "taken");
    while (GetTickCount() < start) continue;
    std::wstring target = temp / L"report.txt", path;
    DWORD error = 99, before = GetTickCount(), folders = TempFolderCounter;
    FileHandle file = CreateTempFileNear(target, path, error);
    if (GetTickCount() >= start + 100) GTEST_SKIP() << "the names were not made in time";
    ASSERT_TRUE(file.valid() && error == 0);
    EXPECT_EQ(TempFileCounter, next + 1);
    std::wstring suffix = L"_" + std::to_wstring(next + 1) + L".tmp";
    EXPECT_EQ(path.substr(path.size() - suffix.size()), suffix) << path;
    EXPECT_EQ(FolderOfPath(path), temp.path() + L"\\");
    EXPECT_EQ(readFileBytes(temp / taken(before)), "taken");
    EXPECT_EQ(TempFolderCounter, folders) << "the counters are independent";
    std::wstring folder;
    ASSERT_TRUE(CreateTempFolderNear(target, folder, error) && error == 0);
    EXPECT_TRUE(GetPathAttributes(folder) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(FileOps, TemporaryMakersReportTheFolderProblem) {
    TempFolder temp;
    // Wine reports 3 for a folder that is a file; Windows may also answer 267.
    for (const std::wstring& target : {temp / L"missing\\target", temp.file(L"a-file", "x") + L"\\target"}) {
        std::wstring path;
        DWORD error = 0;
        uint32_t before = TempFileCounter;
        EXPECT_FALSE(CreateTempFileNear(target, path, error).valid()) << target;
        EXPECT_TRUE(error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) << target << " " << error;
        EXPECT_EQ(TempFileCounter, before + 1) << "one attempt only";
        EXPECT_FALSE(CreateTempFolderNear(target, path, error)) << target;
        EXPECT_TRUE(error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) << target << " " << error;
    }
}

}  // namespace
