// The page's settings dialog and the module: the page asks for the fields,
// hands in the stored text and each change, and gets back the text to
// store. While the dialog is open the game waits in it, its clock still.
#include <string>

#include "platform/host_events.h"
#include "platform/settings/active.h"
#include "platform/settings/settings_text.h"
#include "platform/web/browser.h"
#include "platform/web/settings_json.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

namespace settings = platform::settings;

// What the page wrote in, and what it reads back.
std::string gIn;
std::string gOut;

void Use(const settings::Settings& s) {
    settings::Apply(s);
    kv_sound_level(s.mute ? 0 : s.volume);
}

}  // namespace

void ShowSettings() {
    platform::HostPause(true);
    kv_settings_show();
    platform::HostPause(false);
}

}  // namespace webhost

extern "C" {

using webhost::gIn;
using webhost::gOut;

char* kv_settings_room(int bytes) {
    gIn.assign(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    return gIn.data();
}

int kv_settings_out_size() { return static_cast<int>(gOut.size()); }

const char* kv_settings_fields() {
    gOut = webhost::FieldsJson(platform::settings::Active());
    return gOut.data();
}

// The room holds the stored text: its settings are used, and its problems
// come back one a line.
const char* kv_settings_load() {
    platform::settings::Parsed parsed = platform::settings::ParseSettings(gIn);
    webhost::Use(parsed.settings);
    gOut.clear();
    for (const platform::settings::Problem& p : parsed.problems)
        gOut += (p.line > 0 ? "line " + std::to_string(p.line) + ": " : std::string()) + p.what + "\n";
    return gOut.data();
}

// The room holds a field's name, `nameSize` bytes, then its new value:
// used at once; back comes "" or why it was refused.
const char* kv_settings_set(int nameSize) {
    if (nameSize < 0 || static_cast<size_t>(nameSize) > gIn.size()) nameSize = 0;
    platform::settings::Settings s = platform::settings::Active();
    gOut.clear();
    if (platform::settings::SetValue(&s, std::string_view(gIn).substr(0, nameSize),
                                     std::string_view(gIn).substr(nameSize), &gOut)) {
        if (const char* clash = platform::settings::Settle(&s))
            gOut = std::string("the same as another's; those went back to their defaults (") + clash + ")";
        webhost::Use(s);
    }
    return gOut.data();
}

// The room holds the text stored before: back comes it with the settings in use.
const char* kv_settings_text() {
    gOut = platform::settings::WriteSettings(gIn, platform::settings::Active());
    return gOut.data();
}
}
