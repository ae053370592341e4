// Tree scan and tree deletion on real folders: order and totals, the depth, size and link limits,
// and what strict and tolerant deletion leave behind.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "common/links.h"
#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"
#include "ops/transfer.h"

namespace {

TEST(Scan, RecordsComeInPreOrderWithSizes) {
    TempFolder temp;
    temp.file(L"tree\\a\\b\\y.txt", "hello");
    temp.file(L"tree\\z.txt", "1234567");
    temp.folder(L"tree\\a\\empty");
    std::vector<ScanRecord> records(3);
    uint64_t total = 99;
    ASSERT_TRUE(scanFolderTree(temp / L"tree\\", records, total));
    EXPECT_EQ(total, 12u);
    // Each record as "path:size" (folders with a trailing "\"), checked to come after its folder.
    std::set<std::wstring> seen;
    for (const ScanRecord& r : records) {
        std::wstring parent = r.relativePath.substr(0, r.relativePath.rfind(L'\\') + 1);
        EXPECT_TRUE(parent.empty() || seen.count(parent + L":0")) << r.relativePath << " comes before its folder";
        seen.insert(r.relativePath + (r.isFolder ? L"\\:" : L":") + std::to_wstring(r.size));
    }
    EXPECT_EQ(seen, (std::set<std::wstring>{L"a\\:0", L"a\\b\\:0", L"a\\b\\y.txt:5", L"a\\empty\\:0", L"z.txt:7"}));
}

TEST(Scan, EmptyMissingAndLinkedFolders) {
    TempFolder temp;
    std::vector<ScanRecord> records;
    uint64_t total = 5;
    EXPECT_TRUE(scanFolderTree(temp.folder(L"empty"), records, total));
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(total, 0u);
    EXPECT_FALSE(scanFolderTree(temp / L"missing", records, total));

    temp.file(L"tree\\a\\b\\file.txt", "x");
    FolderLink link(temp / L"tree\\a\\b\\link", temp.folder(L"elsewhere"));
    ASSERT_TRUE(link.made());
    EXPECT_FALSE(scanFolderTree(temp / L"tree", records, total)) << "a link anywhere inside fails the scan";
}

TEST(Scan, At128LevelsBelowTheRootAndNotBeyond) {
    TempFolder temp;
    std::wstring path = temp.folder(L"root");
    for (int level = 1; level <= 128; ++level) ASSERT_TRUE(CreateFolderPath(path += L"\\d")) << level;
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    EXPECT_TRUE(scanFolderTree(temp / L"root", records, total));
    EXPECT_EQ(records.size(), 128u);
    ASSERT_TRUE(CreateFolderPath(path + L"\\d"));
    EXPECT_FALSE(scanFolderTree(temp / L"root", records, total));
}

TEST(Scan, TwoHundredThousandRecordsPassAndOneMoreFails) {
    // 1000 folders of 199 empty files: exactly 200,000 records.
    TempFolder temp;
    std::wstring root = temp.folder(L"big");
    for (int f = 0; f < 1000; ++f) {
        std::wstring folder = root + L"\\f" + std::to_wstring(f);
        ASSERT_TRUE(CreateFolderPath(folder));
        for (int i = 0; i < 199; ++i)
            FileHandle(CreateFileW(LongPath(folder + L"\\" + std::to_wstring(i)).c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_NEW, 0, nullptr));
    }
    std::vector<ScanRecord> records, over;
    uint64_t total = 0;
    EXPECT_TRUE(scanFolderTree(root, records, total));
    EXPECT_EQ(records.size(), kMaxScanRecords);
    temp.file(L"big\\one-more");
    EXPECT_FALSE(scanFolderTree(root, over, total));
    // Removed through the engine's own deletion, as a failed folder copy does.
    records.push_back(ScanRecord{L"one-more", false, 0});
    EXPECT_EQ(deleteTree(root, records, false), 0u);
    EXPECT_FALSE(pathExists(root));
}

// A tree with a read-only folder; a\two.txt, when locked, is read-only, hidden and open without
// delete sharing.
TEST(DeleteTree, StrictStopsAndRestoresTolerantTriesEverything) {
    const struct {
        const char* what;
        bool tolerant, lock, neverCreated;  // neverCreated: the list names items that do not exist
        DWORD code;
        bool rootGone;
    } cases[] = {
        {"strict", false, false, false, 0, true},
        {"strict, locked file", false, true, false, ERROR_SHARING_VIOLATION, false},
        {"strict, items never created", false, false, true, ERROR_FILE_NOT_FOUND, false},
        {"tolerant, locked file", true, true, false, ERROR_SHARING_VIOLATION, false},
        {"tolerant, items never created", true, false, true, 0, true},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        std::wstring root = temp.folder(L"tree"), survivor = temp.file(L"tree\\a\\two.txt", "2");
        for (const wchar_t* name : {L"tree\\a\\one.txt", L"tree\\a\\b\\three.txt", L"tree\\four.txt"}) temp.file(name);
        SetPathAttributes(root + L"\\a\\b", FILE_ATTRIBUTE_READONLY);
        std::vector<ScanRecord> records;
        uint64_t total = 0;
        ASSERT_TRUE(scanFolderTree(root, records, total));
        if (c.neverCreated) {
            records.push_back(ScanRecord{L"a\\b\\never.txt", false, 0});
            records.push_back(ScanRecord{L"never\\folder", true, 0});
        }
        if (c.lock) SetPathAttributes(survivor, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        DWORD before = GetPathAttributes(survivor);
        FileHandle lock(c.lock ? CreateFileW(LongPath(survivor).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr)
                               : INVALID_HANDLE_VALUE);
        EXPECT_EQ(deleteTree(root, records, c.tolerant), c.code) << c.what;
        EXPECT_EQ(pathExists(root), !c.rootGone) << c.what;
        EXPECT_TRUE(!c.lock || GetPathAttributes(survivor) == before) << c.what << ": the survivor keeps its attributes";
        for (const wchar_t* other : {L"\\a\\one.txt", L"\\a\\b\\three.txt", L"\\four.txt", L"\\a\\b"})
            EXPECT_TRUE(!c.tolerant || !pathExists(root + other)) << c.what << ": tried despite the failure";
    }
}

}  // namespace
