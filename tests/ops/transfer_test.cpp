// The chunked transfer on real files under Wine. Every fault row asserts the promise: the target
// under its final name is the complete new file, the old file byte for byte, or absent, and no
// temporary item is left beside it.
#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "fs/file_ops.h"
#include "fs/paths.h"
#include "ops/progress.h"
#include "ops/transfer.h"
#include "ui/state.h"

namespace {

constexpr size_t kMiB = 1048576;

std::string patternBytes(size_t size, char seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 7 + (i >> 12));
    return bytes;
}

// A window that receives the engine's synchronous repaints; while frame number `cancelAt` (1 = the
// first since `publishBase`) is painted, it sets the cancel flag as ESC would.
uint32_t publishBase = 0, cancelAt = 0;

LRESULT CALLBACK cancellingPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    ValidateRect(window, nullptr);
    if (cancelAt != 0 && progressRepaintCount - publishBase == cancelAt) cancelRequested = true;
    return 0;
}

HWND paintWindow() {
    static HWND window = [] {
        WNDCLASSW windowClass = {0, cancellingPaint, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr,
                                 nullptr, L"TvCancellingPaint"};
        RegisterClassW(&windowClass);
        return CreateWindowExW(WS_EX_NOACTIVATE, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 16,
                               16, nullptr, nullptr, windowClass.hInstance, nullptr);
    }();
    return window;
}

enum Member { Copy, CopyOver, ForMove, CrossVolume };
enum Twist {
    Plain, ReadOnlyTarget, LockedSource, ReadOnlyHiddenSource, FolderIsAFile, CancelFlagSet, Reads1000, Reads65535
};

DWORD transfer(Member member, HWND window, const std::wstring& source, const std::wstring& target) {
    const ChunkedTransfer crossVolume = {&moveProgress, false, false, true, true};
    if (member == CrossVolume) return transferFileChunked(window, source, target, L"x", crossVolume, 0, 0, nullptr);
    if (member == ForMove) return copyFileForMove(window, source, target, L"x", 0, 0);
    return copyFileChunked(window, source, target, L"x", member == CopyOver, false, 0, 0);
}

// The promise after a transfer that returned `code`: no temporary item beside the target; on success
// the new file with the source's attributes and times (`was`) and, after a move, no source; on failure
// the target as `failed` and the source whole with its attributes.
void expectPromise(const std::string& what, DWORD code, Member member, const std::wstring& source,
                   const WIN32_FILE_ATTRIBUTE_DATA& was, const std::string& fresh, const std::wstring& target,
                   const std::string& failed) {
    EXPECT_TRUE(readFileBytes(target) == (code == 0 ? fresh : failed)) << what << ": code " << code;
    EXPECT_TRUE(readFileBytes(source) == (code == 0 && member == CrossVolume ? "<missing>" : fresh)) << what;
    WIN32_FILE_ATTRIBUTE_DATA now = {};
    GetFileAttributesExW(LongPath(code == 0 ? target : source).c_str(), GetFileExInfoStandard, &now);
    EXPECT_EQ(now.dwFileAttributes, was.dwFileAttributes) << what << (code == 0 ? ": target" : ": source");
    EXPECT_TRUE(CompareFileTime(&now.ftLastWriteTime, &was.ftLastWriteTime) == 0) << what;
    EXPECT_FALSE(hasTemporaryItem(FolderOfPath(target))) << what << ": temporary left";
}

struct FaultCase {
    const char* what;
    size_t size;         // of the source
    const char* old;     // the target's content before; nullptr: no target
    std::wstring source, target;  // relative to the test folder
    Twist twist;
    Member member;
    uint32_t cancelAt;  // 0: no cancellation
    DWORD codes[2];     // accepted results: Windows' answer first, then Wine's where it differs
};

constexpr size_t k4Chunks = 3 * kMiB + kMiB / 2;  // publishes at the start, after each chunk and after the rename
const std::wstring kSrc = L"source.bin", kOut = L"out\\target.bin";
const std::wstring kDeep = L"out\\" + std::wstring(130, L'y') + L"\\" + std::wstring(130, L'z') + L"\\target.bin";

// A flag set while publish k is painted is seen at the next cancellation point; k = 6 comes after the
// rename and can no longer stop anything. ESC in a folder move only changes the status line. Windows
// refuses to replace a read-only file; Wine replaces it. Wine ignores folder ACLs; what it can produce
// is a folder that cannot hold files. Times and attributes travel; the temporary file's marks do not.
// Sizes off the piece and chunk boundaries, and short reads as from a share or a pipe, arrive byte for
// byte. Codes: 1223 cancelled, 183 target exists (the rename refuses it), 5 access denied, 32 sharing
// violation, 267 and 3 no folder.
const FaultCase kFaults[] = {
    {"cancel before the first read", k4Chunks, "old", kSrc, kOut, Plain, CopyOver, 1, {1223, 1223}},
    {"cancel after the last chunk", k4Chunks, "old", kSrc, kOut, Plain, CopyOver, 5, {1223, 1223}},
    {"cancel after the rename", k4Chunks, "old", kSrc, kOut, Plain, CopyOver, 6, {0, 0}},
    {"cancel without an old target", k4Chunks, nullptr, kSrc, kOut, Plain, Copy, 3, {1223, 1223}},
    {"copy for a move ignores the cancel flag", 2 * kMiB, nullptr, kSrc, kOut, CancelFlagSet, ForMove, 0, {0, 0}},
    {"copy for a move never overwrites", kMiB, "old", kSrc, kOut, Plain, ForMove, 0, {183, 183}},
    {"read-only target with overwrite", 2 * kMiB, "old", kSrc, kOut, ReadOnlyTarget, CopyOver, 0, {5, 0}},
    {"source held open unshared", kMiB, "old", kSrc, kOut, LockedSource, CopyOver, 0, {32, 32}},
    {"target folder is a file", kMiB, nullptr, kSrc, kOut, FolderIsAFile, Copy, 0, {267, 3}},
    {"target path over 260 characters", kMiB + 7, "old", kSrc, kDeep, Plain, CopyOver, 0, {0, 0}},
    {"names outside the basic plane", kMiB + 1, nullptr, L"\U0001D11E clef \U0001F600.bin",
     L"out \U00010348\\\U0001F4C1 copy.bin", Plain, Copy, 0, {0, 0}},
    {"empty read-only hidden source", 0, nullptr, kSrc, kOut, ReadOnlyHiddenSource, Copy, 0, {0, 0}},
    {"1,000,000 bytes", 1000000, nullptr, kSrc, kOut, Plain, Copy, 0, {0, 0}},
    {"2 MiB - 1 bytes", 2 * kMiB - 1, "old", kSrc, kOut, Plain, CopyOver, 0, {0, 0}},
    {"short reads of 1000 bytes", 2 * kMiB + 5, nullptr, kSrc, kOut, Reads1000, ForMove, 0, {0, 0}},
    {"short reads of 65535 bytes", 2 * kMiB, nullptr, kSrc, kOut, Reads65535, Copy, 0, {0, 0}},
};

