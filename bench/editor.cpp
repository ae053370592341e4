// The editor's commands on a 256 KB document of 5,000 lines, where every change copies the whole
// text into the undo history: typing 1,000 characters, 1,000 undos and 1,000 redos, 100 pastes of
// 1,000 lines over a marked block, and a search without a match. Each command's median must stay
// under 2 ms (the search under 5 ms), and the two histories under 25 times the document's size.
// A search of 120 characters in one line of 524,288 units stays under 5 ms too.
// Then the key and the frame it paints with a block of 1,000 lines marked.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/input.h"
#include "app/startup.h"
#include "bench_common.h"
#include "editor/block.h"
#include "editor/buffer.h"
#include "editor/find.h"
#include "settings/settings.h"
#include "ui/draw.h"
#include "ui/state.h"

namespace {

constexpr int kLines = 5000, kWidth = 1920, kHeight = 1080;

void openDocument() {
    resetEditor();
    for (int i = 0; i < kLines; ++i)
        loadedText.lines.push_back(L"    line " + std::to_wstring(i) + L" of the document, with some words after it");
    initialiseEditor(false);
    screenMode = ScreenMode::Editor;
}

// Heap bytes a block of `bytes` takes: rounded to 16 with a 16-byte header.
size_t heapBlock(size_t bytes) {
    return (bytes + 31) / 16 * 16;
}

// What the two histories hold on the heap; strings of up to 7 units live inside their object.
size_t historyBytes() {
    size_t total = 0;
    for (const auto* history : {&editor.undoHistory, &editor.redoHistory}) {
        total += heapBlock(history->capacity() * sizeof(UndoStep));
        for (const UndoStep& step : *history) {
            total += heapBlock(step.lines.capacity() * sizeof(std::wstring));
            for (const std::wstring& line : step.lines)
                if (line.capacity() > 7) total += heapBlock((line.capacity() + 1) * sizeof(wchar_t));
        }
    }
    return total;
}

template <typename Command>
double medianOf(int runs, Command command) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double start = nowMs();
        command(i);
        times.push_back(nowMs() - start);
    }
    return median(times);
}

void report(const char* what, double ms, double target, const char* document = "5,000 lines") {
    std::printf("%-44s median %.3f ms (target < %.0f ms)%s\n", what, ms, target, ms < target ? "" : "  NOT MET");
    tableRow(cell("editor, %s: %s", document, what), cell("%.3f ms", ms), "-", "-", cell("< %.0f ms", target), ms < target);
}

}  // namespace

int main() {
    useLowFragmentationHeaps();  // as the program does at start
    applyTheme();
    createFonts();
    openDocument();
    size_t documentBytes = documentSize(SIZE_MAX) * sizeof(wchar_t);
    std::printf("document: %d lines, %zu characters\n", kLines, documentSize(SIZE_MAX));

    editor.cursorRow = kLines / 2;
    report("type a character", medianOf(1000, [](int) { insertCharacter(L'x'); }), 2);
    report("undo", medianOf(1000, [](int i) { i % 20 < 10 ? undo(nullptr) : redo(nullptr); }), 2);
    // Ten steps between the two histories, the most they hold together: a change empties the
    // redo history, and an undo only moves a step across.
    for (int i = 0; i < 10; ++i) insertCharacter(L'y');
    for (int i = 0; i < 5; ++i) undo(nullptr);
    size_t histories = historyBytes();
    double growth = static_cast<double>(histories) / static_cast<double>(documentBytes);
    std::printf("%-44s %.1f MB, %.1f x the document (target <= 25)\n", "memory of the two full histories",
                histories / 1048576.0, growth);
    tableRow("editor, 5,000 lines: memory of the two undo histories", cell("%.1f MB", histories / 1048576.0),
             cell("document %.2f MB", documentBytes / 1048576.0), cell("%.1f", growth), "<= 25", growth <= 25);
    report("redo", medianOf(1000, [](int i) { i % 20 < 10 ? redo(nullptr) : undo(nullptr); }), 2);

    std::wstring thousand;
    for (int i = 0; i < 1000; ++i) thousand += L"pasted line " + std::to_wstring(i) + L"\r\n";
    putClipboardText(nullptr, thousand);
    report("paste 1,000 lines over a block of 1,000", medianOf(100, [](int i) {
               editor.cursorRow = 1000 + (i % 10) * 100;
               editor.blockActive = true;
               editor.blockAnchor = editor.cursorRow + 999;
               pasteClipboard(nullptr);
           }), 2);
    editor.findInput = L"no such text";
    report("find without a match", medianOf(100, [](int) { findNext(nullptr, true); }), 5);

    // One line of 524,288 units and a 120-character piece of it with its middle character changed:
    // the line repeats every 31 units, so the search meets a half match at every turn.
    std::wstring line;
    while (line.size() < 524288) line += L"Gr\u00FC\u00DFe aus K\u00F6ln, \u00C4rger im B\u00FCro. ";
    line.resize(524288);
    resetEditor();
    loadedText.lines = {line};
    initialiseEditor(false);
    editor.findInput = line.substr(1, kFindInputLimit);
    editor.findInput[kFindInputLimit / 2] = L'#';
    report("find 120 characters, no match", medianOf(50, [](int) { findNext(nullptr, true); }), 5,
           "one line of 524,288 units");

    // A key with its frame, a block of 1,000 lines marked and the cursor moving inside it.
    openDocument();
    editor.findInput = L"no such text";
    editor.cursorRow = 2000;
    editor.blockActive = true;
    editor.blockAnchor = 1000;
    FrameBitmap frame(kWidth, kHeight);
    if (!frame.dc) return 1;
    // Ctrl held: Ctrl+Down and Ctrl+Up move the cursor and keep the block.
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    report("key + frame 1920x1080, block of 1,000 lines", medianOf(200, [&](int i) {
               dispatchKey(nullptr, i % 2 ? VK_UP : VK_DOWN);
               drawFrame(frame.dc, kWidth, kHeight);
               GdiFlush();
           }), 16);
    deleteFonts();
    return 0;
}
