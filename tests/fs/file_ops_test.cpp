// File primitives and temporary names on real folders. The transfer tests (ops/) cover the file
// maker's failures (a missing folder, a folder that is a file) as the copy meets them.
#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"

namespace {

// The 128-bit id decides where both sides have one: ReFS repeats 64-bit indexes and cloned volumes
// repeat serials. Where one side lacks it, the serial and index pair decides.
TEST(FileOps, IdentityPrefersTheWideId) {
    // volume, index, has the wide id, wide volume, wide id
    const struct { const char* what; FileIdentity a, b; bool same; } cases[] = {
        {"two wide ids, one index (ReFS)", {1, 7, true, 1, {9}}, {1, 7, true, 1, {10}}, false},
        {"two wide volumes, one id (a clone)", {1, 7, true, 1, {9}}, {1, 7, true, 2, {9}}, false},
        {"only one side wide, the pairs agree", {1, 7, true, 1, {9}}, {1, 7, false, 0, {}}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(SameIdentity(c.a, c.b), c.same) << c.what;

    // Hard links and distinct files through the whole check: the copy and move tests.
    TempFolder temp;
    FileIdentity read;
    ASSERT_TRUE(ReadFileIdentity(temp.file(L"a.txt", "a"), read));
    EXPECT_TRUE(read.hasWideId) << "Windows 8 and later answer FileIdInfo, and so does Wine";
}

TEST(FileOps, TemporaryNamesBesideTheTargetSkipATakenOne) {
    TempFolder temp;
    const std::wstring head = L".torvanecommander_tmp_" + std::to_wstring(GetCurrentProcessId()) + L"_";
    // The name holds the tick: names for the next counter value are taken for the 100 ticks from
    // `start`, 300 ms ahead (time enough to make them), and the call is made once the clock is there.
    const DWORD start = GetTickCount() + 300, next = TempFileCounter + 1, folders = TempFolderCounter;
    auto taken = [&](DWORD tick) { return head + std::to_wstring(tick) + L"_" + std::to_wstring(next) + L".tmp"; };
    for (DWORD tick = start; tick < start + 100; ++tick) temp.file(taken(tick), "taken");
    while (GetTickCount() < start) Sleep(1);
    std::wstring path;
    DWORD error = 99, first = GetTickCount();
    FileHandle file = CreateTempFileNear(temp / L"report.txt", path, error);
    if (GetTickCount() >= start + 100) GTEST_SKIP() << "the clock left the span of taken names during the call";
    ASSERT_TRUE(file.valid() && error == 0) << error;
    EXPECT_EQ(TempFileCounter, next + 1);
    // Only a name beside the target, with the tick and the next counter value, could have collided.
    const std::wstring suffix = L"_" + std::to_wstring(next + 1) + L".tmp";
    EXPECT_EQ(path.substr(path.size() - suffix.size()), suffix) << path;
    EXPECT_EQ(readFileBytes(temp / taken(first)), "taken") << "what holds a taken name is left alone";
    EXPECT_EQ(TempFolderCounter, folders) << "the counters are independent";
    std::wstring folder;  // its name may meet a taken one too, when both counters stand alike
    ASSERT_TRUE(CreateTempFolderNear(temp / L"report.txt", folder, error) && error == 0);
    EXPECT_TRUE(FolderOfPath(folder) == temp.path() + L"\\" && (GetPathAttributes(folder) & FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
