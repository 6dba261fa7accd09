// Every picture, sound and icon that kvart makes.
#pragma once

#include <string>

#include "picture.h"
#include "wave_writer.h"

namespace kvart {

Picture MakeFontSheet();
Picture MakeSpriteSheet();
Picture MakeDesert();
Picture MakeIntroPicture();
Picture MakeVillain();
Picture MakePresident();

Wave MakeClick();
Wave MakeShot();
Wave MakeReload();
Wave MakeHit(int variant);   // 1, 2 or 3
Wave MakeWrong();
Wave MakeIntroTune();

bool WriteIcon(const std::string& path);

}  // namespace kvart
