// Random and mutated settings records: loading never fails on them, and each ends with settings in
// range (the defaults, or the record's own values pulled in).
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace {

bool inRange(const AppSettings& s) {
    auto in = [](int32_t value, int count) { return value >= 0 && value < count; };
    return in(s.language, kLanguageCount) && in(s.backgroundColor, kBackgroundCount) &&
           in(s.selectionBarColor, kSelectionBarCount) && in(s.textColor, kTextColorCount) &&
           in(s.textStyle, kTextStyleCount) && in(s.fontSize, kFontSizeCount) && in(s.panelBorder, kPanelBorderCount);
}

int32_t oddValue(std::mt19937& random) {
    const int32_t edges[] = {INT32_MIN, -1, 0, 1, 2, 3, 6, 7, 99, INT32_MAX};
    return random() % 2 ? edges[random() % 10] : static_cast<int32_t>(random());
}

// One file's bytes: random bytes of any length, or a valid record with bits flipped, or with odd
// field values and its check value made right again, so that it is accepted however odd they are.
// (Other magic and versions, and the file on disk, are rows of the file test.)
std::vector<uint8_t> fuzzedFile(std::mt19937& random, int round) {
    SettingsRecord record = encodeSettings(round / 3 % 2 ? AppSettings{} : AppSettings{3, 6, 5, 4, 0, 2, 3});
    std::vector<uint8_t> bytes(record.begin(), record.end());
    if (round % 3 == 0) {
        bytes.resize(random() % 4 ? kSettingsRecordSize : random() % 97);
        for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    } else if (round % 3 == 1) {
        for (int flips = 1 + random() % 3; flips > 0; --flips) bytes[random() % 44] ^= static_cast<uint8_t>(1 << random() % 8);
    } else {
        scrambleSettings(record);  // the plain bytes: fields from 12, the check value at 40
        auto put = [&](int at, uint32_t value) {
            for (int i = 0; i < 4; ++i) record[at + i] = static_cast<uint8_t>(value >> (8 * i));
        };
        for (int field = 0; field < 7; ++field)
            if (random() % 2) put(12 + 4 * field, static_cast<uint32_t>(oddValue(random)));
        put(40, settingsHash(record.data()));
        scrambleSettings(record);
        bytes.assign(record.begin(), record.end());
    }
    return bytes;
}

TEST(SettingsFuzz, EveryFileEndsInValidSettings) {
    std::mt19937 random(20261207);
    int accepted = 0;
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
        ASSERT_TRUE(inRange(appSettings) && std::memcmp(&appSettings, &expected, sizeof expected) == 0) << "round " << round;
        applyTheme();  // start-up's next step indexes its tables with these values
        accepted += valid;
    }
    // The mix must reach both outcomes often, or it proves little.
    EXPECT_GT(accepted, 10000);
    EXPECT_GT(100000 - accepted, 50000);
}

}  // namespace
