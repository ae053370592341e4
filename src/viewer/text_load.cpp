#include "viewer/text_load.h"

#include "fs/file_ops.h"
#include "settings/language.h"

LoadedText loadedText;

namespace {

const LocalizedText kTruncatedMarker = {
    L"--- File truncated to first 256 KB ---", L"--- Datei auf die ersten 256 KB begrenzt ---",
    L"--- Fichier limite aux premiers 256 KB ---", L"--- File limitato ai primi 256 KB ---"};

const wchar_t* const kTextEndings[] = {
    L".txt", L".md",   L".log",  L".ini",  L".cfg",     L".conf",    L".csv", L".cpp",
    L".c",   L".h",    L".hpp",  L".asm",  L".bat",     L".cmd",     L".ps1", L".php",
    L".html", L".htm", L".xml",  L".css",  L".js",      L".json",    L".sln", L".vcxproj",
    L".vcxproj.filters", L".props", L".targets", L".cs", L".csproj", L".vb", L".py", L".java",
    L".sql", L".yml",  L".yaml"};

bool startsWith(const std::string& bytes, const char* mark, size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, mark, length) == 0;
}

size_t markLength(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8Bom: return 3;
    case TextEncoding::Utf16LeBom:
    case TextEncoding::Utf16BeBom: return 2;
    default: return 0;
    }
}

bool isUtf16(TextEncoding encoding) {
    return encoding != TextEncoding::Utf8 && encoding != TextEncoding::Utf8Bom && encoding != TextEncoding::Ansi;
}

bool bigEndian(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16BeBom || encoding == TextEncoding::Utf16Be;
}

wchar_t unitAt(const std::string& bytes, size_t at, bool big) {
    unsigned char first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<wchar_t>(big ? (first << 8) | second : (second << 8) | first);
}

bool isPlausibleUnit(wchar_t unit) {
    return unit == 9 || unit == 10 || unit == 13 || (unit >= 0x20 && unit <= 0xD7FF) ||
           (unit >= 0xE000 && unit <= 0xFFFD);
}

// Strict UTF-8 straight into `text`; false for invalid bytes. Never more units than bytes.
bool decodeStrictUtf8(const char* data, size_t size, std::wstring& text) {
    text.resize(size);
    if (size == 0) return true;
    int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, data, static_cast<int>(size), text.data(),
                                    static_cast<int>(size));
    text.resize(units > 0 ? static_cast<size_t>(units) : 0);
    return units > 0;
}

void decodeAnsi(const char* data, size_t size, std::wstring& text) {
    text.resize(size);
    int units = size == 0 ? 0
                          : MultiByteToWideChar(CP_ACP, 0, data, static_cast<int>(size), text.data(),
                                                static_cast<int>(size));
    text.resize(units > 0 ? static_cast<size_t>(units) : 0);
}

// Strict UTF-8 over the first 4 KB, cut before a character that runs past them: an ANSI file is
// told from UTF-8 there without converting all of it. A prefix of UTF-8 is UTF-8, so this never
// turns UTF-8 away.
bool startsAsUtf8(const std::string& bytes) {
    size_t size = bytes.size() < kTextSampleBytes ? bytes.size() : kTextSampleBytes;
    for (int back = 0; back < 4 && size < bytes.size() && (static_cast<unsigned char>(bytes[size]) & 0xC0) == 0x80;
         ++back)
        --size;
    return size == 0 ||
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(size), nullptr, 0) > 0;
}

