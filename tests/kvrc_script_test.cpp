// The resource compiler: parsing scripts, splitting icons, reading the named
// files and writing the build files; every malformed input is refused with
// the line it was found on.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "kvrc/emit.h"
#include "kvrc/icon_file.h"
#include "kvrc/menu_template.h"
#include "kvrc/rc_script.h"
#include "kvrc/resource_set.h"

namespace {

using kvrc::Statement;
using kvrc::StatementKind;

std::vector<Statement> Parse(const std::string& text) {
    std::vector<Statement> statements;
    std::string error;
    EXPECT_TRUE(kvrc::ParseScript(text, statements, error)) << error;
    return statements;
}

std::string ParseError(const std::string& text) {
    std::vector<Statement> statements;
    std::string error;
    EXPECT_FALSE(kvrc::ParseScript(text, statements, error)) << text;
    return error;
}

TEST(KvrcScript, TheGamesScriptNamesEveryResource) {
    const char* source = std::getenv("KALVENOR_SOURCE_DIR");
    if (source == nullptr) GTEST_SKIP() << "KALVENOR_SOURCE_DIR not set";
    std::ifstream in(std::string(source) + "/resources/kalvenor.rc", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Statement> s = Parse(text);
    ASSERT_EQ(s.size(), 16u);
    int bitmaps = 0, waves = 0;
    for (const Statement& st : s) {
        EXPECT_EQ(st.language, 1033);
        bitmaps += st.kind == StatementKind::Bitmap;
        waves += st.type.text == "WAV";
    }
    EXPECT_EQ(bitmaps, 6);
    EXPECT_EQ(waves, 8);
    EXPECT_EQ(s[0].kind, StatementKind::Icon);
    EXPECT_EQ(s[0].name.id, 101);
    EXPECT_EQ(s[1].type.id, kvrc::kTypeMenu);
}

TEST(KvrcScript, NamesTypesLanguagesAndComments) {
    std::vector<Statement> s = Parse(
        "/* a comment\n over lines */ shot Wav \"sounds\\\\shot.wav\" // trailing\n"
        "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_UK\n"
        "0x10 BITMAP DISCARDABLE \"a \"\"b\"\".bmp\"\n"
        "7 300 \"raw.bin\"\n"
        "Blob RCDATA \"blob.bin\"\n");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].name.text, "SHOT");
    EXPECT_EQ(s[0].type.text, "WAV");
    EXPECT_EQ(s[0].kind, StatementKind::File);
    EXPECT_EQ(s[0].file, "sounds\\shot.wav");
    EXPECT_EQ(s[0].language, 0x0409);
    EXPECT_EQ(s[0].line, 2);
    EXPECT_EQ(s[1].name.id, 16);
    EXPECT_TRUE(s[1].name.text.empty());
    EXPECT_EQ(s[1].type.id, kvrc::kTypeBitmap);
    EXPECT_EQ(s[1].file, "a \"b\".bmp");
    EXPECT_EQ(s[1].language, 0x0809);
    EXPECT_EQ(s[2].type.id, 300);
    EXPECT_EQ(s[3].type.id, kvrc::kTypeRcData);
}

TEST(KvrcScript, MenuCompilesToTheStandardTemplate) {
    std::vector<Statement> s = Parse("102 MENU\nBEGIN\n POPUP \"&File\"\n {\n  MENUITEM \"E&xit\", 40001\n }\nEND\n");
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].kind, StatementKind::Inline);
    const std::vector<uint8_t> expected = {0, 0, 0, 0, 0x90, 0, '&', 0, 'F', 0, 'i', 0, 'l', 0, 'e', 0, 0, 0,
                                           0x80, 0, 0x41, 0x9C, 'E', 0, '&', 0, 'x', 0, 'i', 0, 't', 0, 0, 0};
    EXPECT_EQ(s[0].bytes, expected);
}

