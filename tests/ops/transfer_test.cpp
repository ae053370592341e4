// The chunked transfer on real files under Wine. Every fault case asserts the promise: the target
// under its final name is the complete new file, the old file byte for byte, or absent, and no
// temporary item is left beside it.
#include <gtest/gtest.h>

#include <vector>

#include "app/state.h"
#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/handles.h"
#include "fs/paths.h"
#include "ops/progress.h"
#include "ops/transfer.h"

namespace {

constexpr size_t kMiB = 1048576;

std::string patternBytes(size_t size, char seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + (i >> 12));
    return bytes;
}

bool temporaryItemsIn(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(LongPath(WithTrailingSeparator(folder) + L".torvanecommander_tmp_*").c_str(), &data));
    return find.valid();
}

// A small window that receives the engine's synchronous repaints. It notes what each publish shows
// and, at the publish numbered `cancelAt` (1 = the first), sets the cancel flag as ESC would.
class PaintWatcher {
public:
    PaintWatcher() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TvPaintWatcher";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(WS_EX_NOACTIVATE, L"TvPaintWatcher", L"", WS_POPUP | WS_VISIBLE, 0, 0, 16, 16,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        settle();
        active = this;
    }
    ~PaintWatcher() {
        active = nullptr;
        if (window_) DestroyWindow(window_);
    }
    PaintWatcher(const PaintWatcher&) = delete;
    PaintWatcher& operator=(const PaintWatcher&) = delete;

    HWND window() const { return window_; }
    // Starts counting publishes from now.
    void arm(uint32_t cancelAt) {
        settle();
        cancelAt_ = cancelAt;
        base_ = progressRepaintCount;
        shown.clear();
    }
    uint32_t publishes() const { return progressRepaintCount - base_; }

    struct Shown {
        int32_t itemPercent, totalPercent;
    };
    std::vector<Shown> shown;  // one row per publish seen while painting

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        if (active) active->painted();
        return 0;
    }
    void painted() {
        uint32_t publish = publishes();
        if (publish == 0 || publish <= shown.size()) return;  // a repaint not caused by a publish
        shown.push_back({copyProgress.itemPercent, copyProgress.totalPercent});
        if (publish == cancelAt_) cancelRequested = true;
    }
    void settle() {
        if (window_) UpdateWindow(window_);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    static PaintWatcher* active;
    HWND window_ = nullptr;
    uint32_t cancelAt_ = 0;
    uint32_t base_ = 0;
};
PaintWatcher* PaintWatcher::active = nullptr;

class Transfer : public testing::Test {
protected:
    void SetUp() override { cancelRequested = false; }
    void TearDown() override { cancelRequested = false; }

    // The target is the new content, the old content, or absent when there was none.
    void expectKept(const std::wstring& target, DWORD code, const std::string& fresh, const std::string& old,
                    const std::string& what) {
        std::string now = readFileBytes(target);
        if (code == 0)
            EXPECT_TRUE(now == fresh) << what << ": a successful transfer leaves the complete new file";
        else
            EXPECT_TRUE(now == (old.empty() ? std::string("<missing>") : old)) << what << ": code " << code;
        EXPECT_FALSE(temporaryItemsIn(FolderOfPath(target))) << what;
    }

    TempFolder temp;
};

