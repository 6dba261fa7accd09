// The process's long-lived objects, in the order they are built. Their exit
// actions are their destructors, so they run in the reverse order at exit:
// the sound bank, the actor list, the input devices, then the font. The
// display has none; it is released when the window is destroyed.
#include "app/static_objects.h"

#include "display/display.h"
#include "game/actor_list.h"
#include "game/game.h"
#include "input/input_devices.h"
#include "sound/sound_bank.h"
#include "text/bitmap_font.h"

Display gDisplay;
BitmapFont gFont;
Game gGame;
InputDevices gInput;
ActorList gActors;
SoundBank gSoundBank;
