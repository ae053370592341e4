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
#include "ui/pump.h"

namespace {

// One real scan: its records in pre-order with their sizes, the window's clock and frame kept alive
// meanwhile while a key waits for the operation that follows; then a link inside fails it.
TEST(Scan, RecordsComeInPreOrderWithSizesWhileTimersAreAnswered) {
    TempFolder temp;
    temp.file(L"tree\\a\\b\\y.txt", "hello");
    temp.file(L"tree\\z.txt", "1234567");
    temp.folder(L"tree\\a\\empty");
    std::vector<ScanRecord> records(3);
    uint64_t total = 99;
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr, nullptr, nullptr);
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(window, WM_TIMER, 1, 0);
    resetPump();
    ASSERT_TRUE(scanFolderTree(temp / L"tree\\", records, total));
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_TRUE(PeekMessageW(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    DestroyWindow(window);
    EXPECT_EQ(total, 12u);
    // Each record as "path:size" (folders with a trailing "\"), checked to come after its folder.
    std::set<std::wstring> seen;
    for (const ScanRecord& r : records) {
        std::wstring parent = r.relativePath.substr(0, r.relativePath.rfind(L'\\') + 1);
        EXPECT_TRUE(parent.empty() || seen.count(parent + L":0")) << r.relativePath << " comes before its folder";
        seen.insert(r.relativePath + (r.isFolder ? L"\\:" : L":") + std::to_wstring(r.size));
    }
    EXPECT_EQ(seen, (std::set<std::wstring>{L"a\\:0", L"a\\b\\:0", L"a\\b\\y.txt:5", L"a\\empty\\:0", L"z.txt:7"}));
    FolderLink link(temp / L"tree\\a\\b\\link", temp.folder(L"elsewhere"));
    ASSERT_TRUE(link.made());
    EXPECT_FALSE(scanFolderTree(temp / L"tree", records, total)) << "a link anywhere inside fails the scan";
}

// The limits at their boundaries, with small limits so the trees stay small, and searches that find
// nothing at all: some redirectors give an empty folder no "." and "..", so its search fails with 2,
// and the folder is empty; any other code, or a root that is no folder, fails the scan. Pre-order is
// certain where each folder holds at most one entry.
TEST(Scan, LimitsAndSearchesThatFindNothing) {
    // items: under the root, a trailing "\\" makes a folder, none: no root; search: the one that fails
    // with `code`, 1 the root's, 2 the next folder's
    const struct { const wchar_t* what; std::vector<const wchar_t*> items; bool passes; size_t records;
                   ScanLimits limits = {}; uint32_t search = 0; DWORD code = 0; } cases[] = {
        {L"records: as many as allowed", {L"a\\", L"a\\b\\", L"a\\b\\f"}, true, 3, {3, 128}},
        {L"records: one more", {L"a\\", L"a\\b\\", L"a\\b\\f"}, false, 0, {2, 128}},
        {L"records: the last allowed is an empty folder", {L"a\\", L"a\\b\\"}, true, 2, {2, 128}},
        {L"records: the last allowed is a folder with a file", {L"a\\", L"a\\b\\", L"a\\b\\f"}, false, 0, {2, 128}},
        {L"depth: files in the deepest allowed level", {L"a\\", L"a\\b\\", L"a\\b\\f"}, true, 3, {10, 2}},
        {L"depth: one level deeper", {L"a\\", L"a\\b\\", L"a\\b\\c\\"}, false, 0, {10, 2}},
        {L"an empty root", {L""}, true, 0},
        {L"nothing found below the root", {L"a\\", L"a\\f", L"z.txt"}, true, 2, {}, 2, ERROR_FILE_NOT_FOUND},
        {L"nothing found in the root", {L"a\\", L"a\\f", L"z.txt"}, true, 0, {}, 1, ERROR_FILE_NOT_FOUND},
        {L"nothing found, and no root", {}, false, 0, {}, 1, ERROR_FILE_NOT_FOUND},
        {L"another code", {L"a\\", L"a\\f", L"z.txt"}, false, 0, {}, 2, ERROR_PATH_NOT_FOUND},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        for (std::wstring item : c.items)
            item.empty() || item.back() == L'\\' ? temp.folder(L"root\\" + item) : temp.file(L"root\\" + item, "x");
        std::vector<ScanRecord> records;
        uint64_t total = 0;
        if (c.search) InjectFailure(FileCall::FindFirst, c.search, c.code);
        EXPECT_EQ(scanFolderTree(temp / L"root", records, total, c.limits), c.passes) << c.what;
        ClearInjectedFailures();
        EXPECT_TRUE(!c.passes || records.size() == c.records) << c.what;
    }
}

// A tree with a read-only folder; a\two.txt, when locked, is read-only, hidden and open without
// delete sharing.
TEST(DeleteTree, StrictStopsAndRestoresTolerantTriesEverything) {
    // neverCreated: the list names items that do not exist
    const struct { const char* what; bool tolerant, lock, neverCreated; DWORD code; bool rootGone; } cases[] = {
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