// Whether ANSI `bytes` encode back unchanged once decoded. A single-byte code page maps each byte
// on its own, so a table of the bytes that come back answers without converting the text twice.
bool ansiWritesBack(const std::string& bytes, const std::wstring& text) {
    static UINT tableCodePage = 0;
    static bool comesBack[256];
    UINT codePage = GetACP();
    CPINFO info;
    if (!GetCPInfo(codePage, &info) || info.MaxCharSize != 1) {
        std::string back;
        return encodeText(text, TextEncoding::Ansi, back) && back == bytes;
    }
    if (tableCodePage != codePage) {
        for (int b = 0; b < 256; ++b) {
            char byte = static_cast<char>(b), again = 0;
            wchar_t unit = 0;
            BOOL usedDefault = FALSE;
            comesBack[b] = MultiByteToWideChar(codePage, 0, &byte, 1, &unit, 1) == 1 &&
                           WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &unit, 1, &again, 1, nullptr,
                                               &usedDefault) == 1 &&
                           !usedDefault && again == byte;
        }
        tableCodePage = codePage;
    }
    bool seen[256] = {};
    for (char byte : bytes) seen[static_cast<unsigned char>(byte)] = true;
    for (int b = 0; b < 256; ++b)
        if (seen[b] && !comesBack[b]) return false;
    return true;
}

// The encoding of `bytes`; when strict UTF-8 is tried and holds, `utf8Text` keeps its text.
TextEncoding detect(const std::string& bytes, std::wstring& utf8Text, bool& utf8Decoded) {
    utf8Decoded = false;
    if (startsWith(bytes, "\xFF\xFE", 2)) return TextEncoding::Utf16LeBom;
    if (startsWith(bytes, "\xFE\xFF", 2)) return TextEncoding::Utf16BeBom;
    if (startsWith(bytes, "\xEF\xBB\xBF", 3)) return TextEncoding::Utf8Bom;
    if (bytes.empty()) return TextEncoding::Utf8;
    if (looksLikeUtf16(bytes, false)) return TextEncoding::Utf16Le;
    if (looksLikeUtf16(bytes, true)) return TextEncoding::Utf16Be;
    if (!startsAsUtf8(bytes)) return TextEncoding::Ansi;
    utf8Decoded = decodeStrictUtf8(bytes.data(), bytes.size(), utf8Text);
    return utf8Decoded ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

// The text of `bytes` in `encoding`, and whether encoding it back gives exactly those bytes.
void decode(const std::string& bytes, TextEncoding encoding, std::wstring& text, bool& exact) {
    size_t skip = markLength(encoding);
    const char* data = bytes.data() + skip;
    size_t size = bytes.size() - skip;
    exact = true;
    if (isUtf16(encoding)) {
        // A trailing odd byte is dropped, so the bytes would not come back.
        bool big = bigEndian(encoding);
        text.resize(size / 2);
        for (size_t i = 0; i < text.size(); ++i) text[i] = unitAt(bytes, skip + 2 * i, big);
        exact = size % 2 == 0;
        return;
    }
    if (encoding != TextEncoding::Ansi) {
        if (decodeStrictUtf8(data, size, text)) return;
        // Not UTF-8 after all (a mark before invalid bytes): readable as ANSI, but a UTF-8 save
        // would write other bytes.
        decodeAnsi(data, size, text);
        exact = false;
        return;
    }
    decodeAnsi(data, size, text);
    exact = ansiWritesBack(bytes, text);
}

void appendUnits(std::string& bytes, const std::wstring& text, bool big) {
    size_t at = bytes.size();
    bytes.resize(at + 2 * text.size());
    for (wchar_t unit : text) {
        char low = static_cast<char>(unit & 0xFF), high = static_cast<char>((unit >> 8) & 0xFF);
        bytes[at++] = big ? high : low;
        bytes[at++] = big ? low : high;
    }
}

// WideCharToMultiByte that refuses any character it cannot write exactly (1113). One call into
// room for the longest result, instead of a call to measure and a call to convert.
bool appendMultiByte(std::string& bytes, const std::wstring& text, UINT codePage) {
    if (text.empty()) return true;
    bool utf8 = codePage == CP_UTF8;
    CPINFO info = {};
    size_t perUnit = utf8 ? 3 : (GetCPInfo(codePage, &info) && info.MaxCharSize > 0 ? info.MaxCharSize : 4);
    DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    size_t at = bytes.size();
    bytes.resize(at + text.size() * perUnit);
    int size = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), bytes.data() + at,
                                   static_cast<int>(bytes.size() - at), nullptr, utf8 ? nullptr : &usedDefault);
    bytes.resize(at + (size > 0 ? static_cast<size_t>(size) : 0));
    if (size <= 0 || usedDefault) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return false;
    }
    return true;
}

