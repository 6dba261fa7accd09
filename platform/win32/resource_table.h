// The table of resources compiled into the executable by tools/kvrc from the
// resource script. Integer names and types are stored as their numbers with
// a null string.
#pragma once

#include <cstdint>

namespace platform {

struct ResourceEntry {
    const char* typeName;   // null for a numeric type
    uint16_t typeId;
    const char* name;       // null for a numeric id
    uint16_t id;
    uint16_t language;
    const uint8_t* data;
    uint32_t size;
};

// Defined by the generated resource source; the table ends with typeId 0 and
// typeName null.
extern const ResourceEntry kResources[];

}  // namespace platform
