#pragma once
// Checks a box drawn with drawBox at the middle of each side: the pen's band lies exactly where GDI
// puts a pen of that width (centred on the left and top edges, on the column and row before the
// right and bottom edges), with the fill just inside and `outside` just beyond.
#include <windows.h>

#include "common/canvas.h"

// outside CLR_INVALID leaves the pixels beyond the box unchecked; checkBottom false leaves the
// bottom side out, for boxes whose content runs over it.
void expectBox(const Canvas& canvas, const RECT& box, int penWidth, COLORREF frame, COLORREF fill,
               COLORREF outside, bool checkBottom = true);
