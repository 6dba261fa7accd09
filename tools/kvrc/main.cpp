// kvrc: compiles a resource script into an assembler file with the resource
// bytes and a C++ file with the table that the platform looks them up in.
//   kvrc [--wasm] SCRIPT OUT.s OUT.cpp [DEPFILE]
// --wasm writes the assembly for a WebAssembly object instead of an ELF one.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "emit.h"
#include "rc_script.h"
#include "resource_set.h"

namespace {

bool WriteFile(const std::string& path, const std::string& text) {
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << text;
        if (!out.flush()) return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    return !ec;
}

int Fail(const std::string& where, const std::string& what) {
    std::fprintf(stderr, "kvrc: %s: %s\n", where.c_str(), what.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    kvrc::ObjectFormat format = kvrc::ObjectFormat::Elf;
    if (argc > 1 && std::strcmp(argv[1], "--wasm") == 0) {
        format = kvrc::ObjectFormat::Wasm;
        --argc;
        ++argv;
    }
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: kvrc [--wasm] SCRIPT OUT.s OUT.cpp [DEPFILE]\n");
        return 2;
    }
    std::string script = argv[1];
    std::ifstream in(script, std::ios::binary);
    if (!in) return Fail(script, "cannot read the script");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    std::vector<kvrc::Statement> statements;
    std::string error;
    if (!kvrc::ParseScript(text, statements, error)) return Fail(script, error);

    std::vector<kvrc::Resource> resources;
    std::vector<std::string> inputs;
    std::filesystem::path base = std::filesystem::path(script).parent_path();
    if (!kvrc::BuildResources(statements, base, resources, inputs, error)) return Fail(script, error);

    if (!WriteFile(argv[2], kvrc::EmitAssembly(resources, format))) return Fail(argv[2], "cannot write");
    if (!WriteFile(argv[3], kvrc::EmitTable(resources))) return Fail(argv[3], "cannot write");
    if (argc == 5) {
        std::error_code ec;
        inputs.insert(inputs.begin(), std::filesystem::absolute(script, ec).lexically_normal().string());
        if (!WriteFile(argv[4], kvrc::EmitDepfile({argv[2], argv[3]}, inputs))) return Fail(argv[4], "cannot write");
    }
    return 0;
}
