// The resources a script describes, with the files it names read and checked.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "rc_script.h"

namespace kvrc {

struct Resource {
    ResName type;
    ResName name;
    uint16_t language = 0;
    std::string path;             // absolute; empty when the bytes are inline
    uint32_t offset = 0;          // where the resource starts in the file
    uint32_t size = 0;
    std::vector<uint8_t> bytes;   // inline contents
};

// Files are found relative to baseDir. inputs receives every file read.
bool BuildResources(const std::vector<Statement>& statements, const std::filesystem::path& baseDir,
                    std::vector<Resource>& resources, std::vector<std::string>& inputs, std::string& error);

}  // namespace kvrc
