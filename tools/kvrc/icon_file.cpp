#include "icon_file.h"
#include "../common/little_endian.h"

namespace kvrc {
namespace {

constexpr size_t kDirSize = 6;
constexpr size_t kFileEntrySize = 16;
constexpr uint16_t kIconType = 1;

uint16_t Word(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

uint32_t Dword(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

}  // namespace

bool SplitIcon(const std::vector<uint8_t>& file, uint16_t firstId, std::vector<IconImage>& images,
               std::vector<uint8_t>& group, std::string& error) {
    images.clear();
    group.clear();
    if (file.size() < kDirSize || Word(file, 0) != 0 || Word(file, 2) != kIconType) {
        error = "not an icon file";
        return false;
    }
    uint16_t count = Word(file, 4);
    if (count == 0) {
        error = "icon file holds no images";
        return false;
    }
    if (file.size() < kDirSize + kFileEntrySize * count) {
        error = "icon directory runs past the end of the file";
        return false;
    }
    if (firstId == 0 || static_cast<uint32_t>(firstId) + count - 1 > 0xFFFF) {
        error = "too many icon images";
        return false;
    }
    PutWord(group, 0);
    PutWord(group, kIconType);
    PutWord(group, count);
    for (uint16_t i = 0; i < count; ++i) {
        size_t entry = kDirSize + kFileEntrySize * i;
        uint32_t size = Dword(file, entry + 8);
        uint32_t offset = Dword(file, entry + 12);
        if (size == 0 || offset > file.size() || size > file.size() - offset) {
            error = "icon image " + std::to_string(i + 1) + " lies outside the file";
            return false;
        }
        images.push_back({offset, size});
        // The group entry is the file entry with the offset replaced by the id.
        group.insert(group.end(), file.begin() + entry, file.begin() + entry + 12);
        PutWord(group, static_cast<uint16_t>(firstId + i));
    }
    return true;
}

}  // namespace kvrc
