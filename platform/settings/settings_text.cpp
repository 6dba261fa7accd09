#include "platform/settings/settings_text.h"

#include <algorithm>

#include "platform/settings/ini_read.h"

namespace platform::settings {

namespace {

constexpr const char kNewFileHeader[] =
    "# Kalvenor's settings. Lines are key = value; lines starting with # are\n"
    "# comments. Keys this version does not know are kept.\n";

void OnParsedEntry(void* user, const IniEntry& e) {
    auto* parsed = static_cast<Parsed*>(user);
    if (!e.section.empty()) return;  // another program's, or a newer version's
    if (e.key.empty()) {
        parsed->problems.push_back({e.line, "not key = value"});
        return;
    }
    if (FindField(e.key) == nullptr) return;
    std::string why;
    Settings before = parsed->settings;
    if (!SetValue(&parsed->settings, e.key, e.value, &why)) {
        parsed->problems.push_back({e.line, std::string(e.key) + ": '" + std::string(e.value) + "' is " + why});
        parsed->settings = before;
    }
}

void OnBadLine(void* user, int line) { static_cast<Parsed*>(user)->problems.push_back({line, "not key = value"}); }

struct KeyLines {
    std::vector<std::pair<int, const Field*>> lines;  // each known key's lines, in order
};

void OnKeyLine(void* user, const IniEntry& e) {
    if (!e.section.empty()) return;
    if (const Field* f = FindField(e.key)) static_cast<KeyLines*>(user)->lines.push_back({e.line, f});
}

void Ignore(void*, int) {}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::string LineOf(const Settings& settings, const Field& f) {
    return std::string(f.name) + " = " + ValueText(settings, f) + "\n";
}

}  // namespace

Parsed ParseSettings(std::string_view text) {
    Parsed parsed;
    ReadIni(text, IniSink{OnParsedEntry, OnBadLine, &parsed});
    while (const char* clash = Settle(&parsed.settings))
        parsed.problems.push_back({0, std::string(clash) + ": the same as another action's; those go back to their defaults"});
    std::stable_sort(parsed.problems.begin(), parsed.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return parsed;
}

std::string WriteSettings(std::string_view old, const Settings& settings) {
    KeyLines known;
    ReadIni(old, IniSink{OnKeyLine, Ignore, &known});
    // The readers take a byte-order mark off the text, and inih one more off
    // its first line: they stay in front, whatever is added before that line.
    std::string_view body = WithoutBom(WithoutBom(old));
    std::vector<std::string_view> lines = SplitLines(body);
    std::string out = old.empty() ? kNewFileHeader : std::string(old.substr(0, old.size() - body.size()));
    std::vector<const Field*> written;
    bool added = false;
    auto addMissing = [&] {
        if (added) return;
        added = true;
        for (const Field& f : Fields()) {
            if (std::find(written.begin(), written.end(), &f) != written.end()) continue;
            written.push_back(&f);
            out += LineOf(settings, f);
        }
    };
    size_t next = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        int number = static_cast<int>(i) + 1;
        if (next < known.lines.size() && known.lines[next].first == number) {
            const Field* f = known.lines[next++].second;
            if (std::find(written.begin(), written.end(), f) != written.end()) continue;
            written.push_back(f);
            out += LineOf(settings, *f);
            continue;
        }
        if (OpensNamedSection(lines[i])) addMissing();
        out.append(lines[i]);
        out += '\n';
    }
    addMissing();
    return out;
}

}  // namespace platform::settings
