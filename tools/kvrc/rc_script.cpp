#include "rc_script.h"

#include <cctype>

#include "menu_template.h"
#include "rc_tokens.h"

namespace kvrc {
namespace {

// Deeper menus than this are certainly a broken script; the limit also keeps
// the recursive parse off the end of the stack.
constexpr int kMaxMenuDepth = 16;

constexpr uint16_t kMaxPrimaryLanguage = 0x3FF;
constexpr uint16_t kMaxSubLanguage = 0x3F;

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

struct NamedValue {
    const char* name;
    unsigned long value;
};

constexpr NamedValue kLanguageNames[] = {
    {"LANG_NEUTRAL", 0}, {"LANG_ENGLISH", 9}, {"SUBLANG_NEUTRAL", 0},
    {"SUBLANG_DEFAULT", 1}, {"SUBLANG_ENGLISH_US", 1}, {"SUBLANG_ENGLISH_UK", 2},
};

// Attributes that old scripts put after the type; they mean nothing today.
constexpr const char* kMemoryOptions[] = {"DISCARDABLE", "PRELOAD", "LOADONCALL", "MOVEABLE",
                                          "FIXED", "PURE", "IMPURE", "SHARED", "NONSHARED"};

// Statement keywords that this compiler does not build; as a type or a name
// they would only hide a mistake.
constexpr const char* kUnsupportedTypes[] = {"CURSOR", "DIALOG", "DIALOGEX", "MENUEX", "STRINGTABLE",
                                             "ACCELERATORS", "VERSIONINFO", "FONT", "HTML",
                                             "MESSAGETABLE", "TEXTINCLUDE", "DLGINCLUDE", "TOOLBAR",
                                             "CHARACTERISTICS", "VERSION", "CAPTION", "STYLE",
                                             "POPUP", "MENUITEM", "LANGUAGE"};

struct MenuOption {
    const char* name;
    uint16_t flag;
};

constexpr MenuOption kMenuOptions[] = {{"CHECKED", kMenuChecked}, {"GRAYED", kMenuGrayed},
                                       {"INACTIVE", kMenuInactive}, {"MENUBREAK", kMenuBreak},
                                       {"MENUBARBREAK", kMenuBarBreak}, {"HELP", kMenuHelp}};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, std::string& error) : tokens_(tokens), error_(error) {}

    bool Run(std::vector<Statement>& statements) {
        while (pos_ < tokens_.size()) {
            if (IsWord("LANGUAGE")) {
                if (!ParseLanguage()) return false;
                continue;
            }
            Statement statement;
            if (!ParseStatement(statement)) return false;
            for (const Statement& earlier : statements)
                if (SameName(earlier.type, statement.type) && SameName(earlier.name, statement.name) &&
                    earlier.language == statement.language)
                    return Fail(statement.line, "duplicate resource " + Describe(statement.name));
            statements.push_back(std::move(statement));
        }
        return true;
    }

private:
    static bool SameName(const ResName& a, const ResName& b) { return a.id == b.id && a.text == b.text; }

    static std::string Describe(const ResName& name) {
        return name.text.empty() ? std::to_string(name.id) : name.text;
    }

    bool Fail(int line, const std::string& what) {
        error_ = "line " + std::to_string(line) + ": " + what;
        return false;
    }

    int Line() const {
        if (pos_ < tokens_.size()) return tokens_[pos_].line;
        return tokens_.empty() ? 1 : tokens_.back().line;
    }

    bool AtEnd() const { return pos_ >= tokens_.size(); }
    bool Is(TokenKind kind) const { return !AtEnd() && tokens_[pos_].kind == kind; }
    bool IsWord(const char* word) const { return Is(TokenKind::Word) && Upper(tokens_[pos_].text) == word; }

    bool Expected(const std::string& what) {
        return Fail(Line(), "expected " + what + (AtEnd() ? " at end of script" : ""));
    }

    bool Expect(TokenKind kind, const char* what) {
        if (!Is(kind)) return Expected(what);
        ++pos_;
        return true;
    }

    bool ParseLanguageValue(unsigned long limit, unsigned long& value) {
        if (Is(TokenKind::Number)) {
            value = tokens_[pos_].value;
        } else if (Is(TokenKind::Word)) {
            bool known = false;
            for (const NamedValue& named : kLanguageNames)
                if (Upper(tokens_[pos_].text) == named.name) {
                    value = named.value;
                    known = true;
                }
            if (!known) return Fail(Line(), "unknown language name " + tokens_[pos_].text);
        } else {
            return Expected("a language number");
        }
        if (value > limit) return Fail(Line(), "language number out of range");
        ++pos_;
        return true;
    }

    bool ParseLanguage() {
        ++pos_;
        unsigned long primary = 0, sub = 0;
        if (!ParseLanguageValue(kMaxPrimaryLanguage, primary)) return false;
        if (!Expect(TokenKind::Comma, "',' between the language numbers")) return false;
        if (!ParseLanguageValue(kMaxSubLanguage, sub)) return false;
        language_ = static_cast<uint16_t>((sub << 10) | primary);
        return true;
    }