// One line into the document with a single allocation; each of its `tabs` tabs becomes four spaces.
void appendLine(const wchar_t* start, size_t length, size_t tabs) {
    if (tabs == 0) {
        loadedText.lines.emplace_back(start, length);
        return;
    }
    std::wstring line;
    line.reserve(length + 3 * tabs);
    size_t run = 0;
    for (size_t i = 0; i < length; ++i) {
        if (start[i] != L'\t') continue;
        line.append(start + run, i - run).append(4, L' ');
        run = i + 1;
    }
    line.append(start + run, length - run);
    loadedText.lines.push_back(std::move(line));
}

// Reads at most the cap: 0, or the code of the failing call (the handle closed either way).
DWORD readCapped(const std::wstring& path, std::string& bytes, bool& partial) {
    FileHandle file = OpenSharedForReading(path);
    if (!file.valid()) return LastFailureCode();
    uint64_t size = 0;
    if (!ReadFileSize(file.get(), size)) return LastFailureCode();
    partial = size > kTextReadCap;
    bytes.resize(static_cast<size_t>(partial ? kTextReadCap : size));
    // A share may hand out less per read; stop only at the end of the file.
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadBytes(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), got))
            return LastFailureCode();
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return 0;
}

}  // namespace

bool isSupportedTextName(const std::wstring& name) {
    std::wstring lower = name;
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    for (const wchar_t* ending : kTextEndings) {
        size_t length = wcslen(ending);
        if (lower.size() >= length && lower.compare(lower.size() - length, length, ending) == 0) return true;
    }
    return false;
}

bool looksLikeUtf16(const std::string& bytes, bool big) {
    if (bytes.size() < 4 || bytes.size() % 2 != 0) return false;
    size_t end = bytes.size() < kTextSampleBytes ? bytes.size() : kTextSampleBytes;
    size_t units = 0, zeros = 0, implausible = 0, plausible = 0, ascii = 0;
    for (size_t at = 0; at + 1 < end; at += 2) {
        wchar_t unit = unitAt(bytes, at, big);
        ++units;
        if (unit == 0) {
            ++zeros;
            continue;
        }
        if (!isPlausibleUnit(unit)) {
            ++implausible;
            continue;
        }
        ++plausible;
        if (unit < 0x100 && (unit == 9 || unit == 10 || unit == 13 || (unit >= 32 && unit <= 126))) ++ascii;
    }
    if (units == 0 || zeros * 20 > units || implausible * 10 > units) return false;
    if (ascii * 2 >= units) return true;
    return plausible * 10 >= units * 9 && ascii * 3 >= units;
}

bool passesTextTest(const std::string& bytes, TextEncoding encoding) {
    if (isUtf16(encoding)) {
        size_t start = markLength(encoding);
        bool markMissing = start != 0 && !startsWith(bytes, bigEndian(encoding) ? "\xFE\xFF" : "\xFF\xFE", 2);
        if (markMissing || bytes.size() % 2 != 0) return false;
        size_t end = bytes.size() - start > kTextSampleBytes ? start + kTextSampleBytes : bytes.size();
        size_t units = 0, implausible = 0;
        for (size_t at = start; at + 1 < end; at += 2) {
            wchar_t unit = unitAt(bytes, at, bigEndian(encoding));
            if (unit == 0) return false;
            ++units;
            implausible += isPlausibleUnit(unit) ? 0 : 1;
        }
        return implausible * 5 <= units;
    }
    size_t end = bytes.size() < kTextSampleBytes ? bytes.size() : kTextSampleBytes;
    size_t control = 0;
    for (size_t at = 0; at < end; ++at) {
        unsigned char byte = static_cast<unsigned char>(bytes[at]);
        if (byte == 0) return false;
        if (byte < 32 && byte != 9 && byte != 10 && byte != 13) ++control;
    }
    return control * 5 <= end;
}