TEST(KvrcScript, MenuEndFlagsAndOptionsAtEveryLevel) {
    std::vector<Statement> s = Parse(
        "1 MENU { POPUP \"A\" { MENUITEM \"x\", 1, CHECKED GRAYED\n MENUITEM SEPARATOR\n POPUP \"B\" { MENUITEM \"y\", 2 } }"
        " MENUITEM \"z\", 3, HELP }");
    ASSERT_EQ(s.size(), 1u);
    const std::vector<uint8_t>& b = s[0].bytes;
    auto word = [&](size_t at) { return b[at] | b[at + 1] << 8; };
    EXPECT_EQ(word(4), kvrc::kMenuPopup);                          // A, not last
    EXPECT_EQ(word(10), kvrc::kMenuChecked | kvrc::kMenuGrayed);  // x
    EXPECT_EQ(word(18), 0);                                        // separator
    EXPECT_EQ(word(24), kvrc::kMenuPopup | kvrc::kMenuEnd);       // B, last in A
    EXPECT_EQ(word(30), kvrc::kMenuEnd);                           // y, last in B
    EXPECT_EQ(word(38), kvrc::kMenuHelp | kvrc::kMenuEnd);        // z, last at the top
    EXPECT_EQ(b.size(), 46u);
}

TEST(KvrcScript, MalformedScriptsAreRefusedWithTheirLine) {
    struct Case {
        std::string text;
        const char* error;
    };
    const Case cases[] = {
        {"A BITMAP \"x.bmp", "line 1: unterminated string"},
        {"\n\nA BITMAP \"x\ny.bmp\"", "line 3: unterminated string"},
        {"A BITMAP \"x.bmp\"\n/* open", "line 2: unterminated comment"},
        {"A BITMAP", "line 1: expected a quoted file name at end of script"},
        {"A BITMAP \"\"", "line 1: empty file name"},
        {"A", "line 1: expected a resource type at end of script"},
        {"0 BITMAP \"a\"", "line 1: a resource name number must be 1 to 65535"},
        {"65536 BITMAP \"a\"", "line 1: a resource name number must be 1 to 65535"},
        {"A 0 \"a\"", "line 1: a resource type number must be 1 to 65535"},
        {"A BITMAP \"a\"\n99999999999 X \"b\"", "line 2: number too large"},
        {"12ab BITMAP \"a\"", "line 1: malformed number"},
        {"0x BITMAP \"a\"", "line 1: malformed number"},
        {"a WAV \"1\"\nA wav \"2\"", "line 2: duplicate resource A"},
        {"LANGUAGE 9", "line 1: expected ',' between the language numbers at end of script"},
        {"LANGUAGE 1024, 1", "line 1: language number out of range"},
        {"LANGUAGE 9, 64", "line 1: language number out of range"},
        {"LANGUAGE LANG_KLINGON, 1", "line 1: unknown language name LANG_KLINGON"},
        {"#include <windows.h>", "line 1: preprocessor directives are not supported"},
        {"A BITMAP \"a\" ;", "line 1: unexpected ';'"},
        {"A BITMAP \"a\\q\"", "line 1: unknown escape \\q in string"},
        {std::string("A BITMAP \"a\0b\"", 15), "line 1: NUL byte in string"},
        {"STRINGTABLE BEGIN 1, \"x\" END", "line 1: STRINGTABLE statements are not supported"},
        {"1 DIALOG 0, 0, 10, 10", "line 1: DIALOG statements are not supported"},
        {"1 3 \"a.ico\"", "line 1: icon types are built from ICON statements only"},
        {"1 MENU BEGIN END", "line 1: empty menu"},
        {"1 MENU BEGIN POPUP \"a\" BEGIN END END", "line 1: empty menu"},
        {"1 MENU BEGIN MENUITEM \"a\" 5 END", "line 1: expected ',' before the command id"},
        {"1 MENU BEGIN MENUITEM \"a\", 70000 END", "line 1: expected a command id of 0 to 65535"},
        {"1 MENU BEGIN MENUITEM \"a\", 1, BOLD END", "line 1: expected a menu item option"},
        {"1 MENU\nBEGIN\nMENUITEM \"a\", 1", "line 3: expected END or '}' at end of script"},
        {"1 MENU BEGIN FOO END", "line 1: expected POPUP or MENUITEM"},
        {"1 MENU \"a\"", "line 1: expected BEGIN or '{'"},
        {"BEGIN", "line 1: expected a resource name"},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseError(c.text), c.error) << c.text;
}

TEST(KvrcScript, DeepMenusAreRefusedNotRecursedInto) {
    std::string text = "1 MENU ";
    for (int i = 0; i < 10000; ++i) text += "{ POPUP \"a\" ";
    EXPECT_EQ(ParseError(text), "line 1: menu nested too deeply");
}

