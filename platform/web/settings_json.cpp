#include "platform/web/settings_json.h"

#include <cstdio>
#include <string_view>

namespace webhost {

namespace {

using platform::settings::Field;
using platform::settings::Kind;

// The desktop's window: a page's full screen and scaling are the browser's.
constexpr std::string_view kDesktopOnly[] = {"fullscreen", "scale"};
// A slider's step for a fraction.
constexpr double kNumberStep = 0.05;

bool DesktopOnly(std::string_view name) {
    for (std::string_view n : kDesktopOnly)
        if (n == name) return true;
    return false;
}

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Number: return "number";
        case Kind::Whole: return "whole";
        case Kind::Flag: return "flag";
        case Kind::Choice: return "choice";
        case Kind::KeyName: return "key";
        case Kind::PadName: return "pad";
    }
    return "";
}

void Quoted(std::string* out, std::string_view text) {
    *out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            *out += '\\';
            *out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            *out += escape;
        } else {
            *out += c;
        }
    }
    *out += '"';
}

void Number(std::string* out, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    *out += text;
}

}  // namespace

std::string FieldsJson(const platform::settings::Settings& settings) {
    std::string out = "[";
    for (const Field& f : platform::settings::Fields()) {
        if (DesktopOnly(f.name)) continue;
        if (out.size() > 1) out += ',';
        out += "{\"name\":";
        Quoted(&out, f.name);
        out += ",\"label\":";
        Quoted(&out, f.label);
        out += ",\"kind\":";
        Quoted(&out, KindName(f.kind));
        if (f.kind == Kind::Number || f.kind == Kind::Whole) {
            out += ",\"low\":";
            Number(&out, f.low);
            out += ",\"high\":";
            Number(&out, f.high);
            out += ",\"step\":";
            Number(&out, f.kind == Kind::Number ? kNumberStep : 1);
        }
        if (!f.choices.empty()) {
            out += ",\"choices\":[";
            for (size_t i = 0; i < f.choices.size(); ++i) {
                if (i > 0) out += ',';
                Quoted(&out, f.choices[i]);
            }
            out += ']';
        }
        out += ",\"value\":";
        Quoted(&out, platform::settings::ValueText(settings, f));
        out += '}';
    }
    return out + "]";
}

}  // namespace webhost
