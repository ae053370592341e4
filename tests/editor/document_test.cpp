// The editor's document driven by keys as the window delivers them. A key sequence is written as
// text: plain characters are typed; <Name> is a key, with C- (Ctrl), S- (Shift) and A- (Alt) in
// front for held modifiers. Lines are joined by '|', the cursor is written as '^' in them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>

#include "app/input.h"
#include "common/app_state.h"
#include "common/keys.h"
#include "editor/block.h"
#include "editor/buffer.h"
#include "editor/editor.h"
#include "ui/state.h"

namespace {

const std::map<std::wstring, UINT> kKeys = {
    {L"Left", VK_LEFT}, {L"Right", VK_RIGHT}, {L"Up", VK_UP},      {L"Down", VK_DOWN},    {L"Home", VK_HOME},
    {L"End", VK_END},   {L"PgDn", VK_NEXT},   {L"PgUp", VK_PRIOR}, {L"Enter", VK_RETURN}, {L"Bs", VK_BACK},
    {L"Del", VK_DELETE}, {L"Tab", VK_TAB},    {L"F3", VK_F3},      {L"Esc", VK_ESCAPE},   {L"z", 'Z'},
    {L"c", 'C'},        {L"x", 'X'},          {L"v", 'V'},         {L"f", 'F'}};

const std::pair<wchar_t, int> kModifiers[] = {{L'C', VK_CONTROL}, {L'S', VK_SHIFT}, {L'A', VK_MENU}};

// Returns the status line the keys leave.
std::wstring play(const std::wstring& keys) {
    for (size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] != L'<') {
            characterInput(nullptr, keys[i]);
            continue;
        }
        size_t end = keys.find(L'>', i);
        std::wstring name = keys.substr(i + 1, end - i - 1), held = name.substr(0, name.rfind(L'-') + 1);
        for (auto [letter, key] : kModifiers) holdKey(key, held.find(letter) != std::wstring::npos);
        dispatchKey(nullptr, kKeys.at(name.substr(held.size())));
        for (auto [letter, key] : kModifiers) holdKey(key, false);
        i = end;
    }
    return statusLine;
}

// Opens "a|b^c|d" as the document with the cursor at the caret.
void open(const std::wstring& text) {
    resetEditor();
    loadedText.lines = {L""};
    for (wchar_t c : text) {
        if (c == L'|') loadedText.lines.emplace_back();
        else if (c == L'^') editor.cursorRow = static_cast<int32_t>(loadedText.lines.size()) - 1,
                            editor.cursorColumn = static_cast<int32_t>(loadedText.lines.back().size());
        else loadedText.lines.back() += c;
    }
    editor.preferredColumn = editor.cursorColumn;
    screenMode = ScreenMode::Editor;
}

std::wstring shown() {
    std::wstring text;
    for (size_t row = 0; row < loadedText.lines.size(); ++row) {
        std::wstring line = loadedText.lines[row];
        if (static_cast<int32_t>(row) == editor.cursorRow) line.insert(static_cast<size_t>(editor.cursorColumn), 1, L'^');
        text += (row ? L"|" : L"") + line;
    }
    if (editor.blockActive) text += L" block " + std::to_wstring(editor.blockAnchor);
    return text;
}

// `status`: what the status line says after the keys; `clip`: the clipboard's text before them.
struct Case {
    const wchar_t* start;
    const wchar_t* keys;
    const wchar_t* after;
    const wchar_t* status = nullptr;
    const wchar_t* clip = nullptr;
};

template <size_t N>
void runAll(const Case (&cases)[N]) {
    for (const Case& c : cases) {
        ASSERT_TRUE(!c.clip || putClipboardText(nullptr, c.clip));
        open(c.start);
        std::wstring said = play(c.keys);
        EXPECT_EQ(shown(), c.after) << c.start << " with " << c.keys << ": " << said;
        EXPECT_TRUE(!c.status || said == c.status) << c.start << " with " << c.keys << ": " << said;
    }
}

using DocumentTest = AppTest;

