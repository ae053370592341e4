#include "common/box_check.h"

#include <gtest/gtest.h>

#include <utility>

void expectBox(const Canvas& canvas, const RECT& box, int penWidth, COLORREF frame, COLORREF fill,
               COLORREF outside, bool checkBottom) {
    const int half = penWidth / 2, midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
    const struct {
        const char* side;
        int edge, dir;  // dir: -1 for the left and top sides, +1 for the right and bottom ones
        bool horizontal;
    } sides[] = {{"left", box.left, -1, false}, {"right", box.right, 1, false},
                 {"top", box.top, -1, true},    {"bottom", box.bottom, 1, true}};
    for (const auto& s : sides) {
        if (!checkBottom && s.side[0] == 'b') continue;
        int outer = s.dir < 0 ? s.edge - half : s.edge + half - 2;
        int inner = s.dir < 0 ? s.edge + half - 1 : s.edge - half - 1;
        const std::pair<int, COLORREF> probes[] = {
            {outer + s.dir, outside}, {outer, frame}, {inner, frame}, {inner - s.dir, fill}};
        for (auto [at, expected] : probes) {
            int x = s.horizontal ? midX : at, y = s.horizontal ? at : midY;
            // Probes beyond the canvas cannot be read; a box may legitimately reach its edge.
            if (expected == CLR_INVALID || x < 0 || y < 0 || x >= canvas.width() || y >= canvas.height()) continue;
            EXPECT_EQ(canvas.pixel(x, y), expected) << s.side << " side at " << x << "," << y << " of box "
                                                    << box.left << "," << box.top << "," << box.right << ","
                                                    << box.bottom;
        }
    }
}
