#include "settings/registry_store.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>

#include "platform/utf8.h"

namespace perch {
namespace {

using IntField = std::int32_t Settings::*;

struct NamedInt {
    std::string_view name;
    IntField field;
};

// The tables keep the registry order: loads and saves walk them in different sequences.
constexpr NamedInt kFlags[] = {
    {"Boxes", &Settings::Boxes},       {"Menu", &Settings::Menu},     {"Auto", &Settings::Auto},
    {"SmartPos", &Settings::SmartPos}, {"Resize", &Settings::Resize}, {"First", &Settings::First},
    {"Paths", &Settings::Paths},       {"Splash", &Settings::Splash}, {"Focus", &Settings::Focus},
};
constexpr NamedInt kSave = {"Save", &Settings::Save};
constexpr NamedInt kCounts[] = {
    {"NumColumns", &Settings::NumColumns},
    {"NumRows", &Settings::NumRows},
    {"NumChars", &Settings::NumChars},
};
constexpr NamedInt kChoices[] = {
    {"Capitals", &Settings::Capitals},
    {"Sort", &Settings::Sort},
    {"Visibility", &Settings::Visibility},
};
constexpr NamedInt kPosition[] = {
    {"X Pos", &Settings::XPos},
    {"Y Pos", &Settings::YPos},
    {"X Size", &Settings::XSize},
    {"Y Size", &Settings::YSize},
};
constexpr std::string_view kUpdate = "Update";
constexpr std::string_view kExcludedApps = "Excluded Apps";

struct NamedColor {
    std::string_view red;
    std::string_view green;
    std::string_view blue;
    ColorRef Settings::*field;
};

constexpr NamedColor kColors[] = {
    {"Red Text", "Green Text", "Blue Text", &Settings::TextColor},
    {"Red Bkgnd", "Green Bkgnd", "Blue Bkgnd", &Settings::BkgndColor},
    {"Red Hlt", "Green Hlt", "Blue Hlt", &Settings::HltColor},
    {"Red Focus", "Green Focus", "Blue Focus", &Settings::FocusColor},
};

constexpr std::string_view kHeight = "Height";
constexpr std::string_view kWeight = "Weight";
constexpr std::string_view kItalic = "Italic";
constexpr std::string_view kUnderline = "Underline";
constexpr std::string_view kPitchAndFamily = "PitchAndFamily";
constexpr std::string_view kFaceName = "FaceName";

const Settings kDefaults{};

std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The face name up to its terminator; a name that fills the whole field ends there.
std::string_view FaceNameOf(const FontDescription& font) {
    const char* begin = font.faceName;
    const char* end = std::find(begin, begin + FontDescription::kFaceSize, '\0');
    return {begin, static_cast<std::size_t>(end - begin)};
}

// The name up to its first zero, cut to at most 31 whole characters (31 bytes of ASCII, as
// ever), the rest of the field zero, never past the end.
void SetFaceName(FontDescription& font, std::string_view name) {
    const std::size_t terminator = std::min(name.find('\0'), name.size());
    const std::size_t length = CutToChars(name.substr(0, terminator),
                                          static_cast<std::size_t>(FontDescription::kFaceChars));
    std::memset(font.faceName, 0, sizeof font.faceName);
    std::memcpy(font.faceName, name.data(), length);
}

std::int32_t Difference(std::int32_t high, std::int32_t low) {
    const std::int64_t d = static_cast<std::int64_t>(high) - low;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        d, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void RegistryStore::WriteIntIfChanged(std::string_view section, std::string_view name,
                                      std::int32_t value, std::int32_t storedValue) {
    if (value != storedValue) {
        profile_.WriteInt(section, name, value);
    }
}

void RegistryStore::LoadFont(std::string_view section, FontDescription& font) {
    font.height = profile_.ReadInt(section, kHeight, kDefaultFont.height);
    if (font.height == 0) {
        return;
    }
    LoadFontDetails(section, font);
}

void RegistryStore::LoadFontDetails(std::string_view section, FontDescription& font) {
    font.weight = profile_.ReadInt(section, kWeight, kDefaultFont.weight);
    font.italic = LowByte(profile_.ReadInt(section, kItalic, kDefaultFont.italic));
    font.underline = LowByte(profile_.ReadInt(section, kUnderline, kDefaultFont.underline));
    font.pitchAndFamily =
        LowByte(profile_.ReadInt(section, kPitchAndFamily, kDefaultFont.pitchAndFamily));
    SetFaceName(font, profile_.ReadString(section, kFaceName, FaceNameOf(kDefaultFont)));
}

void RegistryStore::SaveFont(std::string_view section, const FontDescription& font,
                             FontDescription& stored) {
    WriteIntIfChanged(section, kHeight, font.height, stored.height);
    if (font.height != 0) {
        WriteIntIfChanged(section, kWeight, font.weight, stored.weight);
        WriteIntIfChanged(section, kItalic, font.italic, stored.italic);
        WriteIntIfChanged(section, kUnderline, font.underline, stored.underline);
        WriteIntIfChanged(section, kPitchAndFamily, font.pitchAndFamily, stored.pitchAndFamily);
        if (FaceNameOf(font) != FaceNameOf(stored)) {
            profile_.WriteString(section, kFaceName, FaceNameOf(font));
        }
    }
    stored = font;
}

void RegistryStore::LoadOptions(std::string_view section, Settings& settings) {
    auto read = [&](std::string_view sectionName, const NamedInt& value) {
        settings.*value.field = profile_.ReadInt(sectionName, value.name, kDefaults.*value.field);
    };
    for (const NamedInt& flag : kFlags) {
        read(section, flag);
    }
    read(section, kSave);
    for (const NamedInt& count : kCounts) {
        read(section, count);
    }
    settings.Update = MillisecondsToUpdate(
        profile_.ReadInt(section, kUpdate, UpdateToMilliseconds(kDefaults.Update)));
    for (const NamedInt& choice : kChoices) {
        read(section, choice);
    }
    settings.ExcludedApps = profile_.ReadString(section, kExcludedApps, kDefaults.ExcludedApps);
    for (const NamedInt& position : kPosition) {
        read(kPositionSection, position);
    }
}

void RegistryStore::SaveOptions(std::string_view section, const Settings& settings,
                                const Settings& stored) {
    auto write = [&](std::string_view sectionName, const NamedInt& value) {
        WriteIntIfChanged(sectionName, value.name, settings.*value.field, stored.*value.field);
    };
    write(section, kSave);
    // Switching saving off is itself remembered; everything else keeps its stored value.
    if (settings.Save == 0) {
        return;
    }
    for (const NamedInt& flag : kFlags) {
        write(section, flag);
    }
    for (const NamedInt& count : kCounts) {
        write(section, count);
    }
    if (settings.Update != stored.Update) {
        profile_.WriteInt(section, kUpdate, UpdateToMilliseconds(settings.Update));
    }
    for (const NamedInt& choice : kChoices) {
        write(section, choice);
    }
    for (const NamedInt& position : kPosition) {
        write(kPositionSection, position);
    }
    if (settings.ExcludedApps != stored.ExcludedApps) {
        profile_.WriteString(section, kExcludedApps, settings.ExcludedApps);
    }
}

void RegistryStore::LoadColors(std::string_view section, Settings& settings) {
    for (const NamedColor& color : kColors) {
        const ColorRef def = kDefaults.*color.field;
        const std::int32_t red =
            profile_.ReadInt(section, color.red, static_cast<std::int32_t>(RedOf(def)));
        const std::int32_t green =
            profile_.ReadInt(section, color.green, static_cast<std::int32_t>(GreenOf(def)));
        const std::int32_t blue =
            profile_.ReadInt(section, color.blue, static_cast<std::int32_t>(BlueOf(def)));
        settings.*color.field = MakeColor(LowByte(red), LowByte(green), LowByte(blue));
    }
}

void RegistryStore::SaveColors(std::string_view section, const Settings& settings,
                               Settings& stored) {
    for (const NamedColor& color : kColors) {
        const ColorRef value = settings.*color.field;
        if (value != stored.*color.field) {
            profile_.WriteInt(section, color.red, static_cast<std::int32_t>(RedOf(value)));
            profile_.WriteInt(section, color.green, static_cast<std::int32_t>(GreenOf(value)));
            profile_.WriteInt(section, color.blue, static_cast<std::int32_t>(BlueOf(value)));
        }
    }
    // The last routine of the exit save: from here on the registry holds the whole record.
    stored = settings;
}

void RegistryStore::LoadSettingsAtStartup(FontDescription& font, FontDescription& storedFont,
                                          Settings& settings, Settings& stored) {
    LoadFont(kFontSection, font);
    storedFont = font;
    if (font.height == 0) {
        // The font setting stops at a damaged height, but the registry still holds the
        // other values: the stored copy has them, so that a font chosen later is written
        // whole rather than over what it happens to share with zeros.
        LoadFontDetails(kFontSection, storedFont);
    }
    LoadOptions(kOptionsSection, settings);
    LoadColors(kColorsSection, settings);
    stored = settings;
}

void RegistryStore::SaveSettingsAtExit(const FrameRect& frame, const FontDescription& font,
                                       FontDescription& storedFont, Settings& settings,
                                       Settings& stored) {
    if (settings.Save == 0) {
        SaveOptions(kOptionsSection, settings, stored);
        return;
    }
    settings.XPos = frame.left;
    settings.YPos = frame.top;
    settings.XSize = Difference(frame.right, frame.left);
    settings.YSize = Difference(frame.bottom, frame.top);
    SaveFont(kFontSection, font, storedFont);
    SaveOptions(kOptionsSection, settings, stored);
    SaveColors(kColorsSection, settings, stored);
}

}  // namespace perch
