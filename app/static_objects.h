// The process's long-lived objects. They are defined together, in one
// translation unit, so that they are built in this order and their exit
// actions (destructors) run in the reverse one.
#pragma once

class Display;
class BitmapFont;
class Game;
class InputDevices;
class ActorList;
class SoundBank;

extern Display gDisplay;
extern BitmapFont gFont;
extern Game gGame;
extern InputDevices gInput;
extern ActorList gActors;
extern SoundBank gSoundBank;
