#include "platform/settings/settings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/controls/key_table.h"

namespace platform::settings {

namespace {

// Enough significant digits for any double to read back exactly.
constexpr int kMostDigits = 17;

constexpr const char* kScaleNames[] = {"auto", "sharp", "smooth"};
constexpr const char* kFlagNames[] = {"false", "true"};

// SDL's names for the controller's buttons, in PadButton order.
constexpr const char* kPadNames[kPadButtons] = {
    "a",        "b",           "x",            "y",    "back",   "guide",  "start",  "leftstick",
    "rightstick", "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright",
};

constexpr Field kFields[] = {
    {"mouse_speed", "Mouse speed", Kind::Number, 0.25, 4.0, {}},
    {"pad_speed", "Stick speed", Kind::Number, 0.25, 4.0, {}},
    {"swap_buttons", "Right button fires", Kind::Flag, 0, 1, kFlagNames},
    {"volume", "Volume", Kind::Whole, 0, 100, {}},
    {"mute", "Mute", Kind::Flag, 0, 1, kFlagNames},
    {"game_speed", "Game speed (%)", Kind::Whole, 50, kFullGameSpeed, {}},
    {"fullscreen", "Full screen", Kind::Flag, 0, 1, kFlagNames},
    {"scale", "Scaling", Kind::Choice, 0, 2, kScaleNames},
    {"key_new_game", "New game key", Kind::KeyName, 0, 0, {}},
    {"key_quit", "Quit key", Kind::KeyName, 0, 0, {}},
    {"pad_fire", "Pad: fire", Kind::PadName, 0, 0, kPadNames},
    {"pad_reload", "Pad: reload", Kind::PadName, 0, 0, kPadNames},
    {"pad_new_game", "Pad: new game", Kind::PadName, 0, 0, kPadNames},
    {"pad_quit", "Pad: quit (held)", Kind::PadName, 0, 0, kPadNames},
};

bool Is(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (x != b[i]) return false;
    }
    return true;
}

// A decimal number as from_chars reads one, which the browser build's
// library has only for integers: no sign of plus, no space, no hex.
bool ReadNumber(std::string_view text, double* number) {
    if (text.empty() || text.find_first_not_of("0123456789.eE-") != std::string_view::npos) return false;
    std::string copy(text);
    char* end = nullptr;
    *number = std::strtod(copy.c_str(), &end);
    return end == copy.c_str() + copy.size();
}

int ChoiceIndex(std::span<const char* const> choices, std::string_view value) {
    for (size_t i = 0; i < choices.size(); ++i)
        if (Is(value, choices[i])) return static_cast<int>(i);
    return -1;
}

// The members each field names, by its place in kFields.
double* NumberOf(Settings* s, std::string_view name) {
    return name == "mouse_speed" ? &s->mouseSpeed : name == "pad_speed" ? &s->padSpeed : nullptr;
}
int* WholeOf(Settings* s, std::string_view name) {
    return name == "volume" ? &s->volume : name == "game_speed" ? &s->gameSpeed : nullptr;
}
bool* FlagOf(Settings* s, std::string_view name) {
    if (name == "swap_buttons") return &s->swapButtons;
    if (name == "mute") return &s->mute;
    if (name == "fullscreen") return &s->fullscreen;
    return nullptr;
}
std::string* KeyOf(Settings* s, std::string_view name) {
    return name == "key_new_game" ? &s->keyNewGame : name == "key_quit" ? &s->keyQuit : nullptr;
}
PadButton* PadOf(Settings* s, std::string_view name) {
    if (name == "pad_fire") return &s->padFire;
    if (name == "pad_reload") return &s->padReload;
    if (name == "pad_new_game") return &s->padNewGame;
    if (name == "pad_quit") return &s->padQuit;
    return nullptr;
}

std::string Range(const Field& f) {
    char text[64];
    std::snprintf(text, sizeof text, "not a number from %g to %g", f.low, f.high);
    return text;
}

std::string OneOf(std::span<const char* const> choices) {
    std::string text = "not one of";
    for (const char* c : choices) text += std::string(" ") + c;
    return text;
}

}  // namespace

