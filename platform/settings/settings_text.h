// The settings as text: plain `key = value` lines, read with the ini reader
// and written back so that what the player wrote survives: comments, keys
// this version does not know, and [sections] are kept as they stand.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/settings/settings.h"

namespace platform::settings {

struct Problem {
    int line;  // 0: the file as a whole
    std::string what;
};

struct Parsed {
    Settings settings;  // a bad line's setting keeps its default
    std::vector<Problem> problems;
};

Parsed ParseSettings(std::string_view text);

// `old` with every setting's line holding its value in `settings`: the
// first line of a key rewritten, its later repeats dropped, and those it
// lacked added before the first [section].
std::string WriteSettings(std::string_view old, const Settings& settings);

}  // namespace platform::settings
