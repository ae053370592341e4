// Random and mutated settings files: loading never fails on them, and each ends with settings in
// range (the defaults, or the record's own values pulled in) and a record on disk that loads.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/temp_folder.h"
#include "settings/settings.h"

namespace {

bool inRange(const AppSettings& s) {
    auto in = [](int32_t value, int count) { return value >= 0 && value < count; };
    return in(s.language, kLanguageCount) && in(s.backgroundColor, kBackgroundCount) &&
           in(s.selectionBarColor, kSelectionBarCount) && in(s.textColor, kTextColorCount) &&
           in(s.textStyle, kTextStyleCount) && in(s.fontSize, kFontSizeCount) && in(s.panelBorder, kPanelBorderCount);
}

bool sameSettings(const AppSettings& a, const AppSettings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

int32_t oddValue(std::mt19937& random) {
    const int32_t edges[] = {INT32_MIN, -1, 0, 1, 2, 3, 6, 7, 99, INT32_MAX};
    return random() % 2 ? edges[random() % 10] : static_cast<int32_t>(random());
}

// One file's bytes: random bytes of any length, or a valid record with bits flipped, cut short or
// lengthened, or with odd field values and its check value made right again, so that it is accepted
// however odd they are. (Other magic and versions are rows of the file test: the decoder decides.)
std::vector<uint8_t> fuzzedFile(std::mt19937& random, int round) {
    SettingsRecord record = encodeSettings(round % 3 ? AppSettings{} : AppSettings{3, 6, 5, 4, 0, 2, 3});
    std::vector<uint8_t> bytes(record.begin(), record.end());
    switch (round % 4) {
    case 0:
        bytes.resize(random() % 4 ? kSettingsRecordSize : random() % 97);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
        break;
    case 1:
        for (int flips = 1 + random() % 3; flips > 0; --flips) bytes[random() % 44] ^= static_cast<uint8_t>(1 << random() % 8);
        break;
    case 2: {
        scrambleSettings(record);  // the plain bytes: fields from 12, the check value at 40
        for (int field = 0; field < 7; ++field) {
            if (random() % 2) continue;
            uint32_t value = static_cast<uint32_t>(oddValue(random));
            for (int i = 0; i < 4; ++i) record[12 + 4 * field + i] = static_cast<uint8_t>(value >> (8 * i));
        }
        uint32_t hash = settingsHash(record.data());
        for (int i = 0; i < 4; ++i) record[40 + i] = static_cast<uint8_t>(hash >> (8 * i));
        scrambleSettings(record);
        bytes.assign(record.begin(), record.end());
        break;
    }
    default:
        bytes.resize(random() % 2 ? random() % 44 : 45 + random() % 20, static_cast<uint8_t>(random()));
    }
    return bytes;
}

TEST(SettingsFuzz, EveryFileEndsInValidSettingsAndALoadableRecord) {
    std::mt19937 random(20261207);
    TempFolder temp;
    const std::wstring path = temp / L"torvanecommander.cset";
    const SettingsRecord defaults = encodeSettings(AppSettings{});
    int accepted = 0, onDisk = 0;
    for (int round = 0; round < 100000; ++round) {
        const std::vector<uint8_t> bytes = fuzzedFile(random, round);
        SettingsRecord record = {};
        AppSettings decoded;
        if (bytes.size() == record.size()) std::memcpy(record.data(), bytes.data(), record.size());
        const bool valid = bytes.size() == record.size() && decodeSettings(record, decoded);
        if (valid) clampSettings(decoded);
        const AppSettings expected = valid ? decoded : AppSettings{};

        appSettings = AppSettings{2, 2, 2, 2, 0, 0, 2};  // leftovers must never survive
        ASSERT_EQ(settingsFromBytes(bytes), valid) << "round " << round;
        ASSERT_TRUE(inRange(appSettings) && sameSettings(appSettings, expected)) << "round " << round;
        applyTheme();  // start-up's next step indexes its tables with these values
        accepted += valid;

        // One in a hundred, each kind in turn, through a real file as start-up reads it: the same
        // settings, and a record on disk that loads (the file as it was when accepted, else the
        // defaults written fresh).
        if (round % 100 != round / 100 % 4) continue;
        temp.file(L"torvanecommander.cset", std::string(bytes.begin(), bytes.end()));
        appSettings = AppSettings{2, 2, 2, 2, 0, 0, 2};
        ASSERT_EQ(loadSettingsFrom(path), valid) << "round " << round;
        ASSERT_TRUE(sameSettings(appSettings, expected)) << "round " << round;
        std::vector<uint8_t> disk;
        ASSERT_TRUE(readSettingsFile(path, disk)) << "round " << round;
        ASSERT_EQ(disk, valid ? bytes : std::vector<uint8_t>(defaults.begin(), defaults.end())) << "round " << round;
        ++onDisk;
    }
    // The mix must reach both outcomes often, or it proves little.
    EXPECT_GT(accepted, 10000);
    EXPECT_GT(100000 - accepted, 50000);
    EXPECT_EQ(onDisk, 1000);
}

}  // namespace
