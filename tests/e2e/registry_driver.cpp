// Drives the registry store on the real registry, for the end-to-end script:
//   registry_driver dump    load as the board does at start-up and print every value
//   registry_driver write   load, change a known set of values, save as at exit
//   registry_driver compat  strings across the ANSI and the wide functions: writes Excluded
//                           Apps and FaceName with RegSetValueExA as an earlier Perch did
//                           (code page bytes) and prints them as loaded (UTF-8); then saves
//                           an ASCII list and prints it as RegQueryValueExA reads it
#include <cmath>
#include <cstdio>
#include <cstring>

#include <windows.h>

#include "settings/registry_store.h"
#include "settings/win32/registry_profile.h"

namespace {

void Dump(const perch::FontDescription& f, const perch::Settings& s) {
    std::printf("Height=%d\nWeight=%d\nItalic=%u\nUnderline=%u\nPitchAndFamily=%u\nFaceName=%s\n",
                f.height, f.weight, f.italic, f.underline, f.pitchAndFamily, f.faceName);
    std::printf("Boxes=%d\nMenu=%d\nAuto=%d\nSmartPos=%d\nResize=%d\nFirst=%d\nPaths=%d\n", s.Boxes,
                s.Menu, s.Auto, s.SmartPos, s.Resize, s.First, s.Paths);
    std::printf("Splash=%d\nFocus=%d\nSave=%d\nNumColumns=%d\nNumRows=%d\nNumChars=%d\n", s.Splash,
                s.Focus, s.Save, s.NumColumns, s.NumRows, s.NumChars);
    std::printf("UpdateMs=%ld\nCapitals=%d\nSort=%d\nVisibility=%d\n",
                std::lround(static_cast<double>(s.Update) * 1000.0), s.Capitals, s.Sort,
                s.Visibility);
    std::printf("XPos=%d\nYPos=%d\nXSize=%d\nYSize=%d\n", s.XPos, s.YPos, s.XSize, s.YSize);
    std::printf("ExcludedAppsLength=%zu\nExcludedApps=%s\n", s.ExcludedApps.size(),
                s.ExcludedApps.c_str());
    std::printf("TextColor=%06x\nBkgndColor=%06x\nHltColor=%06x\nFocusColor=%06x\n", s.TextColor,
                s.BkgndColor, s.HltColor, s.FocusColor);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: registry_driver dump|write\n");
        return 2;
    }
    perch::RegistryProfile profile("Halden", "Perch");
    perch::RegistryStore store(profile);
    perch::FontDescription font, storedFont;
    perch::Settings settings, stored;
    store.LoadSettingsAtStartup(font, storedFont, settings, stored);

    if (std::strcmp(argv[1], "dump") == 0) {
        Dump(font, settings);
        return 0;
    }
    if (std::strcmp(argv[1], "write") == 0) {
        font.height = -16;
        font.italic = 1;
        std::strcpy(font.faceName, "Tahoma");
        settings.NumColumns = 7;
        settings.Update = 14 * 0.1f;  // as the Settings page computes 1.4 s
        settings.Visibility = perch::kVisibilityAlwaysOnTop;
        settings.ExcludedApps = "Word||Excel";
        settings.HltColor = perch::MakeColor(255, 0, 128);
        store.SaveSettingsAtExit({100, 200, 400, 350}, font, storedFont, settings, stored);
        return 0;
    }
    if (std::strcmp(argv[1], "compat") == 0) {
        HKEY options = nullptr;
        HKEY fontKey = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halden\\Perch\\Options", 0, nullptr, 0,
                            KEY_READ | KEY_WRITE, nullptr, &options, nullptr) != ERROR_SUCCESS ||
            RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halden\\Perch\\Font", 0, nullptr, 0,
                            KEY_READ | KEY_WRITE, nullptr, &fontKey, nullptr) != ERROR_SUCCESS) {
            return 1;
        }
        const char list[] = "Caf\xE9" "||Word";    // "Café" in code page 1252
        const char face[] = "Cour\xEE" "er New";   // "Courîer New"
        RegSetValueExA(options, "Excluded Apps", 0, REG_SZ, reinterpret_cast<const BYTE*>(list),
                       sizeof list);
        RegSetValueExA(fontKey, "FaceName", 0, REG_SZ, reinterpret_cast<const BYTE*>(face),
                       sizeof face);
        store.LoadSettingsAtStartup(font, storedFont, settings, stored);
        std::printf("ExcludedApps=%s\nFaceName=%s\n", settings.ExcludedApps.c_str(), font.faceName);
        settings.ExcludedApps = "Notes||Mail";
        store.SaveSettingsAtExit({100, 200, 400, 350}, font, storedFont, settings, stored);
        char ansi[64] = {};
        DWORD size = sizeof ansi - 1;
        RegQueryValueExA(options, "Excluded Apps", nullptr, nullptr, reinterpret_cast<BYTE*>(ansi),
                         &size);
        std::printf("AnsiRead=%s\n", ansi);
        RegCloseKey(options);
        RegCloseKey(fontKey);
        return 0;
    }
    std::fprintf(stderr, "unknown verb %s\n", argv[1]);
    return 2;
}
