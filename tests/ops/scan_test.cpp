// Tree scan and tree deletion on real folders: order and totals, the depth, size and link limits,
// and what strict and tolerant deletion leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/handles.h"
#include "fs/paths.h"
#include "ops/transfer.h"

namespace {

size_t indexOf(const std::vector<ScanRecord>& records, const std::wstring& relative) {
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].relativePath == relative) return i;
    return records.size();
}

void createEmptyFile(const std::wstring& path) {
    FileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
}

TEST(Scan, RecordsComeInPreOrderWithSizes) {
    TempFolder temp;
    temp.file(L"tree\\a\\x.txt", "abc");
    temp.file(L"tree\\a\\b\\y.txt", "hello");
    temp.file(L"tree\\z.txt", "1234567");
    temp.folder(L"tree\\a\\empty");
    std::vector<ScanRecord> records(3);
    uint64_t total = 99;
    ASSERT_TRUE(scanFolderTree(temp / L"tree\\", records, total));
    EXPECT_EQ(total, 15u);
    const struct {
        const wchar_t* path;
        bool folder;
        uint64_t size;
        const wchar_t* parent;
    } expected[] = {
        {L"a", true, 0, nullptr},           {L"a\\x.txt", false, 3, L"a"}, {L"a\\b", true, 0, L"a"},
        {L"a\\b\\y.txt", false, 5, L"a\\b"}, {L"a\\empty", true, 0, L"a"}, {L"z.txt", false, 7, nullptr},
    };
    ASSERT_EQ(records.size(), std::size(expected));
    for (const auto& e : expected) {
        size_t at = indexOf(records, e.path);
        ASSERT_LT(at, records.size()) << e.path;
        EXPECT_EQ(records[at].isFolder, e.folder) << e.path;
        EXPECT_EQ(records[at].size, e.size) << e.path;
        if (e.parent) {
            EXPECT_LT(indexOf(records, e.parent), at) << e.path << " comes after its folder";
        }
    }
}

TEST(Scan, EmptyAndMissingFolders) {
    TempFolder temp;
    std::vector<ScanRecord> records;
    uint64_t total = 5;
    EXPECT_TRUE(scanFolderTree(temp.folder(L"empty"), records, total));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(total, 0u);
    EXPECT_FALSE(scanFolderTree(temp / L"missing", records, total));
}

TEST(Scan, At128LevelsBelowTheRootAndNotBeyond) {
    // One-letter folders: 129 levels make a path of well over 260 characters.
    TempFolder temp;
    std::wstring path = temp.folder(L"root");
    for (int level = 1; level <= 128; ++level) {
        path += L"\\d";
        ASSERT_TRUE(CreateFolderPath(path)) << level;
    }
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    EXPECT_TRUE(scanFolderTree(temp / L"root", records, total));
    EXPECT_EQ(records.size(), 128u);
    ASSERT_TRUE(CreateFolderPath(path + L"\\d"));
    ASSERT_GT((path + L"\\d").size(), 260u);
    EXPECT_FALSE(scanFolderTree(temp / L"root", records, total));
}

TEST(Scan, ALinkAnywhereInsideFailsTheScan) {
    TempFolder temp;
    temp.file(L"tree\\a\\b\\file.txt", "x");
    temp.folder(L"elsewhere");
    FolderLink link(temp / L"tree\\a\\b\\link", temp / L"elsewhere");
    if (!link.made()) GTEST_SKIP() << "no folder links here";
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    EXPECT_FALSE(scanFolderTree(temp / L"tree", records, total)) << link.how();
}

