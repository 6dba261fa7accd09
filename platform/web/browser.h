// What the page does for the host (host_library.js). Calls marked as turns
// return to the browser and resume the game where it was once they finish.
#pragma once

#include <cstdint>

extern "C" {

// performance.now(): milliseconds with a fraction.
double kv_now();
// Turn: resume after delayMs on a timer, or at once after the browser's
// queued tasks when delayMs is 0.
void kv_turn(int delayMs);
// Whether the page is out of sight (a background tab, a minimised window).
int kv_hidden();

// The next input event the page's listeners queued into *event (see
// web_event.h); 0 when none waits.
int kv_next_event(void* event);

// The page's playing gamepad (gamepad.js): its first `axisCount` axes, and
// for each of its first `buttonCount` buttons in the standard mapping's
// numbering a value and a pressed flag (1 or 0); its Gamepad API timestamp
// into *stamp. 0 when none plays.
int kv_read_pad(float* axes, int axisCount, float* buttons, int buttonCount, double* stamp);

// A new frame waits: the page takes it when it can paint, through
// kv_frame_take (present.cpp).
void kv_present();
// Show the pointer over the canvas or hide it.
void kv_show_pointer(int visible);

// Turn: open the sound output of this many voices; its sample rate, or 0
// when there is none (or its mixer holds another number of voices).
int kv_audio_open(int slots);
void kv_audio_close();
// A change to voice `slot` (the mixer's Change), the slot's count of
// changes so far with it; the sound's bytes in their layout for a voice.
void kv_sound_change(int change, int slot, int32_t arg, int32_t changes);
void kv_sound_refill(int slot, int rate, int channels, int bits, const uint8_t* bytes, int size);
// The next voice that ran out in the worklet, with the count of its changes
// the worklet had then; 0 when none is known.
int kv_sound_ran_out(int32_t* slot, int32_t* changes);

// The mix's level in percent, for the worklet's mixer too.
void kv_sound_level(int percent);

// Turn: the settings dialog, until the player closes it.
void kv_settings_show();

// Turn: the message box, until the player dismisses it.
void kv_message_box(const char* text, const char* caption);
void kv_debug_output(const char* text);
// The game has ended with this exit code.
void kv_game_ended(int code);
}
