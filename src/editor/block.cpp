#include "editor/block.h"

#include <algorithm>
#include <cstring>

#include "editor/buffer.h"
#include "settings/language.h"
#include "ui/state.h"

namespace {

const LocalizedText kNoBlock = {L"No editor block marked.", L"Kein Editor-Block markiert.",
                                L"Aucun bloc editeur marque.", L"Nessun blocco editor marcato."};
const LocalizedText kCopied = {L"Block copied to clipboard.", L"Block in Zwischenablage kopiert.",
                               L"Bloc copie dans le presse-papiers.", L"Blocco copiato negli appunti."};
const LocalizedText kCut = {L"Block cut to clipboard.", L"Block ausgeschnitten und in Zwischenablage kopiert.",
                            L"Bloc coupe dans le presse-papiers.", L"Blocco tagliato negli appunti."};
const LocalizedText kFailed = {L"Clipboard operation failed.", L"Zwischenablage-Operation fehlgeschlagen.",
                               L"Operation presse-papiers echouee.", L"Operazione appunti fallita."};
const LocalizedText kNoText = {L"Clipboard is empty or contains no text.",
                               L"Zwischenablage ist leer oder enthaelt keinen Text.",
                               L"Presse-papiers vide ou sans texte.", L"Appunti vuoti o senza testo."};
const LocalizedText kTooLong = {L"Clipboard text is too large for the editor.",
                                L"Zwischenablage-Text ist fuer den Editor zu gross.",
                                L"Texte du presse-papiers trop grand pour l'editeur.",
                                L"Testo degli appunti troppo grande per l'editor."};
const LocalizedText kLimit = {L"Editor size limit reached. Paste canceled.",
                              L"Editor-Groessenlimit erreicht. Einfuegen abgebrochen.",
                              L"Limite de taille editeur atteinte. Collage annule.",
                              L"Limite dimensione editor raggiunto. Incolla annullato."};
const LocalizedText kPasted = {L"Clipboard inserted.", L"Zwischenablage eingefuegt.", L"Presse-papiers insere.",
                               L"Appunti inseriti."};

// Closes the clipboard at the end of the scope it was opened in.
class OpenedClipboard {
public:
    // Another program (a clipboard manager, a viewer) may hold it for a moment: a few short tries.
    explicit OpenedClipboard(HWND window) {
        for (int tries = 1; !(open_ = OpenClipboard(window) != 0) && tries < 5; ++tries) Sleep(10);
    }
    ~OpenedClipboard() { if (open_) CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

private:
    bool open_ = false;
};

// Copies the block to the clipboard and says so unless it worked; false without a block too.
bool blockToClipboard(HWND window) {
    if (!editor.blockActive) {
        reportStatus(window, localize(kNoBlock));
        return false;
    }
    if (!putClipboardText(window, blockText())) {
        reportStatus(window, localize(kFailed));
        return false;
    }
    return true;
}

}  // namespace

bool putClipboardText(HWND window, const std::wstring& text) {
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    OpenedClipboard clipboard(window);
    if (!clipboard.open() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;  // the clipboard owns the memory now
}

bool readClipboardText(HWND window, std::wstring& text, size_t limit) {
    text.clear();
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
    OpenedClipboard clipboard(window);
    if (!clipboard.open()) return false;
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* source = memory ? static_cast<const wchar_t*>(GlobalLock(memory)) : nullptr;
    if (!source) return false;
    // Another program may have put a block without its terminating NUL there.
    size_t units = std::min(GlobalSize(memory) / sizeof(wchar_t), limit), length = 0;
    while (length < units && source[length] != L'\0') ++length;
    text.assign(source, length);
    GlobalUnlock(memory);
    return true;
}

void copyBlock(HWND window) {
    if (blockToClipboard(window)) reportStatus(window, localize(kCopied));
}

void cutBlock(HWND window) {
    if (!blockToClipboard(window)) return;
    deleteBlockLines();
    reportStatus(window, localize(kCut));
}

void pasteClipboard(HWND window) {
    std::wstring text;
    // One unit over the limit is enough to refuse: hundreds of megabytes are never copied.
    if (!readClipboardText(window, text, kClipboardTextLimit + 1)) return reportStatus(window, localize(kNoText));
    if (text.size() > kClipboardTextLimit) return reportStatus(window, localize(kTooLong));
    size_t size = documentSize();
    if (size > kEditorSizeLimit || text.size() > kEditorSizeLimit - size) return reportStatus(window, localize(kLimit));
    insertText(text);
    reportStatus(window, localize(kPasted));
}
