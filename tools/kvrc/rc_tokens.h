// Splits a resource script into words, numbers, strings and punctuation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kvrc {

enum class TokenKind { Word, Number, String, Comma, Begin, End };

struct Token {
    TokenKind kind;
    std::string text;   // a word as written, a string's contents
    unsigned long value = 0;   // a number's value
    int line = 0;
};

bool Tokenize(std::string_view text, std::vector<Token>& tokens, std::string& error);

}  // namespace kvrc