std::span<const Field> Fields() { return kFields; }

const Field* FindField(std::string_view name) {
    for (const Field& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}

const char* PadButtonName(PadButton button) {
    return button >= 0 && button < kPadButtons ? kPadNames[button] : "";
}

bool FindPadButton(std::string_view name, PadButton* button) {
    int at = ChoiceIndex(kPadNames, name);
    if (at < 0) return false;
    *button = static_cast<PadButton>(at);
    return true;
}

bool SetValue(Settings* s, std::string_view name, std::string_view value, std::string* why) {
    const Field* f = FindField(name);
    if (f == nullptr) {
        *why = "not a setting";
        return false;
    }
    switch (f->kind) {
        case Kind::Number: {
            double number = 0;
            if (!ReadNumber(value, &number) || !std::isfinite(number) || number < f->low || number > f->high) {
                *why = Range(*f);
                return false;
            }
            *NumberOf(s, name) = number;
            return true;
        }
        case Kind::Whole: {
            int number = 0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error != std::errc() || end != value.data() + value.size() || number < f->low || number > f->high) {
                *why = Range(*f);
                return false;
            }
            *WholeOf(s, name) = number;
            return true;
        }
        case Kind::Flag: {
            int at = ChoiceIndex(f->choices, value);
            if (at < 0) {
                *why = OneOf(f->choices);
                return false;
            }
            *FlagOf(s, name) = at == 1;
            return true;
        }
        case Kind::Choice: {
            int at = ChoiceIndex(f->choices, value);
            if (at < 0) {
                *why = OneOf(f->choices);
                return false;
            }
            s->scale = static_cast<Scale>(at);
            return true;
        }
        case Kind::KeyName: {
            const Key* key = FindKeyByName(value);
            if (key == nullptr || key->codes.vk == 0) {
                *why = "not the name of a key";
                return false;
            }
            if (std::string_view(key->name) == kMenuKey) {
                *why = "the settings menu's key";
                return false;
            }
            *KeyOf(s, name) = key->name;
            return true;
        }
        case Kind::PadName: {
            PadButton button{};
            if (!FindPadButton(value, &button)) {
                *why = "not the name of a controller button";
                return false;
            }
            *PadOf(s, name) = button;
            return true;
        }
    }
    return false;
}

const char* Settle(Settings* s) {
    Settings defaults;
    if (s->keyNewGame == s->keyQuit) {
        s->keyNewGame = defaults.keyNewGame;
        s->keyQuit = defaults.keyQuit;
        return "key_quit";
    }
    PadButton chosen[] = {s->padFire, s->padReload, s->padNewGame, s->padQuit};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (chosen[i] == chosen[j]) {
                s->padFire = defaults.padFire;
                s->padReload = defaults.padReload;
                s->padNewGame = defaults.padNewGame;
                s->padQuit = defaults.padQuit;
                return kFields[10 + j].name;
            }
    return nullptr;
}

std::string ValueText(const Settings& settings, const Field& f) {
    Settings s = settings;
    switch (f.kind) {
        case Kind::Number: {
            // The fewest digits that read back as the same number.
            double number = *NumberOf(&s, f.name);
            char text[32];
            for (int digits = 1; digits <= kMostDigits; ++digits) {
                std::snprintf(text, sizeof text, "%.*g", digits, number);
                if (std::strtod(text, nullptr) == number) break;
            }
            return text;
        }
        case Kind::Whole: return std::to_string(*WholeOf(&s, f.name));
        case Kind::Flag: return *FlagOf(&s, f.name) ? "true" : "false";
        case Kind::Choice: return kScaleNames[static_cast<int>(s.scale)];
        case Kind::KeyName: return *KeyOf(&s, f.name);
        case Kind::PadName: return PadButtonName(*PadOf(&s, f.name));
    }
    return {};
}

}  // namespace platform::settings
