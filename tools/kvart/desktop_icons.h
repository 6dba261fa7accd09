// The game's icon for desktops, software centres and home screens: one PNG
// per size.
#pragma once

#include <string>

namespace kvart {

// Writes kalvenor16.png to kalvenor512.png into dir (ending in '/').
bool WriteDesktopIcons(const std::string& dir);

}  // namespace kvart
