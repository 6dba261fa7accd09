#include "platform/controls/stick_aim.h"

#include <algorithm>
#include <cmath>

#include "platform/settings/active.h"

namespace platform {

namespace {

// A broken controller may report anything; beyond the travel is the edge.
double ClampAxis(float value) {
    if (std::isnan(value)) return 0.0;
    return std::clamp(static_cast<double>(value), -1.0, 1.0);
}

// Velocity in pixels per second of one stick. The dead zone is round so a
// diagonal is not cut short; squaring what lies beyond it gives fine steps
// near the centre and full speed at the edge.
void StickVelocity(float rawX, float rawY, double* vx, double* vy) {
    double x = ClampAxis(rawX), y = ClampAxis(rawY);
    double length = std::sqrt(x * x + y * y);
    if (length <= kStickDeadZone) return;
    double reach = std::fmin((length - kStickDeadZone) / (1.0 - kStickDeadZone), 1.0);
    double speed = reach * reach * kStickPixelsPerSecond;
    *vx += x / length * speed;
    *vy += y / length * speed;
}

}  // namespace

AimMotion AimSticks(StickAim* aim, const PadReading& pad, uint32_t elapsedMs) {
    double vx = 0, vy = 0;
    StickVelocity(pad.leftX, pad.leftY, &vx, &vy);
    StickVelocity(pad.rightX, pad.rightY, &vx, &vy);
    if (vx == 0 && vy == 0) {
        *aim = {};
        return {};
    }
    // Both sticks pushed together go no faster than one.
    double speed = std::sqrt(vx * vx + vy * vy);
    double scale = speed > kStickPixelsPerSecond ? kStickPixelsPerSecond / speed : 1.0;
    if (pad.leftTrigger > kTriggerPressed) scale *= kFineAimFactor;
    scale *= settings::Active().padSpeed;
    double seconds = (elapsedMs < kLongestAimStepMs ? elapsedMs : kLongestAimStepMs) / 1000.0;
    aim->carryX += vx * scale * seconds;
    aim->carryY += vy * scale * seconds;
    AimMotion motion;
    motion.dx = static_cast<int32_t>(std::trunc(aim->carryX));
    motion.dy = static_cast<int32_t>(std::trunc(aim->carryY));
    aim->carryX -= motion.dx;
    aim->carryY -= motion.dy;
    return motion;
}

}  // namespace platform
