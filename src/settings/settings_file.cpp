// Placeholder until the settings file lands: defaults only.
#include "settings/settings.h"

void loadSettings() {
    appSettings = AppSettings();
    clampSettings();
}

void saveSettings() {}
