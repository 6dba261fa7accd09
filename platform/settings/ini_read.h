// Reading `key = value` text: the one call the settings make of an ini
// reader. The desktop reads with inih; the browser build, which has no inih,
// with a reader of the same rules in platform/web/.
#pragma once

#include <string_view>

namespace platform::settings {

struct IniEntry {
    int line;  // from 1
    std::string_view section;  // "" before the first [section]
    std::string_view key, value;
};

struct IniSink {
    void (*entry)(void* user, const IniEntry& entry);
    // A line that is neither blank, a comment, a [section] nor key = value.
    void (*bad)(void* user, int line);
    void* user;
};

void ReadIni(std::string_view text, const IniSink& sink);

// The rules both readers keep. A byte-order mark may begin the text.
// What inih trims, as C's isspace does: a form feed is space to it too.
constexpr std::string_view kIniSpace = " \t\n\v\f\r";
inline std::string_view WithoutBom(std::string_view text) {
    return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}
inline bool IsIniBlankOrComment(std::string_view line) {
    size_t at = line.find_first_not_of(kIniSpace);
    return at == std::string_view::npos || line[at] == ';' || line[at] == '#';
}
// A line holding a NUL is bad, never a section, to every reader.
inline bool IsIniSection(std::string_view line) {
    if (line.find('\0') != std::string_view::npos) return false;
    size_t at = line.find_first_not_of(kIniSpace);
    return at != std::string_view::npos && line[at] == '[' && line.find(']', at) != std::string_view::npos;
}
// "[]" names no section: what follows it is read as if before any.
inline bool OpensNamedSection(std::string_view line) {
    return IsIniSection(line) && line[line.find('[') + 1] != ']';
}

}  // namespace platform::settings
