// The player's settings: one table of names, ranges and defaults that both
// hosts use. The names are the settings file's keys and the browser form's
// field names. Nothing here acts: platform/settings/active.h hands a set of
// values to the parts of the platform they change.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/controls/pad_reading.h"

namespace platform::settings {

enum class Scale { Auto, Sharp, Smooth };

// The game's clock at the speed it was made for, in percent.
inline constexpr int kFullGameSpeed = 100;

struct Settings {
    double mouseSpeed = 1.0;
    double padSpeed = 1.0;
    bool swapButtons = false;
    int volume = 100;
    bool mute = false;
    int gameSpeed = kFullGameSpeed;
    bool fullscreen = true;
    Scale scale = Scale::Auto;
    std::string keyNewGame = "F1";
    std::string keyQuit = "Escape";
    PadButton padFire = kPadA;
    PadButton padReload = kPadX;
    PadButton padNewGame = kPadStart;
    PadButton padQuit = kPadBack;

    bool operator==(const Settings&) const = default;
};

enum class Kind { Number, Whole, Flag, Choice, KeyName, PadName };

// One setting as a form or a menu shows it.
struct Field {
    const char* name;
    const char* label;
    Kind kind;
    double low, high;  // Number and Whole
    std::span<const char* const> choices;  // Choice and PadName, as written
};

std::span<const Field> Fields();
const Field* FindField(std::string_view name);

// Sets `name` from its text; on a bad value leaves it alone and says why.
bool SetValue(Settings* settings, std::string_view name, std::string_view value, std::string* why);
// Two actions given one key or one button: that group goes back to its
// defaults, and the later field of the pair is named. One group a call, so
// that each is named: call until null.
const char* Settle(Settings* settings);

// The value as the file writes it.
std::string ValueText(const Settings& settings, const Field& field);

// Keys the host keeps for itself, never a game key: the menu's own.
inline constexpr const char kMenuKey[] = "F10";

// The name of a pad button as SDL's controller mapping spells it ("a",
// "back", "dpup"), and the button of a name.
const char* PadButtonName(PadButton button);
bool FindPadButton(std::string_view name, PadButton* button);

}  // namespace platform::settings