std::vector<uint8_t> TwoImageIcon() {
    std::vector<uint8_t> ico = {0, 0, 1, 0, 2, 0};
    auto entry = [&](uint8_t size, uint16_t bits, uint32_t bytes, uint32_t offset) {
        ico.insert(ico.end(), {size, size, 0, 0, 1, 0, static_cast<uint8_t>(bits), 0});
        for (int k = 0; k < 4; ++k) ico.push_back(static_cast<uint8_t>(bytes >> (8 * k)));
        for (int k = 0; k < 4; ++k) ico.push_back(static_cast<uint8_t>(offset >> (8 * k)));
    };
    entry(16, 8, 5, 38);
    entry(32, 4, 3, 43);
    ico.insert(ico.end(), {'a', 'b', 'c', 'd', 'e', 'x', 'y', 'z'});
    return ico;
}

TEST(KvrcIcon, SplitsImagesAndNumbersThemInTheGroup) {
    std::vector<kvrc::IconImage> images;
    std::vector<uint8_t> group;
    std::string error;
    ASSERT_TRUE(kvrc::SplitIcon(TwoImageIcon(), 7, images, group, error)) << error;
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].offset, 38u);
    EXPECT_EQ(images[0].size, 5u);
    EXPECT_EQ(images[1].offset, 43u);
    ASSERT_EQ(group.size(), 6u + 2 * 14);
    EXPECT_EQ(group[4], 2);
    EXPECT_EQ(group[6], 16);
    EXPECT_EQ(group[6 + 8], 5);                // bytes in the image
    EXPECT_EQ(group[6 + 12], 7);               // id instead of the offset
    EXPECT_EQ(group[20 + 12], 8);
}

TEST(KvrcIcon, MalformedIconsAreRefused) {
    std::vector<kvrc::IconImage> images;
    std::vector<uint8_t> group;
    std::string error;
    std::vector<uint8_t> ico = TwoImageIcon();
    EXPECT_FALSE(kvrc::SplitIcon(std::vector<uint8_t>(ico.begin(), ico.begin() + 20), 1, images, group, error));
    EXPECT_EQ(error, "icon directory runs past the end of the file");
    std::vector<uint8_t> outside = ico;
    outside[6 + 16 + 8] = 9;   // second image 9 bytes long from offset 43
    EXPECT_FALSE(kvrc::SplitIcon(outside, 1, images, group, error));
    EXPECT_EQ(error, "icon image 2 lies outside the file");
    std::vector<uint8_t> huge = ico;
    huge[6 + 12 + 3] = 0xFF;   // offset near 4 GiB must not wrap
    huge[6 + 8 + 3] = 0x10;
    EXPECT_FALSE(kvrc::SplitIcon(huge, 1, images, group, error));
    std::vector<uint8_t> cursor = ico;
    cursor[2] = 2;
    EXPECT_FALSE(kvrc::SplitIcon(cursor, 1, images, group, error));
    EXPECT_EQ(error, "not an icon file");
    EXPECT_FALSE(kvrc::SplitIcon(ico, 0xFFFF, images, group, error));
    EXPECT_EQ(error, "too many icon images");
}

class KvrcFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("kvrc_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream out(dir_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    bool Build(const std::string& script, std::vector<kvrc::Resource>& resources, std::string& error) {
        std::vector<Statement> statements;
        if (!kvrc::ParseScript(script, statements, error)) return false;
        std::vector<std::string> inputs;
        return kvrc::BuildResources(statements, dir_, resources, inputs, error);
    }
    std::filesystem::path dir_;
};

std::vector<uint8_t> TinyBitmap() {
    std::vector<uint8_t> b(14 + 40 + 4, 0);
    b[0] = 'B';
    b[1] = 'M';
    b[14] = 40;
    return b;
}

