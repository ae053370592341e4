// Median time of one complete frame at 1920 x 1080 into a 32-bit DIB section, with both panels
// showing 100 entries and no marks, against both showing 100,000 (cursor in the middle, so the view
// scrolls) with a few marks, and with 10,000 marks each. The larger listings must cost no more than
// 1.1 times the smaller one: only visible rows count, and a row's mark is one look-up.
#include <windows.h>

#include <utility>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frame.h"
#include "bench_common.h"
#include "panels/panels.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kRuns = 300;

// `marks`: 0, a few around the cursor (so blended rows are drawn too), or that many spread over the
// whole listing, every tenth row, so most visible rows are looked up and not found.
void fillPanel(PanelState& panel, const std::wstring& path, int count, int marks) {
    panel = PanelState();
    panel.path = path;
    panel.entries.push_back({L"..", true, FILE_ATTRIBUTE_DIRECTORY, 0, 0});
    for (int i = 1; i < count; ++i) {
        bool isFolder = i < count / 10;
        std::wstring name = (isFolder ? L"folder " : L"document ") + std::to_wstring(i) + (isFolder ? L"" : L".txt");
        panel.entries.push_back({name, isFolder, isFolder ? FILE_ATTRIBUTE_DIRECTORY : 0u,
                                 isFolder ? 0u : 1000ull * i, 133000000000000000ull + 10000000ull * i});
    }
    panel.cursor = count / 2;
    if (marks > 0 && marks < 10) {
        for (int i = count / 2 - 4; i < count / 2 + 4; i += 2) panel.marked.push_back(panel.entries[i].name);
    }
    for (int i = 0; marks >= 10 && i < marks; ++i) panel.marked.push_back(panel.entries[1 + i * (count / marks)].name);
}

// Milliseconds of one drawFrame with the given panels shown.
double timeFrame(HDC dc, PanelState& left, PanelState& right) {
    std::swap(leftPanel, left);
    std::swap(rightPanel, right);
    double start = nowMs();
    drawFrame(dc, kWidth, kHeight);
    GdiFlush();
    double end = nowMs();
    std::swap(leftPanel, left);
    std::swap(rightPanel, right);
    return end - start;
}

}  // namespace

int main() {
    applyColorScheme();
    applyTextColor();
    applyFontSize();
    createFonts();
    statusLine = L"TORVANE COMMANDER Ver. 1.0 ready.";

    FrameBitmap frame(kWidth, kHeight);
    if (!frame.dc) {
        std::printf("cannot create the %d x %d bitmap\n", kWidth, kHeight);
        return 1;
    }
    HDC dc = frame.dc;

    PanelState smallLeft, smallRight, largeLeft, largeRight, markedLeft, markedRight;
    fillPanel(smallLeft, L"C:\\bench\\left", 100, 0);
    fillPanel(smallRight, L"C:\\bench\\right", 100, 0);
    fillPanel(largeLeft, L"C:\\bench\\left", 100000, 4);
    fillPanel(largeRight, L"C:\\bench\\right", 100000, 4);
    fillPanel(markedLeft, L"C:\\bench\\left", 100000, 10000);
    fillPanel(markedRight, L"C:\\bench\\right", 100000, 10000);
    // Take turns so that all three meet the same machine conditions; the first runs warm up.
    std::vector<double> smallTimes, largeTimes, markedTimes;
    for (int i = 0; i < kRuns + 5; ++i) {
        double s = timeFrame(dc, smallLeft, smallRight), l = timeFrame(dc, largeLeft, largeRight),
               m = timeFrame(dc, markedLeft, markedRight);
        if (i < 5) continue;
        smallTimes.push_back(s);
        largeTimes.push_back(l);
        markedTimes.push_back(m);
    }
    double small = median(smallTimes), large = median(largeTimes), marked = median(markedTimes);
    std::printf("frame 1920x1080, 100 entries per panel:     median %.3f ms (target <= 10 ms)\n", small);
    std::printf("frame 1920x1080, 100000 entries per panel:  median %.3f ms (target <= 10 ms)\n", large);
    std::printf("ratio 100000 / 100: %.3f (target <= 1.1)\n", large / small);
    std::printf("frame 1920x1080, 100000 entries and 10000 marks per panel: median %.3f ms, ratio to 100 entries "
                "%.3f (target <= 1.1)\n",
                marked, marked / small);
    tableRow("frame 1920x1080, 100 entries, no marks", cell("%.2f ms", small), "-", "-", "<= 10 ms", small <= 10);
    tableRow("frame, 100,000 entries, a few marks", cell("%.2f ms", large), cell("100 entries %.2f ms", small),
             cell("%.3f", large / small), "<= 1.1", large / small <= 1.1);
    tableRow("frame, 100,000 entries, 10,000 marks", cell("%.2f ms", marked), cell("100 entries %.2f ms", small),
             cell("%.3f", marked / small), "<= 1.1", marked / small <= 1.1);

    deleteFonts();
    return 0;
}
