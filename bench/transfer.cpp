// Throughput of the safe transfer against the system copy with the same durability.
//   1. One 1 GiB file: copyFileChunked against CopyFileExW followed by FlushFileBuffers of the target
//      (target: throughput ratio at least 0.9); the same copy through F5 with the program's window
//      against copyFileChunked alone (at least 0.95).
//   2. 10,000 files of 4 KiB in one folder, each way against CopyFileExW followed by FlushFileBuffers
//      per file into a new folder, the same durability as the safe copy: scanFolderTree plus
//      copyFileChunked per file (target: time ratio at most 1.2); the files marked and copied with
//      F5 through the program's window and progress box (at most 1.2); their folder copied with F5
//      (at most 1.0); CopyFileExW alone for comparison. Each way prints where its time went per file
//      (look-ups, flushes, frames, pumps), and the cost of one look-up and one flush is measured.
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
    std::printf("  through F5 with the window %.0f MiB/s (%u frames painted), ratio against copyFileChunked %.2f "
                "(target >= 0.95), against CopyFileExW+flush %.2f\n",
                c, f5Frames, c / a, c / b);
    tableRow(cell("copy of 1 GiB, copyFileChunked (median of %d)", kRuns), cell("%.0f MiB/s", a),
             cell("CopyFileExW+flush %.0f MiB/s", b), cell("%.2f", a / b), ">= 0.90", a / b >= 0.90);
    tableRow("copy of 1 GiB with F5 through the window", cell("%.0f MiB/s", c), cell("copyFileChunked %.0f MiB/s", a),
             cell("%.2f", c / a), ">= 0.95", c / a >= 0.95);
}

// Removes every file of a flat folder, then the folder.
void removeFlatFolder(const std::wstring& folder) {
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    scanFolderTree(folder, records, total);
    deleteTree(folder, records, true);
}

// What one call costs that looks up a name which is not there yet, in the full folder of 10,000
// files, and the flush of a new 4 KiB file. CopyFileExW makes one such look-up per file; the safe
// copy of a file makes two (its temporary file and the rename onto the target) and a flush, and a
// file inside a temporary folder tree one (its creation under its name) and a flush.
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

// The ways of copying the small files; a run names the ones it times.
enum Way : unsigned { Engine = 1, Marked = 2, Folder = 4, System = 8, Durable = 16 };

// What the file calls, the frames and the pump have cost so far.
struct Tally {
    std::vector<uint32_t> calls;
    uint32_t frames = 0;
    PumpCosts pump;
};

Tally tallyNow() {
    Tally tally;
    for (int k = 0; k < static_cast<int>(FileCall::Count); ++k) tally.calls.push_back(FileCallCount(FileCall(k)));
    tally.frames = progressRepaintCount;
    tally.pump = pumpCosts;
    return tally;
}

// Where one way's time went, per file: the calls that look a name up (attribute reads, new and
// temporary files, renames), the flushes, the frames painted and the pumps, the last two with their
// time. The costs of one look-up and one flush in the full folder are printed by lookupCosts.
void printBreakdown(const char* way, const Tally& before, const Tally& after, double seconds) {
    static const double counterPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    auto per = [&](FileCall call) {
        int k = static_cast<int>(call);
        return static_cast<double>(after.calls[k] - before.calls[k]) / kSmallCount;
    };
    std::printf("  per file, %s: %.2f ms in all; attribute reads %.2f, new files %.2f, temporary files %.2f, "
                "renames %.2f, flushes %.2f; frames %.3f (%.3f ms), pumps %.2f (%.3f ms)\n",
                way, seconds * 1000.0 / kSmallCount, per(FileCall::GetAttributes), per(FileCall::CreateNew),
                per(FileCall::CreateTempFile), per(FileCall::Move), per(FileCall::Flush),
                static_cast<double>(after.frames - before.frames) / kSmallCount,
                static_cast<double>(after.pump.paintTime - before.pump.paintTime) / counterPerMs / kSmallCount,
                static_cast<double>(after.pump.queuePumps - before.pump.queuePumps) / kSmallCount,
                static_cast<double>(after.pump.pumpTime - before.pump.pumpTime) / counterPerMs / kSmallCount);
}

