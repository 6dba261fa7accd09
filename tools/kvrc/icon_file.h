// Splits an .ico file into its images and the group directory that names them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvrc {

struct IconImage {
    uint32_t offset;   // of the image within the file
    uint32_t size;
};

// On success fills images and group: the RT_GROUP_ICON directory, whose
// entries name the images by firstId, firstId + 1, ...
bool SplitIcon(const std::vector<uint8_t>& file, uint16_t firstId, std::vector<IconImage>& images,
               std::vector<uint8_t>& group, std::string& error);

}  // namespace kvrc
