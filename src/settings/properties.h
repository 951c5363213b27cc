#pragma once

#include <string>

#include "settings/colors_page.h"
#include "settings/excluded_apps_page.h"
#include "settings/settings_page.h"

namespace perch {

// What the three pages of the properties sheet hold: built from the Settings record when
// the sheet opens, read back after OK. A page that was never shown keeps what it was built
// with.
struct PropertiesPages {
    SettingsPageValues settings;
    ColorsPageValues colors;
    std::string excludedApps;  // edited form: one entry a line

    static PropertiesPages From(const Settings& record) {
        return {SettingsPageValues::From(record), ColorsPageValues::From(record),
                ExcludedAppsToEdited(record.ExcludedApps)};
    }
};

}  // namespace perch
