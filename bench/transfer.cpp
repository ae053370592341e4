// Throughput of the safe transfer against the system copy with the same durability.
//   1. One 1 GiB file: copyFileChunked against CopyFileExW followed by FlushFileBuffers of the target.
//      Target: ratio (chunked / system throughput) at least 0.9.
//      The same copy through F5 with the program's window: at least 0.95 of CopyFileExW+flush.
//   2. 10,000 files of 4 KiB in one folder: scanFolderTree plus copyFileChunked per file against
//      CopyFileExW per file (target: time ratio at most 1.2), and against CopyFileExW followed by
//      FlushFileBuffers per file, which is the same durability as the chunked copy; then the cost of
//      the calls that make the difference. The same files marked and copied with F5 through the
//      program's window and progress box: at most 1.1 times the engine alone ("small-marked" runs
//      only these two).
// Each figure is the median of several runs (the 1 GiB copies after a warm-up); the two methods take turns going first, so
// the cache and the write-back treat them alike. With TORVANE_BENCH_SHORT set (scripts/bench.sh --short)
// there are fewer runs: three of each 1 GiB copy and one round of the small files.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/window.h"
#include "bench_common.h"
#include "fs/file_ops.h"
#include "fs/handles.h"
#include "fs/paths.h"
#include "ops/copy.h"
#include "ops/transfer.h"
#include "panels/panels.h"
#include "ui/pump.h"
#include "ui/state.h"