TEST_F(Transfer, CancelAtEveryCancellationPoint) {
    // 3.5 MiB: publishes at the start, after each of the four chunks, and at the end. A flag set
    // while publish k is painted is seen at the next cancellation point: k = 1 before the first read,
    // k = 2..5 after chunk k - 1; k = 6 comes after the rename and can no longer stop anything.
    const std::string fresh = patternBytes(3 * kMiB + kMiB / 2, 'n');
    std::wstring source = temp.file(L"source.bin", fresh);
    PaintWatcher watcher;
    for (bool withOld : {false, true}) {
        for (uint32_t cancelAt = 1; cancelAt <= 6; ++cancelAt) {
            std::string what = (withOld ? "over an old file, publish " : "new target, publish ") +
                               std::to_string(cancelAt);
            std::wstring target = temp / L"target.bin";
            removeTree(target);
            const std::string old = withOld ? patternBytes(5000, 'o') : std::string();
            if (withOld) temp.file(L"target.bin", old);
            cancelRequested = false;
            watcher.arm(cancelAt);
            DWORD code = copyFileChunked(watcher.window(), source, target, L"source.bin", withOld, false, 0, 0);
            EXPECT_EQ(code, cancelAt <= 5 ? DWORD{ERROR_CANCELLED} : 0u) << what;
            EXPECT_EQ(watcher.publishes(), cancelAt) << what << ": stopped before the next chunk";
            expectKept(target, code, fresh, old, what);
        }
    }
}

TEST_F(Transfer, ProgressShownPerPublish) {
    const std::string fresh = patternBytes(3 * kMiB + kMiB / 2, 'p');
    std::wstring source = temp.file(L"source.bin", fresh);
    std::wstring empty = temp.file(L"empty.bin");
    PaintWatcher watcher;
    watcher.arm(0);
    uint64_t copied = 0;
    ASSERT_EQ(copyFileChunked(watcher.window(), source, temp / L"a.bin", L"a", false, true, 100, 0, &copied), 0u);
    EXPECT_EQ(copied, fresh.size());
    ASSERT_EQ(watcher.shown.size(), 6u);
    const int32_t items[] = {0, 28, 57, 85, 100, 100};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(watcher.shown[i].itemPercent, items[i]) << i;
        EXPECT_EQ(watcher.shown[i].totalPercent, 100) << i << ": a total of 0 shows 100%";
    }
    EXPECT_EQ(copyProgress.totalDone, 100 + fresh.size());

    watcher.arm(0);
    ASSERT_EQ(copyFileChunked(watcher.window(), empty, temp / L"b.bin", L"b", false, false, 0, 0), 0u);
    ASSERT_EQ(watcher.shown.size(), 2u);
    EXPECT_EQ(watcher.shown[0].itemPercent, 100) << "an empty file shows 100% from its first repaint";
    EXPECT_EQ(readFileBytes(temp / L"b.bin"), "");
}

// One fault scene: the files it starts with and what may hold them.
struct Scene {
    std::wstring source, target;
    std::string fresh;  // the source's content
    std::string old;    // the target's content before, empty when there is none
    FileHandle holder;  // another handle kept open during the transfer
};

using Setup = void (*)(const TempFolder& temp, Scene& scene);

struct FaultCase {
    const char* what;
    Setup setup;
    bool overwrite;
    DWORD codes[2];  // accepted results: Windows' answer first, then Wine's where it differs
};

void plainScene(const TempFolder& temp, Scene& scene, const char* old = nullptr) {
    scene.fresh = patternBytes(2 * kMiB + 10, 's');
    scene.source = temp.file(L"source.bin", scene.fresh);
    temp.folder(L"out");
    scene.target = temp / L"out\\target.bin";
    if (old) scene.old = old;
    if (old) temp.file(L"out\\target.bin", old);
}