TEST_F(KvrcFiles, BitmapsDropTheirFileHeaderIconsBecomeImagesAndAGroup) {
    Write("a.bmp", TinyBitmap());
    Write("a.ico", TwoImageIcon());
    Write("b.ico", TwoImageIcon());
    Write("a.wav", {1, 2, 3});
    std::vector<kvrc::Resource> r;
    std::string error;
    ASSERT_TRUE(Build("A BITMAP \"a.bmp\"\n1 ICON \"a.ico\"\n2 ICON \"b.ico\"\nS WAV \"a.wav\"", r, error)) << error;
    ASSERT_EQ(r.size(), 1u + 3 + 3 + 1);
    EXPECT_EQ(r[0].offset, 14u);
    EXPECT_EQ(r[0].size, 44u);
    EXPECT_EQ(r[0].path, (dir_ / "a.bmp").lexically_normal().string());
    EXPECT_EQ(r[1].type.id, kvrc::kTypeIcon);
    EXPECT_EQ(r[1].name.id, 1);
    EXPECT_EQ(r[2].name.id, 2);
    EXPECT_EQ(r[3].type.id, kvrc::kTypeGroupIcon);
    EXPECT_EQ(r[3].bytes.size(), 34u);
    EXPECT_EQ(r[4].name.id, 3);   // the second icon's images go on counting
    EXPECT_EQ(r[6].bytes[6 + 12], 3);
    EXPECT_EQ(r[7].offset, 0u);
    EXPECT_EQ(r[7].size, 3u);
}

TEST_F(KvrcFiles, MissingOrWrongFilesAreRefused) {
    Write("bad.bmp", {'B', 'X', 0, 0});
    Write("short.bmp", {'B', 'M', 0});
    std::vector<uint8_t> lying = TinyBitmap();
    lying[14] = 200;   // an info header longer than the file
    Write("lying.bmp", lying);
    Write("bad.ico", {0, 0, 1, 0, 0, 0});
    std::vector<kvrc::Resource> r;
    std::string error;
    EXPECT_FALSE(Build("\nA WAV \"none.wav\"", r, error));
    EXPECT_EQ(error.rfind("line 2: cannot read ", 0), 0u) << error;
    for (const char* name : {"bad.bmp", "short.bmp", "lying.bmp"}) {
        EXPECT_FALSE(Build(std::string("A BITMAP \"") + name + "\"", r, error));
        EXPECT_NE(error.find("is not a bitmap file"), std::string::npos) << error;
    }
    EXPECT_FALSE(Build("1 ICON \"bad.ico\"", r, error));
    EXPECT_NE(error.find("icon file holds no images"), std::string::npos) << error;
    EXPECT_FALSE(Build("1 ICON \"none.ico\"", r, error));
}

TEST(KvrcEmit, AssemblyIncludesFilesAndInlineBytes) {
    std::vector<kvrc::Resource> r(2);
    r[0].type.text = "WAV";
    r[0].name.text = "SHOT";
    r[0].path = "/tmp/we\"ird\\dir/shot.wav";
    r[0].offset = 14;
    r[0].size = 100;
    r[1].type.id = 4;
    r[1].name.id = 102;
    r[1].bytes = {0, 0x90, 0xFF};
    r[1].size = 3;
    std::string s = kvrc::EmitAssembly(r);
    EXPECT_NE(s.find("kvrc_resource_0:\n\t.incbin \"/tmp/we\\\"ird\\\\dir/shot.wav\", 14, 100\n"), std::string::npos) << s;
    EXPECT_NE(s.find("kvrc_resource_1:\n\t.byte 0x00,0x90,0xff\n"), std::string::npos) << s;
    EXPECT_NE(s.find(".note.GNU-stack"), std::string::npos);
    std::string t = kvrc::EmitTable(r);
    EXPECT_NE(t.find("{\"WAV\", 0, \"SHOT\", 0, 0, kvrc_resource_0, 100u},"), std::string::npos) << t;
    EXPECT_NE(t.find("{nullptr, 4, nullptr, 102, 0, kvrc_resource_1, 3u},"), std::string::npos) << t;
    EXPECT_NE(t.find("{nullptr, 0, nullptr, 0, 0, nullptr, 0},\n};"), std::string::npos) << t;
}

TEST(KvrcEmit, WasmAssemblyGivesEachResourceItsOwnSectionAndNoStackNote) {
    std::vector<kvrc::Resource> r(2);
    r[0].bytes = {1};
    r[0].size = 1;
    r[1].bytes = {2, 3};
    r[1].size = 2;
    std::string s = kvrc::EmitAssembly(r, kvrc::ObjectFormat::Wasm);
    EXPECT_NE(s.find("\t.section .rodata.kvrc_resource_0,\"\",@\n\t.balign 4\n"), std::string::npos) << s;
    EXPECT_NE(s.find("\t.section .rodata.kvrc_resource_1,\"\",@\n"), std::string::npos) << s;
    EXPECT_EQ(s.find("\t.section .rodata\n"), std::string::npos) << s;
    EXPECT_EQ(s.find("GNU-stack"), std::string::npos) << s;
}

