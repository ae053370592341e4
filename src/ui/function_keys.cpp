#include "ui/function_keys.h"

#include "settings/language.h"

namespace {

const wchar_t* const kKeyLabels[12] = {L"[F1]", L"[F2]", L"[F3]", L"[F4]",  L"[F5]",  L"[F6]",
                                       L"[F7]", L"[F8]", L"[F9]", L"[F10]", L"[F11]", L"[F12]"};
const LocalizedText kFunctionNames[12] = {
    {L"HELP", L"HILFE", L"AIDE", L"AIUTO"},
    {L"RENAME", L"UMBENENNEN", L"RENOMMER", L"RINOMINA"},
    {L"VIEW", L"ANSICHT", L"VOIR", L"VISTA"},
    {L"EDIT", L"BEARBEITEN", L"EDITER", L"MODIFICA"},
    {L"COPY", L"KOPIEREN", L"COPIER", L"COPIA"},
    {L"MOVE", L"VERSCHIEBEN", L"DEPLACER", L"SPOSTA"},
    {L"FOLDER", L"ORDNER", L"DOSSIER", L"CARTELLA"},
    {L"DELETE", L"LOESCHEN", L"EFFACER", L"ELIMINA"},
    {L"MENU", L"MENUE", L"MENU", L"MENU"},
    {L"EXIT", L"ENDE", L"QUITTER", L"ESCI"},
    {L"SETTINGS", L"EINSTELLUNG", L"REGLAGES", L"OPZIONI"},
    {L"INFO", L"INFO", L"INFO", L"INFO"},
};

}  // namespace

std::wstring functionName(int index) {
    return localizedRow(kFunctionNames, index);
}

std::wstring functionKeyLabel(int index) {
    if (index < 0 || index >= 12) return std::wstring();
    return kKeyLabels[index];
}

std::wstring functionLabel(int index) {
    if (index < 0 || index >= 12) return std::wstring();
    return functionKeyLabel(index) + L" " + functionName(index);
}