TEST_F(DocumentTest, MovesEditsAndLineBlocks) {
    const Case cases[] = {
        {L"ab|cd|ef|gh|ij|^kl", L"<Bs>", L"ab|cd|ef|gh|ij^kl"},
        {L"abcdef|x|abcdef^", L"<Up><Up>", L"abcdef^|x|abcdef"},
        {L"abcdef|x^|abcdef", L"<Up><End><Down><Down>", L"abcdef|x|abcdef^"},
        {L"ab|^cd", L"<Left><Right><Right><Right><End><Right>", L"ab|cd^"},
        {L"ab^cd", L"<Enter>", L"ab|^cd"},
        {L"ab^|cd", L"<Del>", L"ab^cd"},
        {L"^", L"<Bs><Del>x<C-Right>", L"x^"},
        {L"a\tb^", L"<Left><Left><Del>", L"a^b"},
        {L"x^", L"\xD83D\xDE00y<Left><Left>", L"x^\xD83D\xDE00y"},
        {L"x^\xD83D\xDE00y", L"<Del>", L"x^y"},
        {L"x\xD83D\xDE00^y", L"<Bs>", L"x^y"},
        {L"\xD83D\xDE00\xD83D\xDE00^|a", L"<Up><Down>", L"\xD83D\xDE00\xD83D\xDE00|a^"},
        {L"ab|^", L"<Tab>c", L"ab|    c^"},
        {L"a|^b|c", L"<S-Tab>", L"a|^b|c"},
        {L"a^", L"<C-A-z>z\x7F", L"az^"},
        {L"x^\xDC00", L"\xD83D\xDE00", L"x\xD83D\xDE00^\xDC00"},  // a lone second half already there
        // line blocks
        {L"^      a|  b|c|d", L"<C-Down><C-Down><S-Tab>", L"  a|b|^c|d block 0"},
        {L"a|^b|c", L"<C-Down><Tab>", L"a|    b|    ^c block 1"},
        {L"^a|b", L"<C-Down><Del>", L"^"},
        {L"a|^b|c", L"<C-Down><Bs>", L"^a"},
        {L"^", L"<C-Down><Del>", L"^"},
        {L"a|^b|c", L"<C-Down><Right>", L"a|b|c^"},
        {L"a|^b|c", L"<C-A-Down>", L"a|b|^c block 1"},  // AltGr held
    };
    runAll(cases);
}

TEST_F(DocumentTest, UndoAndRedo) {
    const Case cases[] = {
        {L"^", L"abcdefghijk<C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z>", L"a^"},
        {L"ab^cd", L"<Enter><C-z><C-S-z>", L"ab|^cd"},
        {L"a^", L"b<C-z>c<C-S-z>", L"ac^"},
        {L"a|^b|c", L"<C-Down><Tab><C-z>", L"a|b|^c"},
        {L"x^", L"\xD83D\xDE00<C-z>", L"x^"},
        {L"^a|b", L"<C-Down><Del><C-z>", L"a|^b"},
        {L"^", L"abcdefghijk<C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-z><C-S-z><C-S-z><C-S-z><C-S-z>"
               L"<C-S-z><C-S-z><C-S-z><C-S-z><C-S-z><C-S-z><C-S-z>", L"abcdefghijk^"},
        {L"a^", L"b<C-z><C-z>", L"a^", L"Undo: no previous step."},
    };
    runAll(cases);
    EXPECT_FALSE(editor.modified) << "undone to the state as opened";
    screenMode = ScreenMode::Viewer;  // closing the viewer ends the editor's state with the document
    play(L"<Esc>");
    EXPECT_TRUE(editor.redoHistory.empty() && editor.cursorColumn == 0);
    for (size_t size : {kEditorSizeLimit, kEditorSizeLimit + 1}) {
        open(L"^" + std::wstring(size, L'd'));
        editor.redoHistory.resize(1);
        play(L"x<C-z>y");
        EXPECT_EQ(editor.undoHistory.size() + editor.redoHistory.size(), size > kEditorSizeLimit ? 0u : 1u) << size;
    }
}

