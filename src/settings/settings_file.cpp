// The settings file: 44 bytes (magic, version, seven fields, FNV-1a check value), little-endian,
// XOR-scrambled, written through a temporary file so a failed write never damages the old one.
#include <cstring>
#include <string>

#include "fs/handles.h"
#include "fs/paths.h"
#include "settings/settings.h"

namespace {

const wchar_t kSettingsFileName[] = L"torvanecommander.cset";
const uint8_t kMagic[8] = {'T', 'R', 'V', 'S', 'E', 'T', '1', 0};
const char kScrambleKey[] = "MERIDAN-KOLVE-93";
constexpr uint32_t kVersion = 1;
constexpr size_t kHashedBytes = 40;

void putU32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t getU32(const uint8_t* at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(at[i]) << (8 * i);
    return value;
}

// The temporary file lives beside the target, so the final rename stays on one volume. The
// process id keeps two running copies of the program from sharing one.
std::wstring temporaryPathFor(const std::wstring& target) {
    return target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

bool writeAll(const std::wstring& path, const SettingsRecord& record) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    if (!WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr)) return false;
    if (written != record.size()) return false;
    if (!FlushFileBuffers(file.get())) return false;
    return file.close();
}

}  // namespace

std::wstring settingsFilePath() {
    std::wstring exe = ExecutablePath();
    size_t separator = exe.find_last_of(L"\\/");
    if (exe.empty() || separator == std::wstring::npos) return kSettingsFileName;
    return exe.substr(0, separator + 1) + kSettingsFileName;
}

uint32_t settingsHash(const uint8_t* bytes40) {
    uint32_t hash = 0x811C9DC5u;
    for (size_t i = 0; i < kHashedBytes; ++i) {
        hash ^= bytes40[i];
        hash *= 16777619u;
    }
    return hash;
}

void scrambleSettings(SettingsRecord& record) {
    for (size_t i = 0; i < record.size(); ++i) {
        uint8_t position = static_cast<uint8_t>(i * 31 + 17);
        record[i] ^= static_cast<uint8_t>(position ^ static_cast<uint8_t>(kScrambleKey[i % 16]));
    }
}

SettingsRecord encodeSettings(AppSettings settings) {
    clampSettings(settings);
    SettingsRecord record = {};
    std::memcpy(record.data(), kMagic, sizeof kMagic);
    putU32(&record[8], kVersion);
    const int32_t fields[7] = {settings.language,  settings.backgroundColor, settings.selectionBarColor,
                               settings.textColor, settings.textStyle,       settings.fontSize,
                               settings.panelBorder};
    for (int i = 0; i < 7; ++i) putU32(&record[12 + 4 * i], static_cast<uint32_t>(fields[i]));
    putU32(&record[40], settingsHash(record.data()));
    scrambleSettings(record);
    return record;
}

bool decodeSettings(const SettingsRecord& scrambled, AppSettings& out) {
    SettingsRecord record = scrambled;
    scrambleSettings(record);
    if (std::memcmp(record.data(), kMagic, sizeof kMagic) != 0) return false;
    if (getU32(&record[8]) != kVersion) return false;
    if (getU32(&record[40]) != settingsHash(record.data())) return false;
    int32_t* fields[7] = {&out.language,  &out.backgroundColor, &out.selectionBarColor, &out.textColor,
                          &out.textStyle, &out.fontSize,        &out.panelBorder};
    for (int i = 0; i < 7; ++i) *fields[i] = static_cast<int32_t>(getU32(&record[12 + 4 * i]));
    return true;
}

bool readSettingsFile(const std::wstring& path, std::vector<uint8_t>& out) {
    out.clear();
    std::wstring longPath = LongPath(path);
    DWORD attributes = GetFileAttributesW(longPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    FileHandle file(CreateFileW(longPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart != static_cast<LONGLONG>(kSettingsRecordSize))
        return false;
    out.resize(kSettingsRecordSize);
    DWORD read = 0;
    if (!ReadFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &read, nullptr) ||
        read != kSettingsRecordSize) {
        out.clear();
        return false;
    }
    return true;
}

bool saveSettingsTo(const std::wstring& path) {
    clampSettings();
    SettingsRecord record = encodeSettings(appSettings);
    std::wstring target = LongPath(path);
    // A read-only file is left alone: Windows refuses to replace it, and Wine would not, so the
    // check is made here to behave the same on both.
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    std::wstring temporary = temporaryPathFor(target);
    // The old file is replaced only by a complete, flushed record; anything less leaves it as it was.
    if (writeAll(temporary, record) &&
        MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

bool settingsFromBytes(const std::vector<uint8_t>& bytes) {
    appSettings = AppSettings{};
    SettingsRecord record = {};
    AppSettings loaded;
    if (bytes.size() == record.size()) {
        std::memcpy(record.data(), bytes.data(), record.size());
        if (decodeSettings(record, loaded)) {
            // Out-of-range values are pulled in for this run only; the file keeps them.
            appSettings = loaded;
            clampSettings();
            return true;
        }
    }
    clampSettings();
    return false;
}

bool loadSettingsFrom(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    readSettingsFile(path, bytes);  // nothing read leaves no bytes, which are refused
    if (settingsFromBytes(bytes)) return true;
    saveSettingsTo(path);
    return false;
}

void saveSettings() {
    saveSettingsTo(settingsFilePath());
}

void loadSettings() {
    loadSettingsFrom(settingsFilePath());
}
