#include "ui/state.h"

#include "settings/language.h"
#include "ui/pump.h"

ScreenMode screenMode = ScreenMode::MainView;
std::wstring statusLine;
int32_t functionBarIndex = 0;
int32_t functionBarFocused = 0;
bool cancelRequested = false;
int32_t settingsRow = 0;
std::wstring folderNameInput;
std::wstring renameInput;
int32_t renameChoice = 1, deleteChoice = 1, copyOverwriteChoice = 1, moveOverwriteChoice = 1, runChoice = 1;
std::wstring messageTitle, messageText, messageHint;

namespace {
const LocalizedText kCloseHint = {L"Enter / ESC = close", L"Enter / ESC = schliessen", L"Enter / ESC = fermer",
                                  L"Enter / ESC = chiudere"};
const LocalizedText kCancelRequested = {L"Cancel requested...", L"Abbruch angefordert...",
                                        L"Annulation demandee...", L"Annullamento richiesto..."};
}  // namespace

void setStatus(const std::wstring& text) {
    statusLine = text;
}

void requestRepaint(HWND window) {
    if (window) InvalidateRect(window, nullptr, FALSE);
}

void reportStatus(HWND window, const std::wstring& text) {
    setStatus(text);
    requestRepaint(window);
}

void switchScreen(HWND window, ScreenMode mode, const std::wstring& text) {
    screenMode = mode;
    reportStatus(window, text);
}

void showMessageBox(HWND window, const std::wstring& title, const std::wstring& text) {
    screenMode = ScreenMode::MessageBox;
    messageTitle = title;
    messageText = text;
    messageHint = localize(kCloseHint);
    reportStatus(window, title);
}

void closeMessageBox(HWND window) {
    screenMode = ScreenMode::MainView;
    setStatus(messageTitle);
    messageTitle.clear();
    messageText.clear();
    messageHint.clear();
    requestRepaint(window);
}

void requestCancel(HWND window) {
    cancelRequested = true;
    reportStatus(window, localize(kCancelRequested));
}

bool isProgressMode(ScreenMode mode) {
    return mode == ScreenMode::DeleteProgress || mode == ScreenMode::CopyProgress ||
           mode == ScreenMode::MoveProgress;
}

void confirmationKey(HWND window, UINT key, int32_t& choice, void (*onYes)(HWND), void (*onCancel)(HWND)) {
    switch (key) {
    case VK_ESCAPE:
        onCancel(window);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        choice = 1 - choice;
        requestRepaint(window);
        break;
    case VK_RETURN:
        if (choice == 0)
            onYes(window);
        else
            onCancel(window);
        break;
    default:
        break;
    }
}

bool appendToInput(std::wstring& input, size_t limit, wchar_t ch) {
    if (ch < 32 || ch == 0x7F) return false;
    bool halfPairAtEnd = !input.empty() && IS_HIGH_SURROGATE(input.back());
    if (IS_LOW_SURROGATE(ch)) {
        // Only the second half of the pair just begun; a lone low half is never kept.
        if (!halfPairAtEnd) return false;
        input.push_back(ch);
        return true;
    }
    if (halfPairAtEnd) input.pop_back();  // its low half never came
    size_t units = IS_HIGH_SURROGATE(ch) ? 2 : 1;  // a pair is taken only when both halves fit
    if (input.size() + units > limit) return halfPairAtEnd;
    input.push_back(ch);
    return true;
}

bool removeLastCharacter(std::wstring& input) {
    if (input.empty()) return false;
    size_t n = input.size();
    bool pair = n >= 2 && IS_LOW_SURROGATE(input[n - 1]) && IS_HIGH_SURROGATE(input[n - 2]);
    input.erase(n - (pair ? 2 : 1));
    return true;
}

void resetUiState() {
    screenMode = ScreenMode::MainView;
    statusLine.clear();
    functionBarIndex = 0;
    functionBarFocused = 0;
    cancelRequested = false;
    settingsRow = 0;
    folderNameInput.clear();
    renameInput.clear();
    renameChoice = deleteChoice = copyOverwriteChoice = moveOverwriteChoice = runChoice = 1;
    messageTitle.clear();
    messageText.clear();
    messageHint.clear();
    resetPump();
}