    bool ParseName(ResName& name, const char* what) {
        if (Is(TokenKind::Number)) {
            unsigned long value = tokens_[pos_].value;
            if (value == 0 || value > 0xFFFF) return Fail(Line(), std::string(what) + " number must be 1 to 65535");
            name.id = static_cast<uint16_t>(value);
        } else if (Is(TokenKind::Word)) {
            name.text = Upper(tokens_[pos_].text);
            for (const char* keyword : kUnsupportedTypes)
                if (name.text == keyword) return Fail(Line(), name.text + " statements are not supported");
        } else {
            return Expected(what);
        }
        ++pos_;
        return true;
    }

    void SkipMemoryOptions() {
        for (bool skipped = true; skipped;) {
            skipped = false;
            for (const char* option : kMemoryOptions)
                if (IsWord(option)) {
                    ++pos_;
                    skipped = true;
                }
        }
    }

    bool ParseStatement(Statement& statement) {
        statement.line = Line();
        statement.language = language_;
        if (!ParseName(statement.name, "a resource name")) return false;
        if (!ParseName(statement.type, "a resource type")) return false;
        const std::string& type = statement.type.text;
        SkipMemoryOptions();
        if (type == "MENU") {
            statement.kind = StatementKind::Inline;
            statement.type = ResName{kTypeMenu, {}};
            std::vector<MenuItem> items;
            if (!ParseMenuItems(items, 0)) return false;
            statement.bytes = EncodeMenu(items);
            return true;
        }
        if (type == "BITMAP") {
            statement.kind = StatementKind::Bitmap;
            statement.type = ResName{kTypeBitmap, {}};
        } else if (type == "ICON") {
            statement.kind = StatementKind::Icon;
            statement.type = ResName{kTypeGroupIcon, {}};
        } else if (type == "RCDATA") {
            statement.type = ResName{kTypeRcData, {}};
        } else if (statement.type.text.empty() &&
                   (statement.type.id == kTypeIcon || statement.type.id == kTypeGroupIcon)) {
            return Fail(statement.line, "icon types are built from ICON statements only");
        }
        if (!Is(TokenKind::String)) return Expected("a quoted file name");
        statement.file = tokens_[pos_].text;
        if (statement.file.empty()) return Fail(Line(), "empty file name");
        ++pos_;
        return true;
    }

    // Options follow a comma, or one another without one.
    bool ParseMenuOptions(uint16_t& flags) {
        for (;;) {
            bool comma = Is(TokenKind::Comma);
            if (comma) ++pos_;
            const MenuOption* known = nullptr;
            for (const MenuOption& option : kMenuOptions)
                if (IsWord(option.name)) known = &option;
            if (known == nullptr) return comma ? Expected("a menu item option") : true;
            flags |= known->flag;
            ++pos_;
        }
    }

    bool ParseMenuItems(std::vector<MenuItem>& items, int depth) {
        if (depth >= kMaxMenuDepth) return Fail(Line(), "menu nested too deeply");
        if (!Expect(TokenKind::Begin, "BEGIN or '{'")) return false;
        while (!Is(TokenKind::End)) {
            if (AtEnd()) return Expected("END or '}'");
            MenuItem item;
            if (IsWord("POPUP")) {
                ++pos_;
                if (!Is(TokenKind::String)) return Expected("the popup's text");
                item.popup = true;
                item.text = tokens_[pos_++].text;
                if (!ParseMenuOptions(item.flags)) return false;
                if (!ParseMenuItems(item.children, depth + 1)) return false;
            } else if (IsWord("MENUITEM")) {
                ++pos_;
                if (IsWord("SEPARATOR")) {
                    ++pos_;
                } else {
                    if (!Is(TokenKind::String)) return Expected("the menu item's text");
                    item.text = tokens_[pos_++].text;
                    if (!Expect(TokenKind::Comma, "',' before the command id")) return false;
                    if (!Is(TokenKind::Number) || tokens_[pos_].value > 0xFFFF)
                        return Expected("a command id of 0 to 65535");
                    item.id = static_cast<uint16_t>(tokens_[pos_++].value);
                    if (!ParseMenuOptions(item.flags)) return false;
                }
            } else {
                return Expected("POPUP or MENUITEM");
            }
            items.push_back(std::move(item));
        }
        ++pos_;
        if (items.empty()) return Fail(Line(), "empty menu");
        return true;
    }

    const std::vector<Token>& tokens_;
    std::string& error_;
    size_t pos_ = 0;
    uint16_t language_ = kDefaultLanguage;
};

}  // namespace

bool ParseScript(std::string_view text, std::vector<Statement>& statements, std::string& error) {
    statements.clear();
    std::vector<Token> tokens;
    if (!Tokenize(text, tokens, error)) return false;
    return Parser(tokens, error).Run(statements);
}

}  // namespace kvrc
