// The settings menu, drawn with Dear ImGui over the paused game. While it
// is open no game frame runs: the host keeps it inside PumpEvents, the
// game's clock stands still, the game's sound is held and the pointer is
// free. Mouse, keyboard or pad alone can work it.
#pragma once

#include <SDL.h>

namespace sdlhost {

// F10, or a short press of Back, asks for the menu; it opens at the end of
// the pump that saw the request (menu_request.cpp).
void RequestMenu();
bool TakeMenuRequest();

bool MenuOpen();
void OpenMenu();
// One look at the input and one drawing of the menu over the last frame.
void MenuFrame();
// Shows the menu until the player closes it; closing saves what changed.
void RunMenu();

}  // namespace sdlhost
