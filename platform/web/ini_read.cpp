// The browser build's ini reader, which cannot link inih: the desktop's
// rules line for line, its cuts included, so a settings text reads the same
// in both. No inline comments, no continuation lines.
#include <string_view>

#include "platform/settings/ini_read.h"

namespace platform::settings {

namespace {

// inih's fixed line buffer: what it sees of a longer line, and of a
// [section]'s name.
constexpr size_t kLineKept = 198;
constexpr size_t kSectionKept = 49;

std::string_view Trim(std::string_view s) {
    size_t first = s.find_first_not_of(kIniSpace);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kIniSpace) - first + 1);
}

// Whether the line gave an entry; `section` follows its [section] lines.
bool ReadLine(std::string_view line, int number, std::string_view* section, const IniSink& sink) {
    line = line.substr(0, kLineKept);
    if (number == 1) line = WithoutBom(line);
    std::string_view start = Trim(line);
    if (start.empty() || start[0] == ';' || start[0] == '#') return false;
    if (start[0] == '[') {
        size_t end = start.find(']');
        if (end != std::string_view::npos) *section = start.substr(1, end - 1).substr(0, kSectionKept);
        return false;
    }
    size_t split = start.find_first_of("=:");
    if (split == std::string_view::npos) return false;
    sink.entry(sink.user, IniEntry{number, *section, Trim(start.substr(0, split)), Trim(start.substr(split + 1))});
    return true;
}

}  // namespace

void ReadIni(std::string_view text, const IniSink& sink) {
    std::string_view rest = WithoutBom(text);
    std::string_view section;
    for (int number = 1; !rest.empty(); ++number) {
        size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        bool hasNul = line.find('\0') != std::string_view::npos;
        bool gave = !hasNul && ReadLine(line, number, &section, sink);
        if (!gave && (hasNul || (!IsIniBlankOrComment(line) && !IsIniSection(line)))) sink.bad(sink.user, number);
    }
}

}  // namespace platform::settings
