// The start-up load of the settings and the exit save after it, through a profile whose
// every value is decided by the input: missing, an integer (any 32 bits), or a string of
// any bytes (embedded zeros, up to 64 KiB). Checks that the values the program bounds
// where it uses them stay bounded, that the loaded record is what the profile holds, and
// that what an exit save writes loads back as the record it saved.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "fuzz/fuzz_input.h"
#include "platform/utf8.h"
#include "settings/profile.h"
#include "settings/registry_store.h"
#include "settings/settings.h"

namespace {

using perch::ColorRef;
using perch::FontDescription;
using perch::RegistryStore;
using perch::Settings;
using perch::fuzz::FuzzInput;

// A profile that makes up each value the first time it is read, from the input, and then
// keeps it (and whatever is written) for later reads, names compared without letter case.
class AnsweringProfile final : public perch::Profile {
  public:
    using Answer = std::variant<std::monostate, std::int32_t, std::string>;

    explicit AnsweringProfile(FuzzInput& input) : input_(input) {}

    std::int32_t ReadInt(std::string_view section, std::string_view name,
                         std::int32_t def) override {
        const Answer& answer = AnswerFor(section, name);
        const std::int32_t* value = std::get_if<std::int32_t>(&answer);
        return value ? *value : def;
    }
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view def) override {
        const Answer& answer = AnswerFor(section, name);
        const std::string* value = std::get_if<std::string>(&answer);
        return value ? *value : std::string(def);
    }
    void WriteInt(std::string_view section, std::string_view name, std::int32_t value) override {
        ++writes_;
        answers_[KeyOf(section, name)] = value;
    }
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override {
        ++writes_;
        answers_[KeyOf(section, name)] = std::string(value);
    }

    int Writes() const { return writes_; }

    // What a read of an integer would answer now, without deciding a new value.
    std::int32_t IntHeld(std::string_view section, std::string_view name, std::int32_t def) const {
        const auto found = answers_.find(KeyOf(section, name));
        if (found == answers_.end()) {
            return def;
        }
        const std::int32_t* value = std::get_if<std::int32_t>(&found->second);
        return value ? *value : def;
    }
    std::string StringHeld(std::string_view section, std::string_view name,
                           std::string_view def) const {
        const auto found = answers_.find(KeyOf(section, name));
        if (found == answers_.end()) {
            return std::string(def);
        }
        const std::string* value = std::get_if<std::string>(&found->second);
        return value ? *value : std::string(def);
    }

  private:
    using Key = std::pair<std::string, std::string>;

    static std::string Folded(std::string_view text) {
        std::string folded(text);
        for (char& c : folded) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return folded;
    }
    static Key KeyOf(std::string_view section, std::string_view name) {
        return {Folded(section), Folded(name)};
    }

    const Answer& AnswerFor(std::string_view section, std::string_view name) {
        auto [it, added] = answers_.try_emplace(KeyOf(section, name));
        if (added) {
            it->second = Decide();
        }
        return it->second;
    }

    Answer Decide() {
        switch (input_.Byte() % 4) {
            case 1:
                return input_.SmallOrAnyInt();
            case 2:
                return input_.Int32();
            case 3:
                return DecideString();
            default:
                return std::monostate{};  // missing (also once the input is used up)
        }
    }

    std::string DecideString() {
        const std::uint8_t length = input_.Byte();
        if (length < 0xF8) {
            return input_.Bytes(length);
        }
        // A huge value: a short pattern repeated to 4 KiB .. 64 KiB.
        std::string pattern = input_.ShortText(8);
        if (pattern.empty()) {
            pattern.assign(1, '\0');
        }
        const std::size_t size = std::size_t{4096} << (length % 5);
        std::string text = pattern;
        text.reserve(2 * size);
        while (text.size() < size) {
            text += text;
        }
        text.resize(size);
        return text;
    }

    FuzzInput& input_;
    std::map<Key, Answer> answers_;
    int writes_ = 0;
};

std::string_view FaceNameOf(const FontDescription& font) {
    const char* end =
        static_cast<const char*>(std::memchr(font.faceName, '\0', FontDescription::kFaceSize));
    return {font.faceName, end ? static_cast<std::size_t>(end - font.faceName)
                               : static_cast<std::size_t>(FontDescription::kFaceSize)};
}