// Pastes go through the real Windows clipboard, which the test programs share: one test uses it.
TEST_F(DocumentTest, PastesAndTheirLimitsThroughTheClipboard) {
    // One unit over the limit; what pasting the limit gives; a document the limit leaves no room in.
    const std::wstring over(kClipboardTextLimit + 1, L'x'), pasted = over.substr(1) + L"^",
                       full = L"^" + std::wstring(500000, L'd');
    const Case cases[] = {
        {L"ab^cd", L"<C-v>", L"abx|y^cd", L"Clipboard inserted.", L"x\r\ny"},
        {L"^abc", L"<C-v>", L"x|^abc", nullptr, L"x\r\n"},
        {L"a|^b|c", L"<C-Down><C-v>", L"a|x|y^", nullptr, L"x\r\ny"},
        {L"^a|b|c", L"<C-Down><C-v>", L"x|y|^c", nullptr, L"x\ny\n"},
        {L"a|^b|c", L"<C-Down><C-v><C-z>", L"a|b|^c", nullptr, L"x\r\ny"},
        {L"^", L"<C-Down><C-v><C-z>", L"^", nullptr, L"x"},
        {L"a|^b|c", L"<C-Up><C-c><Down><Down><Home><C-v>", L"a|b|a|b^c"},
        {L"a|^b|c", L"<C-Down><C-x><C-v>", L"b|c^a"},
        {L"^a|b", L"<C-c>", L"^a|b", L"No editor block marked."},
        {L"^a|b", L"<C-Down><C-c>", L"a|^b block 0", L"Block copied to clipboard."},
        {L"^", L"<C-v>", L"^", L"Clipboard text is too large for the editor.", over.c_str()},
        {L"^", L"<C-v>", pasted.c_str(), L"Clipboard inserted.", over.c_str() + 1},
        {full.c_str(), L"<C-v>", full.c_str(), L"Editor size limit reached. Paste canceled.", over.c_str() + 1},
    };
    runAll(cases);

    // This thread's window holds the clipboard open while another thread copies the block.
    HWND other = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    open(L"^a|b");
    std::thread([] { EXPECT_EQ(play(L"<C-Down><C-c>"), L"Clipboard operation failed."); }).join();
    CloseClipboard();
    DestroyWindow(other);

    // A block another program left without its terminating NUL, then no text at all.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(GlobalLock(memory), L"abc", 6);  // no NUL after it
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory));
    CloseClipboard();
    std::wstring text;
    // Windows hands the block back as it was set; Wine ends the text inside it, over its last unit.
    EXPECT_TRUE(readClipboardText(nullptr, text, 100) && (text == L"abc" || text == L"ab")) << "none beyond the block";
    EXPECT_TRUE(readClipboardText(nullptr, text, 1) && text == L"a") << "no more read than asked";
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
    SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr));
    CloseClipboard();
    open(L"^");
    EXPECT_EQ(play(L"<C-v>"), L"Clipboard is empty or contains no text.");
}

TEST_F(DocumentTest, Find) {
    const Case cases[] = {
        {L"x|^y aBc", L"<C-f>abc<Enter>", L"x|y ^aBc"},
        {L"abc ^abc|x", L"<C-f>abc<Enter><F3>", L"^abc abc|x"},
        {L"ab ^x|cd", L"<C-f>ab<Enter>", L"^ab x|cd"},
        {L"^ab|c", L"<C-f>b|c<Enter>", L"^ab|c"},
        {L"^x|\u00C4RGER", L"<C-f>\u00E4rger<Enter>", L"x|^\u00C4RGER"},
        {L"^abc", L"<C-f>zz<Enter>", L"^abc", L"Search text not found: zz"},
        {L"^abc", L"<C-f>B<Enter>", L"a^bc", L"Found at line 1, Col 2: B"},
    };
    runAll(cases);
    EXPECT_EQ(editor.matchLength, 1);
    play(L"x");
    EXPECT_EQ(editor.matchRow, -1) << "an edit ends the highlight";
    open(L"^abc");
    EXPECT_EQ(play(L"<F3><Enter>"), L"Search text is empty.");
    EXPECT_EQ(screenMode, ScreenMode::EditorFind) << "F3 without a search text opens the input; Enter keeps it";
    play(std::wstring(121, L'b') + L"<Bs>");
    EXPECT_EQ(editor.findInput.size(), 119u);
}

}  // namespace