// The small files copied in each way of `ways`, against CopyFileExW plus flush per file into a new
// folder, which is always timed.
void smallFiles(const std::wstring& folder, unsigned ways) {
    ways |= Durable;
    std::wstring source = folder + L"\\small";
    CreateFolderPath(source);
    for (int i = 0; i < kSmallCount; ++i)
        writeFile(source + L"\\file" + std::to_wstring(i) + L".dat", kSmallSize, static_cast<char>(i));
    std::vector<ScanRecord> records;
    uint64_t total = 0;
    scanFolderTree(source, records, total);

    const std::wstring target = folder + L"\\small-copy";
    std::vector<double> times[5];
    DWORD failures = 0;
    // Times one way; its breakdown is printed for the last round.
    auto timed = [&](Way way, const char* name, bool last, auto&& copy) {
        int slot = 0;
        while ((1u << slot) != way) ++slot;
        Tally before = tallyNow();
        Clock::time_point start = Clock::now();
        copy();
        double seconds = secondsSince(start);
        times[slot].push_back(seconds);
        if (last) printBreakdown(name, before, tallyNow(), seconds);
    };
    for (int run = 0; run < kSmallRuns; ++run) {
        const bool last = run + 1 == kSmallRuns;
        if (ways & Engine) {
            timed(Engine, "scan+copyFileChunked", last, [&] {
                std::vector<ScanRecord> scanned;
                uint64_t bytes = 0;
                if (!scanFolderTree(source, scanned, bytes) || !CreateFolderPath(target)) return;
                uint64_t done = 0;
                for (const ScanRecord& record : scanned) {
                    uint64_t copied = 0;
                    if (copyFileChunked(nullptr, source + L"\\" + record.relativePath,
                                        target + L"\\" + record.relativePath, record.relativePath, false, true, done,
                                        bytes, &copied) != 0)
                        ++failures;
                    done += copied;
                }
            });
            removeFlatFolder(target);
        }
        if (ways & Marked) {
            CreateFolderPath(target);
            showPanels(source, target, std::wstring());
            timed(Marked, "F5 of the marked files", last, [&] {
                if (!pressF5()) std::printf("F5 failed: %ls\n", statusLine.c_str());
            });
            removeFlatFolder(target);
        }
        if (ways & Folder) {
            CreateFolderPath(target);
            showPanels(folder, target, L"small");
            timed(Folder, "F5 of the folder", last, [&] {
                if (!pressF5() || statusLine.find(L"Folder copied") != 0) std::printf("F5 failed: %ls\n", statusLine.c_str());
            });
            removeFlatFolder(target + L"\\small");
            RemoveFolderPath(target);
        }
        if (ways & System) {
            timed(System, "CopyFileExW", last, [&] {
                CreateFolderPath(target);
                for (const ScanRecord& record : records) {
                    if (!CopyFileExW(LongPath(source + L"\\" + record.relativePath).c_str(),
                                     LongPath(target + L"\\" + record.relativePath).c_str(), nullptr, nullptr, nullptr,
                                     COPY_FILE_FAIL_IF_EXISTS))
                        ++failures;
                }
            });
            removeFlatFolder(target);
        }
        timed(Durable, "CopyFileExW+flush", last, [&] {
            CreateFolderPath(target);
            for (const ScanRecord& record : records)
                if (!systemCopyDurable(source + L"\\" + record.relativePath, target + L"\\" + record.relativePath))
                    ++failures;
        });
        removeFlatFolder(target);
    }
    if (failures) std::printf("%lu copies failed\n", static_cast<unsigned long>(failures));
    const double durable = median(times[4]);
    const std::string reference = cell("CopyFileExW+flush %.1f s", durable);
    const std::string rounds = cell("%d round%s", kSmallRuns, kSmallRuns > 1 ? "s" : "");
    std::printf("10,000 files of 4 KiB: CopyFileExW+flush per file into a new folder %.2f s\n", durable);
    // The judged ways, each against the reference.
    struct Judged {
        Way way;
        const char* what;
        double most;  // the target ratio
    };
    const Judged judged[] = {{Engine, "scan + copyFileChunked", 1.20},
                             {Marked, "marked and copied with F5 through the window", 1.20},
                             {Folder, "their folder copied with F5 through the window", 1.00}};
    for (const Judged& j : judged) {
        if (!(ways & j.way)) continue;
        double t = median(times[&j - judged]), ratio = t / durable;
        std::printf("  %s %.2f s, ratio %.2f (target <= %.2f)\n", j.what, t, ratio, j.most);
        tableRow(cell("10,000 files of 4 KiB, %s (%s)", j.what, rounds.c_str()), cell("%.1f s", t), reference,
                 cell("%.2f", ratio), cell("<= %.2f", j.most), ratio <= j.most);
    }
    if (ways & System) {
        double b = median(times[3]);
        std::printf("  CopyFileExW per file %.2f s, CopyFileExW+flush against it %.2f\n", b, durable / b);
        tableInfo("  CopyFileExW per file, without the flush", cell("%.1f s", b), reference,
                  cell("%.2f", b / durable));
    }
    lookupCosts(source);
    removeFlatFolder(source);
}

}  // namespace

// Runs both figures, or only "big", "small", "small-marked" (the engine and F5 of the marked files),
// "small-folder" or "small-f5" (F5 of the marked files and of their folder) when named; each small
// run also times CopyFileExW plus flush, its reference.
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
    if (only.empty() || only == "small") smallFiles(folder, Engine | Marked | Folder | System);
    if (only == "small-marked") smallFiles(folder, Engine | Marked);
    if (only == "small-folder") smallFiles(folder, Folder);
    if (only == "small-f5") smallFiles(folder, Marked | Folder);
    RemoveDirectoryW(LongPath(folder).c_str());
    return 0;
}
