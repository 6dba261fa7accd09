// The generated build files: an assembler file that holds the resource bytes
// (.incbin for file contents) and a C++ file with the table that finds them.
#pragma once

#include <string>
#include <vector>

#include "resource_set.h"

namespace kvrc {

// The object format the assembly is written for. WebAssembly objects keep
// each data symbol in a section of its own and know no GNU stack note.
enum class ObjectFormat { Elf, Wasm };

std::string EmitAssembly(const std::vector<Resource>& resources, ObjectFormat format = ObjectFormat::Elf);
std::string EmitTable(const std::vector<Resource>& resources);
// A make-style dependency line: every target depends on every input.
std::string EmitDepfile(const std::vector<std::string>& targets, const std::vector<std::string>& inputs);

}  // namespace kvrc
