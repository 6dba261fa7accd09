// Reads the same texts with whichever ini reader it is linked with and
// prints what the reader made of each: built once with the desktop's inih
// reader and once with the browser's, the two transcripts must match.
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/settings/ini_read.h"

namespace {

using platform::settings::IniEntry;

std::string Printable(std::string_view s) {
    std::string out;
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

void OnEntry(void*, const IniEntry& e) {
    std::printf("  %d [%s] <%s> = <%s>\n", e.line, Printable(e.section).c_str(), Printable(e.key).c_str(),
                Printable(e.value).c_str());
}

void OnBad(void*, int line) { std::printf("  %d bad\n", line); }

}  // namespace

int main() {
    using namespace std::literals;
    const std::string longValue = "key = " + std::string(240, 'v') + "\nnext = 1\n";
    const std::string lateSign = std::string(205, 'k') + " = v\n";
    const std::string padded = std::string(199, ' ') + "# a comment past the cut\n";
    const std::string longSection = "[" + std::string(60, 's') + "]\nk = v\n";
    const std::string_view texts[] = {
        "a = 1\nb: 2\n"sv,
        "\xEF\xBB\xBFmouse_speed = 2\n"sv,
        "\xEF\xBB\xBF\xEF\xBB\xBFk = v\n"sv,
        "  ; c\n# d\n\n   \n\t\r\n"sv,
        "[s]\nk=v\n[]\nk2=v2"sv,
        "[unclosed\nk=v\n[closed] trailing words\nk=w\n"sv,
        "bad line\n= v\nk =\n:\n"sv,
        "k = v ; not a comment\nk2 = v # nor this\n"sv,
        "k=v\n  continued\n\tmore\n"sv,
        "k=a=b:c\nx:y=z\n"sv,
        "\tk\t=\tv\t\r\n"sv,
        "k=v\0x\nq=1\n\0\n"sv,
        "\v\n\f k=v\f\n \v ; c\n"sv,
        "\f[s]\nk=v\n\v[]\nk2=v2\n"sv,
        "a=1\r\nb=2\r\n\r\n[x]\r\nc=3"sv,
        ""sv,
        "\n\n"sv,
        "no newline at end"sv,
        longValue,
        lateSign,
        padded,
        longSection,
    };
    int n = 0;
    for (std::string_view text : texts) {
        std::printf("text %d\n", ++n);
        platform::settings::ReadIni(text, {OnEntry, OnBad, nullptr});
    }
    return 0;
}