TEST(KvrcEmit, EmptyScriptStillDefinesTheTerminatedTable) {
    std::string t = kvrc::EmitTable({});
    EXPECT_EQ(t.find("extern \"C\""), std::string::npos);
    EXPECT_NE(t.find("const ResourceEntry kResources[] = {\n    {nullptr, 0, nullptr, 0, 0, nullptr, 0},"), std::string::npos);
}

TEST(KvrcEmit, DepfileEscapesSpaces) {
    EXPECT_EQ(kvrc::EmitDepfile({"out.s", "out.cpp"}, {"/a b/c.rc", "/d#e"}), "out.s out.cpp: \\\n  /a\\ b/c.rc \\\n  /d\\#e\n");
}

}  // namespace

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The compiler as the build runs it.
class KvrcTool : public KvrcFiles {
protected:
    int Run(const std::string& script, const std::string& options = "") {
        std::ofstream(dir_ / "game.rc", std::ios::binary) << script;
        std::string command = std::string(KVRC_PATH) + options + " '" + (dir_ / "game.rc").string() + "' '" +
                              (dir_ / "out.s").string() + "' '" + (dir_ / "out.cpp").string() + "' '" +
                              (dir_ / "out.d").string() + "' 2> '" + (dir_ / "stderr.txt").string() + "'";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(KvrcTool, WritesTheBuildFilesAndTheirDependencies) {
    Write("a.bmp", TinyBitmap());
    Write("a.wav", {1, 2, 3, 4});
    ASSERT_EQ(Run("A BITMAP \"a.bmp\"\nS WAV \"a.wav\"\n"), 0) << ReadText(dir_ / "stderr.txt");
    std::string assembly = ReadText(dir_ / "out.s");
    EXPECT_NE(assembly.find(".incbin \"" + (dir_ / "a.bmp").string() + "\", 14, 44"), std::string::npos) << assembly;
    EXPECT_NE(ReadText(dir_ / "out.cpp").find("{\"WAV\", 0, \"S\", 0, 1033, kvrc_resource_1, 4u},"), std::string::npos);
    std::string deps = ReadText(dir_ / "out.d");
    for (const char* input : {"game.rc", "a.bmp", "a.wav"})
        EXPECT_NE(deps.find((dir_ / input).string()), std::string::npos) << deps;
}

TEST_F(KvrcTool, WasmOptionWritesTheWasmAssemblyAndTheSameTable) {
    Write("a.wav", {1, 2, 3, 4});
    ASSERT_EQ(Run("S WAV \"a.wav\"\n", " --wasm"), 0) << ReadText(dir_ / "stderr.txt");
    std::string assembly = ReadText(dir_ / "out.s");
    EXPECT_NE(assembly.find(".section .rodata.kvrc_resource_0,\"\",@"), std::string::npos) << assembly;
    EXPECT_EQ(assembly.find("GNU-stack"), std::string::npos) << assembly;
    EXPECT_NE(ReadText(dir_ / "out.cpp").find("kvrc_resource_0, 4u},"), std::string::npos);
    EXPECT_EQ(Run("S WAV \"a.wav\"\n", " --elf"), 2);
}

TEST_F(KvrcTool, MalformedScriptFailsWithAMessageAndWritesNothing) {
    EXPECT_EQ(Run("A BITMAP \"a.bmp\"\nB WAV\n"), 1);
    EXPECT_EQ(ReadText(dir_ / "stderr.txt"), "kvrc: " + (dir_ / "game.rc").string() +
                                                 ": line 2: expected a quoted file name at end of script\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.s"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.cpp"));
    EXPECT_EQ(Run("A BITMAP \"missing.bmp\"\n"), 1);
    EXPECT_NE(ReadText(dir_ / "stderr.txt").find("line 1: cannot read "), std::string::npos);
    EXPECT_EQ(std::system((std::string(KVRC_PATH) + " 2> /dev/null").c_str()) == 0, false);
}

}  // namespace
