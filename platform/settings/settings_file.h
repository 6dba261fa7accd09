// The settings kept in a file: where it lives, reading it, and saving it so
// that a crash or a power cut leaves the old file or the new one, never
// part of one. The desktop host's; the browser keeps the same text in its
// storage instead.
#pragma once

#include <string>
#include <string_view>

#include "platform/settings/settings.h"

namespace platform::settings {

// $XDG_CONFIG_HOME/kalvenor/settings.ini, or ~/.config/kalvenor/settings.ini
// when that is unset or not absolute; "" with no home either.
std::string DefaultPath();

// One settings file for the run: its text as last read or written, so that
// a save keeps what the player wrote.
struct SettingsFile {
    std::string path;
    std::string text;
    bool keep = true;  // false once reading or saving failed: said once, then quiet
    Settings settings;
};

// Reads `path` (a missing file is the defaults, silently), names each bad
// line on standard error, and applies the result. Nothing is kept when the
// file cannot be read.
void LoadFile(SettingsFile* file, const std::string& path);

// Applies `settings` and, when they differ from the file's, saves them.
void ChangeFile(SettingsFile* file, const Settings& settings);

// Writes `text` to `path` atomically: a temporary file in the same folder,
// flushed to the disk, renamed over the old one. Makes the folder first.
bool SaveAtomically(const std::string& path, std::string_view text, std::string* error);

}  // namespace platform::settings
