// Planning a marked-items copy or move in a large folder: 10,000 of 100,000 files marked, planned
// into an empty folder, with no transfer. Target: at most 0.2 s, and a time that grows with the
// marks, not with marks x entries (the ratio against 1,000 marks is printed). For comparison, the
// lookup the plan used before: one scan of the listing per mark, timed on 1,000 marks.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_common.h"
#include "ops/plan.h"
#include "panels/panels.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kRuns = 5;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::wstring fileName(int i) {
    wchar_t name[32];
    swprintf(name, 32, L"file%06d.dat", i);
    return name;
}

// The median time of planning every `step`-th file of the listing.
double planTime(PanelState& source, const PanelState& target, int step, size_t& planned) {
    source.marked.clear();
    for (int i = 0; i < kEntries; i += step) source.marked.push_back(fileName(kEntries - 1 - i));
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        std::vector<CopyPlanItem> plan;
        uint64_t total = 0;
        Clock::time_point start = Clock::now();
        planMarkedItems(source, target, plan, total);
        times.push_back(secondsSince(start));
        planned = plan.size();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

// Arguments: the folder of 100,000 files and an empty folder (bench/marked.sh makes them).
int main(int argc, char** argv) {
    if (argc < 3) {
        std::printf("usage: bench_marked FILES-FOLDER EMPTY-FOLDER (scripts/bench.sh marked prepares them)\n");
        return 1;
    }
    std::wstring files(argv[1], argv[1] + strlen(argv[1])), empty(argv[2], argv[2] + strlen(argv[2]));
    PanelState source, target;
    source.path = files;
    target.path = empty;
    loadListing(source);
    loadListing(target);
    if (source.entries.size() != kEntries + 1) std::printf("the folder lists %zu entries\n", source.entries.size());

    size_t planned10k = 0, planned1k = 0;
    double many = planTime(source, target, 10, planned10k);
    double few = planTime(source, target, 100, planned1k);
    std::printf("planning %zu marks in %d entries: %.3f s (target <= 0.200 s)\n", planned10k, kEntries, many);
    std::printf("planning %zu marks: %.3f s; ratio 10,000 / 1,000 marks: %.1f (linear: 10)\n", planned1k, few,
                many / few);
    tableRow("planning a copy of 10,000 of 100,000 files, marked", cell("%.3f s", many), "-", "-", "<= 0.200 s",
             many <= 0.2);
    tableRow("  the same with 1,000 marks", cell("%.3f s", few), cell("10,000 marks %.3f s", many),
             cell("%.1f", many / few), "<= 10 (linear)", many / few <= 10);

    Clock::time_point start = Clock::now();
    size_t found = 0;
    for (const std::wstring& mark : source.marked) {
        DirEntry entry;
        if (FindPanelEntry(source, mark, entry)) ++found;
    }
    std::printf("before: one listing scan per mark, %zu marks: %.3f s\n", found, secondsSince(start));

    return 0;
}
