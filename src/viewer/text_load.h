#pragma once
// The one text document the viewer shows and the editor edits: which files may be opened as text,
// and the loader that reads at most the first 256 KB, recognises seven encodings, refuses what is
// not text, and cuts the rest into lines. viewer/ stands on panels/ and below; ops/ and editor/ may
// read the document, never the other way.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// How the bytes were read, so that a save writes the same form back.
enum class TextEncoding : int32_t {
    Utf8 = 0,        // also an empty file
    Utf8Bom = 1,     // EF BB BF
    Utf16LeBom = 2,  // FF FE
    Utf16BeBom = 3,  // FE FF
    Utf16Le = 4,     // no mark, recognised by sampling
    Utf16Be = 5,
    Ansi = 6,        // the system's ANSI code page
};

// The line break a save writes between lines.
enum class LineEndingStyle : int32_t { CrLf = 0, Lf = 1, Cr = 2 };

struct LoadedText {
    std::wstring fileName;             // as listed
    std::wstring fullPath;             // the panel's folder joined with the name
    std::vector<std::wstring> lines;   // without breaks; at least one after a load
    TextEncoding encoding = TextEncoding::Utf8;
    LineEndingStyle lineEnding = LineEndingStyle::CrLf;
    int32_t firstVisibleLine = 0;
    // The decoded text does not encode back to the bytes read (up to the cut of a partial load):
    // a save would write other bytes, so it must refuse.
    bool unsafeToSave = false;
    // Only the breaks would not come back: the file mixes styles and a save writes them all as
    // `lineEnding`, which the editor says when it opens.
    bool mixedLineBreaks = false;
};
extern LoadedText loadedText;

enum class LoadOutcome : int32_t {
    Loaded,      // lines, encoding, line ending, the unsafe and the mixed-breaks flags replaced
    NotText,     // refused by the text test; the last error is 0; nothing changed
    ReadFailed,  // open, size or read failed; the last error is that call's; nothing changed
};

constexpr uint32_t kTextReadCap = 262144;   // bytes read at most
constexpr uint32_t kTextSampleBytes = 4096;  // what the content tests look at

// Ends in one of the 35 text and source endings, compared without case: "Readme.MD" and
// "proj.vcxproj.filters" pass, "notes.txt.bak" and "README" do not.
bool isSupportedTextName(const std::wstring& name);

// Reads the file into loadedText's lines, encoding, line ending and its two flags; tabs become four
// spaces when `expandTabs`. `partial` tells whether the file was longer than the cap, in which case
// the lines end with an empty line and the truncation marker.
LoadOutcome loadTextFile(const std::wstring& path, bool expandTabs, bool& partial);

// The same for bytes already read (`partial`: they were cut at the cap).
LoadOutcome loadTextBytes(const std::string& bytes, bool expandTabs, bool partial);

// --- the pieces of the loader, for the editor and the tests ---
// The encoding the loader picks for these bytes (marks first, then the UTF-16 sampling rule, then
// strict UTF-8, else ANSI).
TextEncoding detectEncoding(const std::string& bytes);
// The sampling rule for UTF-16 without a mark, in one byte order.
bool looksLikeUtf16(const std::string& bytes, bool bigEndian);
// False when the content of that encoding is refused as not text (NULs, control bytes, implausible
// units in the first 4096 bytes).
bool passesTextTest(const std::string& bytes, TextEncoding encoding);
// The bytes a save writes for `text` in `encoding`, mark included; false when a character cannot be
// written in it (the ANSI code page lacks it, or a lone surrogate for UTF-8), with 1113 as last error.
bool encodeText(const std::wstring& text, TextEncoding encoding, std::string& bytes);
// Cuts `text` at CR LF, CR and LF into loadedText.lines (tabs expanded or kept), adding the empty
// line and the marker in the current language when `partial`. Returns the style with most breaks
// (CR LF counted once); ties go CrLf, Lf, Cr; none gives CrLf. `mixed`: breaks of more than one style.
LineEndingStyle splitIntoLines(const std::wstring& text, bool expandTabs, bool partial, bool& mixed);
// Empties the document: name, path, lines, and every other field back to 0.
void clearLoadedText();