const FaultCase kFaults[] = {
    {"existing target without overwrite",
     [](const TempFolder& temp, Scene& scene) { plainScene(temp, scene, "old contents"); },
     false, {ERROR_FILE_EXISTS, ERROR_FILE_EXISTS}},
    // Windows refuses to replace a read-only file (5); Wine replaces it.
    {"read-only target with overwrite",
     [](const TempFolder& temp, Scene& scene) {
         plainScene(temp, scene, "read-only contents");
         SetFileAttributesW(LongPath(scene.target).c_str(), FILE_ATTRIBUTE_READONLY);
     },
     true, {ERROR_ACCESS_DENIED, 0}},
    {"read-only target without overwrite",
     [](const TempFolder& temp, Scene& scene) {
         plainScene(temp, scene, "read-only contents");
         SetFileAttributesW(LongPath(scene.target).c_str(), FILE_ATTRIBUTE_READONLY);
     },
     false, {ERROR_FILE_EXISTS, ERROR_FILE_EXISTS}},
    {"source held open unshared by another handle",
     [](const TempFolder& temp, Scene& scene) {
         plainScene(temp, scene, "old contents");
         scene.holder = FileHandle(
             CreateFileW(LongPath(scene.source).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
     },
     true, {ERROR_SHARING_VIOLATION, ERROR_SHARING_VIOLATION}},
    // Wine does not enforce folder ACLs, so the unwritable folder is one that cannot hold files:
    // a file in its place (3 under Wine, 267 on Windows), or a folder that has vanished.
    {"target folder is a file",
     [](const TempFolder& temp, Scene& scene) {
         plainScene(temp, scene);
         scene.target = temp.file(L"not-a-folder", "x") + L"\\target.bin";
     },
     false, {ERROR_DIRECTORY, ERROR_PATH_NOT_FOUND}},
    {"target folder vanished",
     [](const TempFolder& temp, Scene& scene) {
         plainScene(temp, scene);
         scene.target = temp / L"gone\\target.bin";
     },
     false, {ERROR_PATH_NOT_FOUND, ERROR_PATH_NOT_FOUND}},
    {"target path longer than 260 characters",
     [](const TempFolder& temp, Scene& scene) {
         plainScene(temp, scene);
         std::wstring deep = L"out";
         while (temp.path().size() + deep.size() < 280) deep += L"\\a_long_folder_name";
         temp.folder(deep);
         scene.old = "old deep contents";
         scene.target = temp.file(deep + L"\\target.bin", scene.old);
     },
     true, {0, 0}},
    {"names outside the basic plane",
     [](const TempFolder& temp, Scene& scene) {
         scene.fresh = patternBytes(kMiB + 1, 'u');
         scene.source = temp.file(L"\U0001D11E clef \U0001F600.bin", scene.fresh);
         temp.folder(L"out \U00010348");
         scene.target = temp / L"out \U00010348\\\U0001F4C1 copy.bin";
     },
     false, {0, 0}},
};

TEST_F(Transfer, FaultsLeaveTheOldTargetOrTheNewOneAndNoTemporaryFile) {
    for (const FaultCase& c : kFaults) {
        TempFolder folder;
        Scene scene;
        c.setup(folder, scene);
        DWORD code = copyFileChunked(nullptr, scene.source, scene.target, L"source", c.overwrite, false, 0, 0);
        EXPECT_TRUE(code == c.codes[0] || code == c.codes[1]) << c.what << ": code " << code;
        scene.holder.close();
        expectKept(scene.target, code, scene.fresh, scene.old, c.what);
        if (code == 0) {
            DWORD marks = FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
            EXPECT_EQ(GetPathAttributes(scene.target) & marks, 0u) << c.what;
        }
        SetPathAttributes(scene.target, FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(Transfer, TimesAndAttributesTravelWithTheCopy) {
    std::wstring source = temp.file(L"empty.txt");
    const DWORD wanted = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    {
        FileHandle file(CreateFileW(LongPath(source).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr));
        FILETIME when = {0x12345678, 0x01D00000};
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &when));
    }
    ASSERT_TRUE(SetPathAttributes(source, wanted));
    DWORD kept = GetPathAttributes(source) & wanted;  // what this file system keeps of them
    EXPECT_TRUE(kept & FILE_ATTRIBUTE_READONLY);

    std::wstring target = temp / L"copy.txt";
    ASSERT_EQ(copyFileChunked(nullptr, source, target, L"empty.txt", false, false, 0, 0), 0u);
    EXPECT_EQ(readFileBytes(target), "");
    EXPECT_EQ(GetPathAttributes(target) & wanted, kept);
    WIN32_FILE_ATTRIBUTE_DATA a = {}, b = {};
    GetFileAttributesExW(LongPath(source).c_str(), GetFileExInfoStandard, &a);
    GetFileAttributesExW(LongPath(target).c_str(), GetFileExInfoStandard, &b);
    EXPECT_EQ(CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime), 0);
    SetPathAttributes(source, FILE_ATTRIBUTE_NORMAL);
    SetPathAttributes(target, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Transfer, CopyForMoveNeverOverwritesAndIgnoresTheCancelFlag) {
    const std::string fresh = patternBytes(2 * kMiB + 3, 'm');
    std::wstring source = temp.file(L"source.bin", fresh);
    std::wstring existing = temp.file(L"existing.bin", "keep me");

    cancelRequested = true;  // ESC in a folder move only changes the status line
    uint64_t copied = 0;
    EXPECT_EQ(copyFileForMove(nullptr, source, temp / L"moved.bin", L"moved", 1000, 1000 + fresh.size(), &copied), 0u);
    EXPECT_EQ(readFileBytes(temp / L"moved.bin"), fresh);
    EXPECT_EQ(copied, fresh.size());
    EXPECT_EQ(moveProgress.totalDone, 1000 + fresh.size());
    EXPECT_EQ(moveProgress.totalPercent, 100);

    EXPECT_EQ(copyFileForMove(nullptr, source, existing, L"existing", 0, 0, &copied), DWORD{ERROR_FILE_EXISTS});
    EXPECT_EQ(copied, 0u);
    EXPECT_EQ(readFileBytes(existing), "keep me");
    EXPECT_FALSE(temporaryItemsIn(temp.path()));
}

TEST_F(Transfer, CrossVolumeMemberDeletesTheSourceOnlyWhenTheTargetIsComplete) {
    const ChunkedTransfer crossVolume = {&moveProgress, false, false, true, true};
    const std::string fresh = patternBytes(kMiB + 5, 'v');
    std::wstring source = temp.file(L"a.bin", fresh);
    ASSERT_TRUE(SetPathAttributes(source, FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(transferFileChunked(nullptr, source, temp / L"b.bin", L"a.bin", crossVolume, 0, 0, nullptr), 0u);
    EXPECT_FALSE(pathExists(source));
    EXPECT_EQ(readFileBytes(temp / L"b.bin"), fresh);
    EXPECT_TRUE(GetPathAttributes(temp / L"b.bin") & FILE_ATTRIBUTE_READONLY) << "arrives read-only";

    // The source cannot be deleted: the target stays complete, the source keeps its attributes.
    source = temp.file(L"c.bin", fresh);
    ASSERT_TRUE(SetPathAttributes(source, FILE_ATTRIBUTE_READONLY));
    FileHandle reader(CreateFileW(LongPath(source).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    ASSERT_TRUE(reader.valid());
    EXPECT_EQ(transferFileChunked(nullptr, source, temp / L"d.bin", L"c.bin", crossVolume, 0, 0, nullptr),
              DWORD{ERROR_SHARING_VIOLATION});
    reader.close();
    EXPECT_EQ(readFileBytes(temp / L"d.bin"), fresh);
    EXPECT_EQ(readFileBytes(source), fresh);
    EXPECT_TRUE(GetPathAttributes(source) & FILE_ATTRIBUTE_READONLY) << "its attributes come back";
    for (const wchar_t* name : {L"b.bin", L"c.bin", L"d.bin"}) SetPathAttributes(temp / name, FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Transfer, ALargeFileRepaintsAtMost103Times) {
    // 150 chunks: one repaint per whole percent, plus the start and the end.
    std::wstring source = temp / L"large.bin";
    {
        FileHandle file(CreateFileW(LongPath(source).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        LARGE_INTEGER size;
        size.QuadPart = 150 * static_cast<LONGLONG>(kMiB);
        ASSERT_TRUE(SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }
    uint32_t before = progressRepaintCount;
    ASSERT_EQ(copyFileChunked(nullptr, source, temp / L"copy.bin", L"large.bin", false, true, 0, 0), 0u);
    uint32_t repaints = progressRepaintCount - before;
    EXPECT_LE(repaints, 103u);
    EXPECT_GE(repaints, 101u);
}

}  // namespace
