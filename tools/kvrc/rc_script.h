// The resource script as kvrc understands it: LANGUAGE statements, file
// resources (BITMAP, ICON, RCDATA or a custom type named by a word or a
// number) and MENU templates, with C and C++ comments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kvrc {

// A resource type or name: a number when text is empty, otherwise a word.
struct ResName {
    uint16_t id = 0;
    std::string text;
};

enum class StatementKind { File, Bitmap, Icon, Inline };

struct Statement {
    int line = 0;
    StatementKind kind = StatementKind::File;
    ResName type;
    ResName name;
    uint16_t language = 0;
    std::string file;             // as written, for File, Bitmap and Icon
    std::vector<uint8_t> bytes;   // the encoded template, for Inline
};

constexpr uint16_t kTypeBitmap = 2;
constexpr uint16_t kTypeIcon = 3;
constexpr uint16_t kTypeMenu = 4;
constexpr uint16_t kTypeRcData = 10;
constexpr uint16_t kTypeGroupIcon = 14;

// English (United States): what a script gets before any LANGUAGE statement.
constexpr uint16_t kDefaultLanguage = 0x0409;

// Fills statements, or returns false with "line N: what is wrong" in error.
bool ParseScript(std::string_view text, std::vector<Statement>& statements, std::string& error);

}  // namespace kvrc