TextEncoding detectEncoding(const std::string& bytes) {
    std::wstring text;
    bool decoded = false;
    return detect(bytes, text, decoded);
}

bool encodeText(const std::wstring& text, TextEncoding encoding, std::string& bytes) {
    bytes.clear();
    if (encoding == TextEncoding::Utf16LeBom) bytes = "\xFF\xFE";
    if (encoding == TextEncoding::Utf16BeBom) bytes = "\xFE\xFF";
    if (encoding == TextEncoding::Utf8Bom) bytes = "\xEF\xBB\xBF";
    if (isUtf16(encoding)) {
        appendUnits(bytes, text, bigEndian(encoding));
        return true;
    }
    return appendMultiByte(bytes, text, encoding == TextEncoding::Ansi ? GetACP() : CP_UTF8);
}

LineEndingStyle splitIntoLines(const std::wstring& text, bool expandTabs, bool partial, bool& mixed) {
    std::vector<std::wstring>& lines = loadedText.lines;
    lines.clear();
    size_t crlf = 0, lf = 0, cr = 0, start = 0, tabs = 0;
    const wchar_t* data = text.data();
    size_t size = text.size();
    // The end of the text ends the last line as a break would.
    for (size_t i = 0;; ++i) {
        while (i < size && data[i] > L'\r') ++i;
        wchar_t c = i < size ? data[i] : L'\n';
        if (c == L'\t') {
            ++tabs;
            continue;
        }
        if (c != L'\n' && c != L'\r') continue;
        appendLine(data + start, i - start, expandTabs ? tabs : 0);
        tabs = 0;
        if (i >= size) break;
        if (c == L'\r' && i + 1 < size && data[i + 1] == L'\n') {
            ++crlf;
            ++i;
        } else {
            ++(c == L'\n' ? lf : cr);
        }
        start = i + 1;
    }
    if (partial) {
        lines.emplace_back();
        lines.push_back(localize(kTruncatedMarker));
    }
    mixed = (crlf != 0) + (lf != 0) + (cr != 0) > 1;
    if (crlf >= lf && crlf >= cr) return LineEndingStyle::CrLf;
    return lf >= cr ? LineEndingStyle::Lf : LineEndingStyle::Cr;
}

LoadOutcome loadTextBytes(const std::string& bytes, bool expandTabs, bool partial) {
    std::wstring text;
    bool decoded = false, exact = true;
    TextEncoding encoding = detect(bytes, text, decoded);
    if (!passesTextTest(bytes, encoding)) {
        SetLastError(0);
        return LoadOutcome::NotText;
    }
    if (!decoded) decode(bytes, encoding, text, exact);
    // Content that decodes to nothing would load as an empty document that a save empties.
    if (text.empty() && bytes.size() > markLength(encoding)) {
        SetLastError(0);
        return LoadOutcome::NotText;
    }
    loadedText.encoding = encoding;
    // Lines hold no breaks, so joining them with the style gives the text back exactly when every
    // break was of that style; the rest of the bytes come back as `exact` says.
    bool mixed = false;
    loadedText.lineEnding = splitIntoLines(text, expandTabs, partial, mixed);
    loadedText.unsafeToSave = !exact;
    loadedText.mixedLineBreaks = exact && mixed;
    return LoadOutcome::Loaded;
}

LoadOutcome loadTextFile(const std::wstring& path, bool expandTabs, bool& partial) {
    partial = false;
    std::string bytes;
    DWORD code = readCapped(path, bytes, partial);
    if (code != 0) {
        partial = false;
        SetLastError(code);  // again: closing the handle may have touched it
        return LoadOutcome::ReadFailed;
    }
    return loadTextBytes(bytes, expandTabs, partial);
}

void clearLoadedText() {
    loadedText = LoadedText();
}
