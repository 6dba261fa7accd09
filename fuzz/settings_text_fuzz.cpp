// The settings text on arbitrary bytes: read it, write it back and read
// that again. What was read must survive the round trip, never crash or
// read past the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings/settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    namespace ps = platform::settings;
    ps::Parsed first = ps::ParseSettings(text);
    std::string written = ps::WriteSettings(text, first.settings);
    ps::Parsed again = ps::ParseSettings(written);
    if (!(again.settings == first.settings)) __builtin_trap();
    if (ps::WriteSettings(written, first.settings) != written) __builtin_trap();
    return 0;
}