namespace {

constexpr uint64_t kBigSize = uint64_t{1} << 30;
constexpr int kSmallCount = 10000;
constexpr DWORD kSmallSize = 4096;
const bool kShort = GetEnvironmentVariableW(L"TORVANE_BENCH_SHORT", nullptr, 0) > 0;
const int kRuns = kShort ? 3 : 7;       // the 1 GiB copies
constexpr DWORD kSettle = 6000;         // ms before each 1 GiB copy
const int kSmallRuns = kShort ? 1 : 3;  // the 10,000-file copies

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool writeFile(const std::wstring& path, uint64_t size, char seed) {
    FileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.valid()) return false;
    std::vector<char> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(seed + i * 31 + (i >> 9));
    for (uint64_t done = 0; done < size;) {
        DWORD part = static_cast<DWORD>(std::min<uint64_t>(block.size(), size - done));
        DWORD wrote = 0;
        if (!WriteFile(file.get(), block.data(), part, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    // Written back now, so the timed copies do not compete with the source's own write-back.
    return FlushFileBuffers(file.get()) != 0;
}

void removeFile(const std::wstring& path) {
    SetPathAttributes(path, FILE_ATTRIBUTE_NORMAL);
    DeleteFilePath(path);
}

// CopyFileExW, then the flush that the chunked copy does before its rename.
bool systemCopyDurable(const std::wstring& source, const std::wstring& target) {
    if (!CopyFileExW(LongPath(source).c_str(), LongPath(target).c_str(), nullptr, nullptr, nullptr, 0)) return false;
    FileHandle file(CreateFileW(LongPath(target).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.valid() && FlushFileBuffers(file.get());
}

// The program's own window, shown, as F5 paints into it.
HWND programWindow() {
    static HWND window = [] {
        HWND made = createMainWindow(GetModuleHandleW(nullptr));
        if (made) {
            ShowWindow(made, SW_SHOW);
            UpdateWindow(made);
        }
        return made;
    }();
    return window;
}

// The left panel on `source` with the cursor on `name` (or every file marked when it is empty), the
// right one on `target`, as the user would have them before pressing F5.
void showPanels(const std::wstring& source, const std::wstring& target, const std::wstring& name) {
    programWindow();  // its start-up sets the panels, so it comes first
    leftPanel.path = source;
    rightPanel.path = target;
    leftPanelActive = true;
    loadListing(leftPanel);
    loadListing(rightPanel);
    leftPanel.marked.clear();
    if (name.empty()) {
        for (const DirEntry& entry : leftPanel.entries)
            if (!isParentEntry(entry)) leftPanel.marked.push_back(entry.name);
    }
    selectEntryByName(leftPanel, name);
    screenMode = ScreenMode::MainView;
}

// F5 as the key handler runs it; true when it reported success.
bool pressF5() {
    beginCopy(programWindow());
    return screenMode == ScreenMode::MainView && leftPanel.marked.empty();
}

void bigFile(const std::wstring& folder) {
    std::wstring source = folder + L"\\big.bin", target = folder + L"\\big-copy.bin";
    if (!writeFile(source, kBigSize, 'b')) {
        std::printf("cannot write the 1 GiB source\n");
        return;
    }
    // Each copy starts once the file system has let go of the copy deleted before it: here ext4 is
    // mounted with discard, and the deleted GiB is discarded at the next journal commit (every 5 s),
    // which slows whichever copy runs then.
    auto timeChunked = [&]() {
        Sleep(kSettle);
        Clock::time_point start = Clock::now();
        DWORD code = copyFileChunked(nullptr, source, target, L"big.bin", false, false, 0, 0);
        double seconds = secondsSince(start);
        removeFile(target);
        if (code != 0) std::printf("copyFileChunked failed: %lu\n", static_cast<unsigned long>(code));
        return seconds;
    };
    auto timeSystem = [&]() {
        Sleep(kSettle);
        Clock::time_point start = Clock::now();
        bool ok = systemCopyDurable(source, target);
        double seconds = secondsSince(start);
        removeFile(target);
        if (!ok) std::printf("CopyFileExW failed: %lu\n", static_cast<unsigned long>(GetLastError()));
        return seconds;
    };
    std::wstring f5Folder = folder + L"\\f5";
    uint32_t f5Frames = 0;  // painted by the last copy through F5
    CreateFolderPath(f5Folder);
    auto timeF5 = [&]() {
        Sleep(kSettle);
        showPanels(folder, f5Folder, L"big.bin");
        uint32_t frames = progressRepaintCount;
        Clock::time_point start = Clock::now();
        bool ok = pressF5();
        double seconds = secondsSince(start);
        f5Frames = progressRepaintCount - frames;
        removeFile(f5Folder + L"\\big.bin");
        if (!ok) std::printf("F5 failed: %ls\n", statusLine.c_str());
        return seconds;
    };
    timeChunked();  // warm-up: the source in the cache for all
    timeSystem();
    std::vector<double> chunked, system, f5;
    for (int run = 0; run < kRuns; ++run) {
        if (run % 2 == 0) {
            chunked.push_back(timeChunked());
            system.push_back(timeSystem());
            f5.push_back(timeF5());
        } else {
            f5.push_back(timeF5());
            system.push_back(timeSystem());
            chunked.push_back(timeChunked());
        }
    }
    removeFile(source);
    RemoveFolderPath(f5Folder);
    double mib = static_cast<double>(kBigSize) / 1048576.0;
    double a = mib / median(chunked), b = mib / median(system), c = mib / median(f5);
    for (int run = 0; run < kRuns; ++run)
        std::printf("  run %d: chunked %.2f s, system %.2f s, F5 %.2f s\n", run, chunked[run], system[run], f5[run]);
    std::printf("1 GiB file: copyFileChunked %.0f MiB/s, CopyFileExW+flush %.0f MiB/s, ratio %.2f (target >= 0.90)\n",
                a, b, a / b);
    std::printf("  through F5 with the window %.0f MiB/s (%u frames painted), ratio against CopyFileExW+flush %.2f "
                "(target >= 0.95), against copyFileChunked %.2f\n",
                c, f5Frames, c / b, c / a);
    tableRow(cell("copy of 1 GiB, copyFileChunked (median of %d)", kRuns), cell("%.0f MiB/s", a),
             cell("CopyFileExW+flush %.0f MiB/s", b), cell("%.2f", a / b), ">= 0.90", a / b >= 0.90);
    tableRow("copy of 1 GiB with F5 through the window", cell("%.0f MiB/s", c), cell("CopyFileExW+flush %.0f MiB/s", b),
             cell("%.2f", c / b), ">= 0.95", c / b >= 0.95);
}

// Removes every file of a flat folder, then the folder.
void removeFlatFolder(const std::wstring& folder) {
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    scanFolderTree(folder, records, total);
    deleteTree(folder, records, true);
}

// Where a small file's time goes: the calls that look up a name which is not there yet, in the full
// folder of 10,000 files, and the flush of a new 4 KiB file. CopyFileExW makes one such lookup per
// file; the safe copy makes three (the existence test, the temporary file, the rename) and a flush.
void lookupCosts(const std::wstring& folder) {
    constexpr int kCalls = 200;
    auto perCall = [](Clock::time_point start) { return secondsSince(start) * 1000.0 / kCalls; };
    auto name = [&](const wchar_t* stem, int i) { return LongPath(folder + L"\\" + stem + std::to_wstring(i)); };
    char data[kSmallSize] = {};

    Clock::time_point start = Clock::now();
    for (int i = 0; i < kCalls; ++i) GetFileAttributesW(name(L"absent", i).c_str());
    double probe = perCall(start);

    start = Clock::now();
    for (int i = 0; i < kCalls; ++i) {
        FileHandle file(CreateFileW(name(L"new", i).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        DWORD wrote = 0;
        if (file.valid()) WriteFile(file.get(), data, kSmallSize, &wrote, nullptr);
    }
    double create = perCall(start);

    start = Clock::now();
    for (int i = 0; i < kCalls; ++i) {
        FileHandle file(CreateFileW(name(L"new", i).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        if (file.valid()) FlushFileBuffers(file.get());
    }
    double flush = perCall(start);

    start = Clock::now();
    for (int i = 0; i < kCalls; ++i)
        MoveFileExW(name(L"new", i).c_str(), name(L"renamed", i).c_str(), MOVEFILE_WRITE_THROUGH);
    double rename = perCall(start);

    start = Clock::now();
    for (int i = 0; i < kCalls; ++i)
        CopyFileExW(name(L"renamed", i).c_str(), name(L"copied", i).c_str(), nullptr, nullptr, nullptr,
                    COPY_FILE_FAIL_IF_EXISTS);
    double copy = perCall(start);

    for (int i = 0; i < kCalls; ++i) {
        removeFile(folder + L"\\renamed" + std::to_wstring(i));
        removeFile(folder + L"\\copied" + std::to_wstring(i));
    }
    std::printf("  per call in a folder of %d files: attributes of an absent name %.2f ms, CREATE_NEW %.2f ms, "
                "open+flush of a new file %.2f ms, rename to a new name %.2f ms, CopyFileExW %.2f ms\n",
                kSmallCount, probe, create, flush, rename, copy);
}

// `full`: all the ways of copying; otherwise the engine and F5 on the marked files only.
void smallFiles(const std::wstring& folder, bool full) {
    std::wstring source = folder + L"\\small";
    CreateFolderPath(source);
    for (int i = 0; i < kSmallCount; ++i)
        writeFile(source + L"\\file" + std::to_wstring(i) + L".dat", kSmallSize, static_cast<char>(i));

    std::vector<double> engine, system, durable, marked;
    for (int run = 0; run < kSmallRuns; ++run) {
        std::wstring target = folder + L"\\small-copy";
        Clock::time_point start = Clock::now();
        std::vector<ScanRecord> records;
        uint64_t total = 0;
        DWORD failures = 0;
        if (scanFolderTree(source, records, total) && CreateFolderPath(target)) {
            uint64_t done = 0;
            for (const ScanRecord& record : records) {
                uint64_t copied = 0;
                if (copyFileChunked(nullptr, source + L"\\" + record.relativePath, target + L"\\" + record.relativePath,
                                    record.relativePath, false, true, done, total, &copied) != 0)
                    ++failures;
                done += copied;
            }
        }
        engine.push_back(secondsSince(start));
        removeFlatFolder(target);

        CreateFolderPath(target);
        showPanels(source, target, std::wstring());
        start = Clock::now();
        if (!pressF5()) std::printf("F5 failed: %ls\n", statusLine.c_str());
        marked.push_back(secondsSince(start));
        removeFlatFolder(target);
        if (!full) continue;

        start = Clock::now();
        CreateFolderPath(target);
        for (const ScanRecord& record : records) {
            if (!CopyFileExW(LongPath(source + L"\\" + record.relativePath).c_str(),
                             LongPath(target + L"\\" + record.relativePath).c_str(), nullptr, nullptr, nullptr,
                             COPY_FILE_FAIL_IF_EXISTS))
                ++failures;
        }
        system.push_back(secondsSince(start));
        removeFlatFolder(target);

        start = Clock::now();
        CreateFolderPath(target);
        for (const ScanRecord& record : records)
            if (!systemCopyDurable(source + L"\\" + record.relativePath, target + L"\\" + record.relativePath))
                ++failures;
        durable.push_back(secondsSince(start));
        removeFlatFolder(target);
        if (failures) std::printf("%lu copies failed\n", static_cast<unsigned long>(failures));
    }
    double a = median(engine), d = median(marked);
    std::printf("10,000 files of 4 KiB: scan+copyFileChunked %.2f s\n", a);
    std::printf("  marked and copied with F5 through the window %.2f s, ratio against the engine alone %.2f "
                "(target <= 1.10)\n",
                d, d / a);
    if (full) {
        double b = median(system), c = median(durable);
        std::printf("  CopyFileExW per file %.2f s, ratio %.2f (target <= 1.20)\n", b, a / b);
        std::printf("  against CopyFileExW+flush per file (same durability) %.2f s, ratio %.2f\n", c, a / c);
        tableRow(cell("10,000 files of 4 KiB, scan + copyFileChunked (%d round%s)", kSmallRuns, kSmallRuns > 1 ? "s" : ""),
                 cell("%.1f s", a), cell("CopyFileExW %.1f s", b), cell("%.2f", a / b), "<= 1.20", a / b <= 1.20);
        tableInfo("  the same against CopyFileExW+flush (same durability)", cell("%.1f s", a),
                  cell("CopyFileExW+flush %.1f s", c), cell("%.2f", a / c));
        lookupCosts(source);
    }
    tableRow("10,000 files marked and copied with F5 through the window", cell("%.1f s", d), cell("engine alone %.1f s", a),
             cell("%.2f", d / a), "<= 1.10", d / a <= 1.10);
    removeFlatFolder(source);
}

}  // namespace

// Runs both figures, or only "big", "small" or "small-marked" when named.
int main(int argc, char** argv) {
    std::string only = argc > 1 ? argv[1] : "";
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    GetTempPathW(MAX_PATH, buffer.data());
    std::wstring folder = TrimTrailingSeparators(buffer.data()) + L"\\tvbench_" + std::to_wstring(GetCurrentProcessId());
    if (!CreateFolderPath(folder)) {
        std::printf("cannot create the bench folder\n");
        return 1;
    }
    if (only.empty() || only == "big") bigFile(folder);
    if (only.empty() || only == "small") smallFiles(folder, true);
    if (only == "small-marked") smallFiles(folder, false);
    RemoveDirectoryW(LongPath(folder).c_str());
    return 0;
}