// What the program bounds where it uses a value, bounded for any record.
void CheckBounded(const Settings& settings) {
    const std::int32_t interval = perch::TimerIntervalMs(settings);
    FUZZ_REQUIRE(interval >= perch::kMinTimerIntervalMs && interval <= perch::kMaxTimerIntervalMs);
    const std::int32_t ms = perch::UpdateToMilliseconds(settings.Update);
    if (ms >= perch::kMinTimerIntervalMs && ms <= perch::kMaxTimerIntervalMs) {
        FUZZ_REQUIRE(interval == ms);  // an interval in range runs as it is
    }
    const std::int32_t columns = perch::BoundedColumns(settings);
    FUZZ_REQUIRE(columns >= 0 && columns <= perch::kMaxColumns);
    if (settings.NumColumns >= 0 && settings.NumColumns <= perch::kMaxColumns) {
        FUZZ_REQUIRE(columns == settings.NumColumns);
    }
}

void CheckFaceNameField(const FontDescription& font) {
    // Terminated inside the field, and zero after the terminator.
    FUZZ_REQUIRE(font.faceName[FontDescription::kFaceSize - 1] == '\0');
    const std::size_t length = FaceNameOf(font).size();
    for (std::size_t i = length; i < FontDescription::kFaceSize; ++i) {
        FUZZ_REQUIRE(font.faceName[i] == '\0');
    }
}

// The loaded record against what the profile holds, for the values the loader converts.
void CheckLoaded(const AnsweringProfile& profile, const Settings& settings,
                 const FontDescription& font) {
    const std::string_view options = perch::kOptionsSection;
    const Settings defaults;

    const std::int32_t ms = profile.IntHeld(options, "Update", 1500);
    FUZZ_REQUIRE(settings.Update == perch::MillisecondsToUpdate(ms));
    // Stored milliseconds come back as the same milliseconds whenever a float holds them
    // closely enough (well beyond the Settings page's 500 .. 5000).
    if (ms >= -(1 << 21) && ms <= (1 << 21)) {
        FUZZ_REQUIRE(perch::UpdateToMilliseconds(settings.Update) == ms);
    }
    FUZZ_REQUIRE(settings.ExcludedApps ==
                 profile.StringHeld(options, "Excluded Apps", defaults.ExcludedApps));
    FUZZ_REQUIRE(settings.XPos == profile.IntHeld(perch::kPositionSection, "X Pos", defaults.XPos));
    FUZZ_REQUIRE(settings.YSize ==
                 profile.IntHeld(perch::kPositionSection, "Y Size", defaults.YSize));

    struct ColorNames {
        const char* red;
        const char* green;
        const char* blue;
        ColorRef Settings::*field;
    };
    const ColorNames colors[] = {
        {"Red Text", "Green Text", "Blue Text", &Settings::TextColor},
        {"Red Bkgnd", "Green Bkgnd", "Blue Bkgnd", &Settings::BkgndColor},
        {"Red Hlt", "Green Hlt", "Blue Hlt", &Settings::HltColor},
        {"Red Focus", "Green Focus", "Blue Focus", &Settings::FocusColor},
    };
    for (const ColorNames& c : colors) {
        const ColorRef def = defaults.*c.field;
        const ColorRef loaded = settings.*c.field;
        const auto held = [&](const char* name, unsigned component) {
            return static_cast<unsigned>(
                profile.IntHeld(perch::kColorsSection, name, static_cast<std::int32_t>(component)) &
                0xFF);
        };
        FUZZ_REQUIRE(loaded <= 0xFFFFFFu);
        FUZZ_REQUIRE(perch::RedOf(loaded) == held(c.red, perch::RedOf(def)));
        FUZZ_REQUIRE(perch::GreenOf(loaded) == held(c.green, perch::GreenOf(def)));
        FUZZ_REQUIRE(perch::BlueOf(loaded) == held(c.blue, perch::BlueOf(def)));
    }

    CheckFaceNameField(font);
    if (font.height != 0) {
        // The stored name up to its first zero, at most 31 whole characters.
        std::string face = profile.StringHeld(perch::kFontSection, "FaceName", "MS Sans Serif");
        face = face.substr(0, std::min(face.find('\0'), face.size()));
        face = face.substr(0, perch::CutToChars(face, FontDescription::kFaceChars));
        FUZZ_REQUIRE(FaceNameOf(font) == face);
        FUZZ_REQUIRE(font.italic == (profile.IntHeld(perch::kFontSection, "Italic", 0) & 0xFF));
    }
}

