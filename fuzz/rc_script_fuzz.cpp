// The resource compiler's script parser and icon splitter on arbitrary bytes:
// they must refuse what they cannot read, never crash or read past the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kvrc/icon_file.h"
#include "kvrc/rc_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<kvrc::Statement> statements;
    std::string error;
    if (!kvrc::ParseScript(text, statements, error) && error.empty()) __builtin_trap();
    std::vector<kvrc::IconImage> images;
    std::vector<uint8_t> group;
    std::vector<uint8_t> bytes(data, data + size);
    if (kvrc::SplitIcon(bytes, 1, images, group, error))
        for (const kvrc::IconImage& image : images)
            if (image.offset > size || image.size > size - image.offset) __builtin_trap();
    return 0;
}