TEST(Scan, TwoHundredThousandRecordsPassAndOneMoreFails) {
    // 1000 folders of 199 empty files: exactly 200,000 records.
    TempFolder temp;
    std::wstring root = temp.folder(L"big");
    auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < 1000; ++f) {
        std::wstring folder = root + L"\\f" + std::to_wstring(f);
        ASSERT_TRUE(CreateFolderPath(folder));
        for (int i = 0; i < 199; ++i) createEmptyFile(folder + L"\\" + std::to_wstring(i));
    }
    auto built = std::chrono::steady_clock::now();
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    EXPECT_TRUE(scanFolderTree(root, records, total));
    EXPECT_EQ(records.size(), kMaxScanRecords);
    auto scanned = std::chrono::steady_clock::now();

    createEmptyFile(root + L"\\one-more");
    std::vector<ScanRecord> over;
    EXPECT_FALSE(scanFolderTree(root, over, total));
    EXPECT_EQ(over.size(), kMaxScanRecords) << "stopped at the limit";

    // Clean up through the engine's own deletion, which is what a failed folder copy does.
    records.push_back(ScanRecord{L"one-more", false, 0});
    EXPECT_EQ(deleteTree(root, records, false), 0u);
    EXPECT_FALSE(pathExists(root));
    auto removed = std::chrono::steady_clock::now();
    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    std::printf("200,000 records: built in %lld ms, scanned in %lld ms, deleted in %lld ms\n",
                static_cast<long long>(duration_cast<milliseconds>(built - start).count()),
                static_cast<long long>(duration_cast<milliseconds>(scanned - built).count()),
                static_cast<long long>(duration_cast<milliseconds>(removed - scanned).count()));
}

// --- deletion ---

class DeleteTree : public testing::Test {
protected:
    void SetUp() override {
        root = temp.folder(L"tree");
        temp.file(L"tree\\a\\one.txt", "1");
        temp.file(L"tree\\a\\two.txt", "2");
        temp.file(L"tree\\a\\b\\three.txt", "3");
        temp.file(L"tree\\four.txt", "4");
        SetPathAttributes(root + L"\\a\\b", FILE_ATTRIBUTE_READONLY);
        uint64_t total = 0;
        ASSERT_TRUE(scanFolderTree(root, records, total));
    }
    // Holds a.two.txt open without delete sharing, read-only and hidden.
    FileHandle lockSurvivor() {
        SetPathAttributes(survivor(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        return FileHandle(CreateFileW(LongPath(survivor()).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    }
    std::wstring survivor() const { return root + L"\\a\\two.txt"; }

    TempFolder temp;
    std::wstring root;
    std::vector<ScanRecord> records;
};

TEST_F(DeleteTree, StrictRemovesEverythingIncludingReadOnlyItems) {
    EXPECT_EQ(deleteTree(root, records, false), 0u);
    EXPECT_FALSE(pathExists(root));
}

TEST_F(DeleteTree, StrictStopsAtALockedFileAndLeavesItsAttributes) {
    FileHandle lock = lockSurvivor();
    ASSERT_TRUE(lock.valid());
    DWORD before = GetPathAttributes(survivor());
    EXPECT_EQ(deleteTree(root, records, false), DWORD{ERROR_SHARING_VIOLATION});
    EXPECT_EQ(GetPathAttributes(survivor()), before) << "a surviving file keeps read-only and hidden";
    EXPECT_TRUE(pathExists(root));
    lock.close();
    SetPathAttributes(survivor(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DeleteTree, TolerantTriesEveryItemAndReportsTheFirstRealError) {
    FileHandle lock = lockSurvivor();
    ASSERT_TRUE(lock.valid());
    DWORD before = GetPathAttributes(survivor());
    EXPECT_EQ(deleteTree(root, records, true), DWORD{ERROR_SHARING_VIOLATION});
    for (const wchar_t* gone : {L"\\a\\one.txt", L"\\a\\b\\three.txt", L"\\four.txt", L"\\a\\b"})
        EXPECT_FALSE(pathExists(root + gone)) << "tried despite the earlier failure";
    EXPECT_EQ(GetPathAttributes(survivor()), before);
    lock.close();
    SetPathAttributes(survivor(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DeleteTree, TolerantIgnoresItemsThatWereNeverCreated) {
    // A folder copy that failed early: the list names files that do not exist.
    records.push_back(ScanRecord{L"a\\b\\never.txt", false, 0});
    records.push_back(ScanRecord{L"never\\folder", true, 0});
    EXPECT_EQ(deleteTree(root, records, true), 0u);
    EXPECT_FALSE(pathExists(root));
    EXPECT_NE(deleteTree(root, records, false), 0u) << "strict mode reports what is missing";
}

}  // namespace
