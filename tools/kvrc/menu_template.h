// The standard (version 0) menu template that a MENU statement compiles to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvrc {

constexpr uint16_t kMenuGrayed = 0x0001;
constexpr uint16_t kMenuInactive = 0x0002;
constexpr uint16_t kMenuChecked = 0x0008;
constexpr uint16_t kMenuPopup = 0x0010;
constexpr uint16_t kMenuBarBreak = 0x0020;
constexpr uint16_t kMenuBreak = 0x0040;
constexpr uint16_t kMenuEnd = 0x0080;
constexpr uint16_t kMenuHelp = 0x4000;

struct MenuItem {
    uint16_t flags = 0;   // without kMenuPopup and kMenuEnd, which encoding adds
    uint16_t id = 0;
    std::string text;
    bool popup = false;
    std::vector<MenuItem> children;
};

// Header (version 0, header size 0), then the items depth first; the last
// item of every level carries kMenuEnd. Texts become UTF-16 from Latin-1.
std::vector<uint8_t> EncodeMenu(const std::vector<MenuItem>& items);

}  // namespace kvrc
