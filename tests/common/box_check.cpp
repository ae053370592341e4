#include "common/box_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct Probe {
    const char* what;
    int x, y;
    COLORREF expected;
};
}  // namespace

void expectBox(const Canvas& canvas, const RECT& box, int penWidth, COLORREF frame, COLORREF fill,
               COLORREF outside, bool checkBottom) {
    const int half = penWidth / 2;
    const int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
    const Probe probes[] = {
        {"left outside", box.left - half - 1, midY, outside},   {"left pen", box.left - half, midY, frame},
        {"left pen inner", box.left + half - 1, midY, frame},   {"left fill", box.left + half, midY, fill},
        {"right outside", box.right + half - 1, midY, outside}, {"right pen", box.right + half - 2, midY, frame},
        {"right pen inner", box.right - half - 1, midY, frame}, {"right fill", box.right - half - 2, midY, fill},
        {"top outside", midX, box.top - half - 1, outside},     {"top pen", midX, box.top - half, frame},
        {"top pen inner", midX, box.top + half - 1, frame},     {"top fill", midX, box.top + half, fill},
        {"bottom outside", midX, box.bottom + half - 1, outside}, {"bottom pen", midX, box.bottom + half - 2, frame},
        {"bottom pen inner", midX, box.bottom - half - 1, frame}, {"bottom fill", midX, box.bottom - half - 2, fill},
    };
    for (const Probe& p : probes) {
        // Probes beyond the canvas cannot be read; a box may legitimately reach its edge.
        if (p.x < 0 || p.y < 0 || p.x >= canvas.width() || p.y >= canvas.height()) continue;
        if (!checkBottom && std::string(p.what).rfind("bottom", 0) == 0) continue;
        EXPECT_EQ(canvas.pixel(p.x, p.y), p.expected)
            << p.what << " at " << p.x << "," << p.y << " of box " << box.left << "," << box.top << ","
            << box.right << "," << box.bottom;
    }
}
