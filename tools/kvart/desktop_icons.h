// The game's icon for desktops and software centres: one PNG per size.
#pragma once

#include <string>

namespace kvart {

// Writes kalvenor16.png to kalvenor256.png into dir (ending in '/').
bool WriteDesktopIcons(const std::string& dir);

}  // namespace kvart
