// The settings in force, and handing a new set to the parts of the platform
// each one changes: the mouse's motion and buttons (dinput), the pad's
// layout and speed (controls), the mix's level (dsound), the clock's rate
// (win32) and the keys (win32). The game never sees any of it.
#pragma once

#include "platform/controls/key_table.h"
#include "platform/settings/settings.h"

namespace platform::settings {

const Settings& Active();
void Apply(const Settings& settings);

// The codes a pressed key hands the game once the player's keys are
// chosen: the chosen key gives the action's key (F1, Escape), and the key
// it replaced gives the chosen key's own codes, so no key is lost or doubled.
KeyCodes ChosenKey(KeyCodes pressed);

}  // namespace platform::settings
