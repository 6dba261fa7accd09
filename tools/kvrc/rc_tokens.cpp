#include "rc_tokens.h"

#include <cctype>

namespace kvrc {
namespace {

// Larger numbers than this fit no field of a resource script.
constexpr unsigned long kMaxNumber = 0xFFFFFFFFul;

bool IsWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool Fail(std::string& error, int line, const std::string& what) {
    error = "line " + std::to_string(line) + ": " + what;
    return false;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

}  // namespace

bool Tokenize(std::string_view text, std::vector<Token>& tokens, std::string& error) {
    tokens.clear();
    int line = 1;
    bool lineStart = true;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\n') {
            ++line;
            lineStart = true;
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            int startLine = line;
            i += 2;
            while (i + 1 < text.size() && !(text[i] == '*' && text[i + 1] == '/')) {
                if (text[i] == '\n') ++line;
                ++i;
            }
            if (i + 1 >= text.size()) return Fail(error, startLine, "unterminated comment");
            i += 2;
            continue;
        }
        if (c == '#' && lineStart)
            return Fail(error, line, "preprocessor directives are not supported");
        lineStart = false;
        Token token{TokenKind::Word, {}, 0, line};
        if (c == ',') {
            token.kind = TokenKind::Comma;
            ++i;
        } else if (c == '{') {
            token.kind = TokenKind::Begin;
            ++i;
        } else if (c == '}') {
            token.kind = TokenKind::End;
            ++i;
        } else if (c == '"') {
            token.kind = TokenKind::String;
            ++i;
            for (;;) {
                if (i >= text.size() || text[i] == '\n') return Fail(error, line, "unterminated string");
                char s = text[i++];
                if (s == '"') {
                    if (i < text.size() && text[i] == '"') {
                        token.text += '"';
                        ++i;
                        continue;
                    }
                    break;
                }
                if (s == '\\') {
                    if (i >= text.size()) return Fail(error, line, "unterminated string");
                    char e = text[i++];
                    if (e == '\\' || e == '"') token.text += e;
                    else if (e == 'n') token.text += '\n';
                    else if (e == 't') token.text += '\t';
                    else return Fail(error, line, std::string("unknown escape \\") + e + " in string");
                    continue;
                }
                if (s == '\0') return Fail(error, line, "NUL byte in string");
                token.text += s;
            }
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            token.kind = TokenKind::Number;
            int base = 10;
            if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
                base = 16;
                i += 2;
            }
            size_t digits = 0;
            unsigned long value = 0;
            while (i < text.size() && IsWordChar(text[i])) {
                int d = DigitValue(text[i]);
                if (d >= base) return Fail(error, line, "malformed number");
                value = value * base + d;
                if (value > kMaxNumber) return Fail(error, line, "number too large");
                ++digits;
                ++i;
            }
            if (digits == 0) return Fail(error, line, "malformed number");
            token.value = value;
        } else if (IsWordStart(c)) {
            size_t start = i;
            while (i < text.size() && IsWordChar(text[i])) ++i;
            token.text = std::string(text.substr(start, i - start));
            if (EqualsNoCase(token.text, "BEGIN")) token.kind = TokenKind::Begin;
            else if (EqualsNoCase(token.text, "END")) token.kind = TokenKind::End;
        } else {
            std::string shown = std::isprint(static_cast<unsigned char>(c))
                                    ? std::string("'") + c + "'"
                                    : "byte " + std::to_string(static_cast<unsigned char>(c));
            return Fail(error, line, "unexpected " + shown);
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

}  // namespace kvrc
