// The browser host's controller, read from the page once a pump and handed
// to the platform's shared pad code.
#pragma once

namespace webhost {

// Reads the page's playing gamepad, if any, and hands it on while the page
// is in front; a pad that went away, or a page left, releases what it held.
void PumpGamepad();

}  // namespace webhost
