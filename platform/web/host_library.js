// The host's calls into the page (see browser.h), linked in with
// --js-library. They reach the page through the `host` object that page.js
// hands the module; calls that wait give the browser its turn through
// Asyncify and resume the game when done.
mergeInto(LibraryManager.library, {
  // A zero-delay turn: a message to ourselves runs after the tasks already
  // queued (input, drawing) without the 4 ms floor of nested timers.
  $kvSoon: function(callback) {
    if (!kvSoon.port) {
      var channel = new MessageChannel();
      kvSoon.waiting = [];
      channel.port1.onmessage = function() { kvSoon.waiting.shift()(); };
      kvSoon.port = channel.port2;
    }
    kvSoon.waiting.push(callback);
    kvSoon.port.postMessage(0);
  },

  kv_now: function() { return performance.now(); },

  kv_turn__deps: ['$kvSoon'],
  kv_turn: function(delayMs) {
    return Asyncify.handleSleep(function(wakeUp) {
      if (delayMs > 0) setTimeout(wakeUp, delayMs); else kvSoon(wakeUp);
    });
  },

  kv_hidden: function() { return document.hidden ? 1 : 0; },

  // WebEvent: kind, a, b as 32-bit words, then 32 bytes of key code.
  kv_next_event: function(event) {
    var e = Module['host'].nextEvent();
    if (!e) return 0;
    HEAP32[event >> 2] = e.kind;
    HEAP32[(event + 4) >> 2] = e.a | 0;
    HEAP32[(event + 8) >> 2] = e.b | 0;
    stringToUTF8(e.code || '', event + 12, 32);
    return 1;
  },

  // The gamepad's reader is its own script; a page without it has no pad.
  kv_read_pad: function(axes, axisCount, buttons, buttonCount, stamp) {
    if (typeof KalvenorGamepad !== 'object') return 0;
    return KalvenorGamepad.read(HEAPF32.subarray(axes >> 2, (axes >> 2) + axisCount),
                                HEAPF32.subarray(buttons >> 2, (buttons >> 2) + 2 * buttonCount),
                                HEAPF64.subarray(stamp >> 3, (stamp >> 3) + 1));
  },

  // The page takes the pixels from the module when it draws.
  kv_present: function() { Module['host'].present(Module); },

  kv_show_pointer: function(visible) { Module['host'].showPointer(visible !== 0); },

  kv_audio_open: function(slots) {
    return Asyncify.handleSleep(function(wakeUp) {
      Module['host'].openAudio(slots).then(function(rate) { wakeUp(rate | 0); }, function() { wakeUp(0); });
    });
  },

  kv_audio_close: function() { Module['host'].closeAudio(); },

  kv_sound_change: function(change, slot, arg, changes) {
    Module['host'].soundChange(change, slot, arg, changes);
  },

  kv_sound_refill: function(slot, rate, channels, bits, bytes, size) {
    Module['host'].soundRefill(slot, rate, channels, bits, HEAPU8.slice(bytes, bytes + size));
  },

  kv_sound_ran_out: function(slot, changes) {
    var ranOut = Module['host'].soundRanOut();
    if (!ranOut) return 0;
    HEAP32[slot >> 2] = ranOut.slot;
    HEAP32[changes >> 2] = ranOut.changes;
    return 1;
  },

  kv_sound_level: function(percent) { Module['host'].soundLevel(percent); },

  kv_settings_show: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      Module['host'].showSettings().then(function() { wakeUp(); });
    });
  },

  kv_message_box: function(text, caption) {
    return Asyncify.handleSleep(function(wakeUp) {
      Module['host'].messageBox(UTF8ToString(text), UTF8ToString(caption)).then(function() { wakeUp(); });
    });
  },

  kv_debug_output: function(text) { Module['host'].debug(UTF8ToString(text)); },

  kv_game_ended: function(code) { Module['host'].ended(code); },
});
