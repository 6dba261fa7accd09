// Turning the page's queued input into what the platform offers a host:
// keys, relative motion, buttons, touches and the foreground; and the gamepad.
#include "platform/host.h"
#include "platform/host_events.h"
#include "platform/web/browser.h"
#include "platform/web/gamepad.h"
#include "platform/web/key_map.h"
#include "platform/web/touch_tap.h"
#include "platform/web/web_event.h"
#include "platform/web/web_host.h"

namespace webhost {

namespace {

void Deliver(const WebEvent& e) {
    switch (e.kind) {
        case EventKind::KeyDown:
        case EventKind::KeyUp: {
            KeyCodes codes = MapKeyCode(e.code);
            if (codes.vk == 0 && codes.dik == 0) return;
            platform::HostKey(codes.vk, codes.dik, e.kind == EventKind::KeyDown, e.a != 0);
            break;
        }
        case EventKind::Motion:
            platform::HostMouseMotion(e.a, e.b);
            CrosshairMovedElsewhere();
            break;
        // The platform ignores buttons it does not know.
        case EventKind::Button: platform::HostMouseButton(e.a, e.b != 0); break;
        case EventKind::Foreground:
            if ((e.a != 0) != platform::IsForeground()) platform::HostForeground(e.a != 0);
            break;
        case EventKind::Tap: QueueTap(e.a, e.b); break;
        case EventKind::Reload: QueueReload(); break;
        case EventKind::Drag: QueueDrag(e.a, e.b); break;
        case EventKind::Settings: ShowSettings(); break;
    }
}

// Deliver the queued input events to the platform.
void DrainEvents() {
    WebEvent event{};
    while (kv_next_event(&event)) {
        event.code[sizeof(event.code) - 1] = '\0';
        Deliver(event);
    }
}

}  // namespace

}  // namespace webhost

namespace host {

void PumpEvents() {
    webhost::DrainEvents();
    webhost::PumpGamepad();
    webhost::StepTaps();
    webhost::GiveOverdueTurn();
}

}  // namespace host
