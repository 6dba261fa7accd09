// The desktop's ini reader: inih, fed one line at a time from memory so
// that every line is numbered and one that gave no entry can be named.
#include <ini.h>

#include <algorithm>
#include <cstring>

#include "platform/settings/ini_read.h"

namespace platform::settings {

namespace {

struct Reading {
    std::string_view rest;
    const IniSink* sink;
    int line = 0;
    std::string_view current;
    bool gaveEntry = true;
    bool hasNul = false;  // inih would stop the line there
};

void CheckLineDone(const Reading& r) {
    if (r.line == 0 || r.gaveEntry) return;
    if (r.hasNul || (!IsIniBlankOrComment(r.current) && !IsIniSection(r.current))) r.sink->bad(r.sink->user, r.line);
}

// fgets' contract, but a line too long for inih's buffer is cut there and
// its rest skipped, so line numbers stay true.
char* NextLine(char* out, int size, void* stream) {
    auto* r = static_cast<Reading*>(stream);
    CheckLineDone(*r);
    if (r->rest.empty() || size < 2) return nullptr;
    size_t end = r->rest.find('\n');
    r->current = r->rest.substr(0, end);
    r->rest = end == std::string_view::npos ? std::string_view() : r->rest.substr(end + 1);
    r->gaveEntry = false;
    r->hasNul = r->current.find('\0') != std::string_view::npos;
    ++r->line;
    size_t keep = r->hasNul ? 0 : std::min(r->current.size(), static_cast<size_t>(size - 2));
    std::memcpy(out, r->current.data(), keep);
    out[keep] = '\n';
    out[keep + 1] = '\0';
    return out;
}

int OnEntry(void* user, const char* section, const char* name, const char* value) {
    auto* r = static_cast<Reading*>(user);
    r->gaveEntry = true;
    r->sink->entry(r->sink->user, IniEntry{r->line, section, name, value});
    return 1;
}

}  // namespace

void ReadIni(std::string_view text, const IniSink& sink) {
    // One line is one setting; a comment is a line of its own.
    ini_allow_multiline = false;
    ini_allow_inline_comments = false;
    Reading reading{WithoutBom(text), &sink};
    // The last line is checked by the read that finds no more.
    ini_parse_stream(NextLine, &reading, OnEntry, &reading);
}

}  // namespace platform::settings