// What the user may change while the program runs, as its dialogs and commands can.
void ChangeAsTheUserMay(FuzzInput& input, Settings& settings, FontDescription& font) {
    const int changes = input.Byte() % 8;
    for (int i = 0; i < changes; ++i) {
        switch (input.Byte() % 9) {
            case 0: {
                // Any float but NaN, which neither the Settings page nor a load can give.
                const float update =
                    input.Bool() ? input.AnyFloat() : static_cast<float>(input.Below(51)) * 0.1f;
                settings.Update = std::isnan(update) ? 0.0f : update;
                break;
            }
            case 1:
                settings.NumColumns = input.SmallOrAnyInt();
                break;
            case 2:
                settings.Save = settings.Save == 0 ? 1 : 0;
                break;
            case 3:
                settings.ExcludedApps = input.ShortText(48);
                break;
            case 4:
                settings.HltColor = static_cast<ColorRef>(input.Int32()) & 0xFFFFFFu;
                break;
            case 5:
                settings.NumRows = input.SmallOrAnyInt();
                break;
            case 6:
                font.height = input.SmallOrAnyInt();
                break;
            case 7:
                font.weight = input.SmallOrAnyInt();
                font.italic = input.Byte();
                break;
            case 8: {
                // A face name as the font dialog gives it: at most 31 characters.
                std::string face = input.ShortText(FontDescription::kFaceSize - 1);
                face.resize(perch::CutToChars(face, FontDescription::kFaceChars));
                std::memset(font.faceName, 0, sizeof font.faceName);
                std::memcpy(font.faceName, face.data(), face.size());
                break;
            }
        }
    }
}

std::int32_t Saturated(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    AnsweringProfile profile(input);
    RegistryStore store(profile);

    FontDescription font;
    FontDescription storedFont;
    Settings settings;
    Settings stored;
    store.LoadSettingsAtStartup(font, storedFont, settings, stored);
    FUZZ_REQUIRE(profile.Writes() == 0);
    FUZZ_REQUIRE(stored == settings);
    if (font.height != 0) {
        FUZZ_REQUIRE(storedFont == font);
    } else {
        // A damaged height: the setting stops there, while the stored copy has what the
        // profile holds beyond it, as a load with a height would read it.
        FontDescription held;
        held.height = 1;
        RegistryStore(profile).LoadFontDetails(perch::kFontSection, held);
        held.height = 0;
        FUZZ_REQUIRE(storedFont == held);
    }
    CheckBounded(settings);
    CheckLoaded(profile, settings, font);
    const Settings loaded = settings;
    const FontDescription loadedFont = font;

    ChangeAsTheUserMay(input, settings, font);
    CheckBounded(settings);

    const RegistryStore::FrameRect frame{input.SmallOrAnyInt(), input.SmallOrAnyInt(),
                                         input.SmallOrAnyInt(), input.SmallOrAnyInt()};
    const Settings beforeSave = settings;
    store.SaveSettingsAtExit(frame, font, storedFont, settings, stored);
    const bool saving = settings.Save != 0;
    if (saving) {
        FUZZ_REQUIRE(stored == settings);
        FUZZ_REQUIRE(storedFont == font);
        FUZZ_REQUIRE(settings.XPos == frame.left && settings.YPos == frame.top);
        FUZZ_REQUIRE(settings.XSize == Saturated(std::int64_t{frame.right} - frame.left));
        FUZZ_REQUIRE(settings.YSize == Saturated(std::int64_t{frame.bottom} - frame.top));
        // A second save of the same run has nothing left to write.
        const int writes = profile.Writes();
        store.SaveSettingsAtExit(frame, font, storedFont, settings, stored);
        FUZZ_REQUIRE(profile.Writes() == writes);
    } else {
        FUZZ_REQUIRE(settings == beforeSave);  // the frame is not taken in
    }

    // The next start-up loads what the save left.
    FontDescription nextFont;
    FontDescription nextStoredFont;
    Settings next;
    Settings nextStored;
    store.LoadSettingsAtStartup(nextFont, nextStoredFont, next, nextStored);
    CheckBounded(next);
    if (saving) {
        Settings expected = settings;
        // Update is saved as whole milliseconds, and only when it changed.
        if (!(settings.Update == loaded.Update)) {
            expected.Update =
                perch::MillisecondsToUpdate(perch::UpdateToMilliseconds(settings.Update));
        }
        FUZZ_REQUIRE(next == expected);
        FUZZ_REQUIRE(nextFont.height == font.height);
        // A font with a height is saved whole, also after a start with a damaged height
        // (corpus/settings_load_fuzz/font-after-height-zero).
        if (font.height != 0) {
            FUZZ_REQUIRE(nextFont.weight == font.weight);
            FUZZ_REQUIRE(nextFont.italic == font.italic);
            FUZZ_REQUIRE(nextFont.underline == font.underline);
            FUZZ_REQUIRE(nextFont.pitchAndFamily == font.pitchAndFamily);
            FUZZ_REQUIRE(FaceNameOf(nextFont) == FaceNameOf(font));
        }
    } else {
        // Only "Save" itself is remembered.
        Settings expected = loaded;
        expected.Save = 0;
        FUZZ_REQUIRE(next == expected);
        FUZZ_REQUIRE(nextFont == loadedFont);
    }
    return 0;
}