TEST(Transfer, FaultsLeaveTheNewFileTheOldFileOrNothing) {
    frameIntervalMs = 0;  // every publish painted, so a cancellation lands on a known point
    for (const FaultCase& c : kFaults) {
        TempFolder temp;
        cancelRequested = c.twist == CancelFlagSet;
        const std::string fresh = patternBytes(c.size, 's'), old = c.old ? c.old : "<missing>";
        std::wstring source = temp.file(c.source, fresh), target = temp / c.target;
        std::wstring folder = c.target.substr(0, c.target.rfind(L'\\'));
        c.twist == FolderIsAFile ? temp.file(folder, "x") : temp.folder(folder);
        if (c.old) temp.file(c.target, c.old);
        if (c.twist == ReadOnlyTarget) SetPathAttributes(target, FILE_ATTRIBUTE_READONLY);
        if (c.twist == ReadOnlyHiddenSource) SetPathAttributes(source, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        FileHandle holder(c.twist != LockedSource ? INVALID_HANDLE_VALUE
                          : CreateFileW(LongPath(source).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        WIN32_FILE_ATTRIBUTE_DATA was = {};
        GetFileAttributesExW(LongPath(source).c_str(), GetFileExInfoStandard, &was);
        publishBase = progressRepaintCount;
        cancelAt = c.cancelAt;
        InjectShortReads(c.twist == Reads1000 ? 1000 : (c.twist == Reads65535 ? 65535 : 0));
        DWORD code = transfer(c.member, paintWindow(), source, target);
        ClearInjectedFailures();
        holder.close();
        EXPECT_TRUE(code == c.codes[0] || code == c.codes[1]) << c.what << ": code " << code;
        EXPECT_TRUE(!c.cancelAt || progressRepaintCount - publishBase == c.cancelAt) << c.what << ": went on";
        expectPromise(c.what, code, c.member, source, was, fresh, target, old);
    }
    cancelRequested = false;
    cancelAt = 0;
    frameIntervalMs = 16;
}

// Each member moves a read-only, hidden source once cleanly (n = 0), counting its file calls, then
// once for every one of them with that call failing. Only a failed attribute read is harmless: the
// source's attributes then come from its open handle, and a failed existence test leaves the refusal
// to the rename, which replaces nothing without leave. A failure once the target is complete under
// its name (its attributes, the identity and change checks and deletion of a move's source) leaves it so.
TEST(Transfer, EveryFailingFileCallKeepsThePromise) {
    const std::string fresh = patternBytes(kMiB + 70000, 'f');
    for (Member member : {Copy, CopyOver, ForMove, CrossVolume}) {
        uint32_t clean[static_cast<int>(FileCall::Count)] = {};
        for (int kind = 0; kind < static_cast<int>(FileCall::Count); ++kind) {
            for (uint32_t n = kind == 0 ? 0 : 1; n <= clean[kind]; ++n) {
                const FileCall call = static_cast<FileCall>(kind);
                TempFolder temp;
                std::wstring source = temp.file(L"source.bin", fresh), target = temp.folder(L"out") + L"\\t.bin";
                if (member == CopyOver) temp.file(L"out\\t.bin", "old");
                SetPathAttributes(source, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
                WIN32_FILE_ATTRIBUTE_DATA was = {};
                GetFileAttributesExW(LongPath(source).c_str(), GetFileExInfoStandard, &was);
                ClearInjectedFailures();
                if (n > 0) InjectFailure(call, n, ERROR_DISK_FULL);
                DWORD code = transfer(member, nullptr, source, target);
                for (int k = 0; n == 0 && k < static_cast<int>(FileCall::Count); ++k)
                    clean[k] = FileCallCount(static_cast<FileCall>(k));
                ClearInjectedFailures();
                std::string what = std::to_string(member) + " " + FileCallName(call) + " #" + std::to_string(n);
                EXPECT_EQ(code, n == 0 || call == FileCall::GetAttributes ? 0u : 112u) << what;
                bool late = call == FileCall::SetAttributes || call == FileCall::DeleteFile ||
                            call == FileCall::Identity || call == FileCall::ItemFacts;
                expectPromise(what, code, member, source, was, fresh, target,
                              late ? fresh : (member == CopyOver ? "old" : "<missing>"));
            }
        }
    }
}

}  // namespace
