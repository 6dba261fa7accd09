#!/bin/bash
# The settings menu of the real game on a virtual X screen, worked by the
# keyboard alone with keys held as a person holds them: F10 opens it over
# the intro and the game stands still while it is open; what was chosen is
# saved when it closes, not before, and the next start plays by it (muted:
# not one sample of sound, the intro's tune and a shot included).
#
# usage: xvfb_settings.sh KALVENOR RESOURCE_DIR WORK_DIR
# Exit 77 (skipped) when a tool is missing.
set -u

exe=$1
resdir=$2
work=$3
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool xwd convert python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

mkdir -p "$work"
rm -rf "$work/config" "$work"/*.png "$work"/*.ppm "$work"/*.raw "$work"/*.log
for name in intropic desert sprites; do
    convert "$resdir/$name.bmp" "ppm:$work/$name.ppm" || { echo "FAIL: cannot read $resdir/$name.bmp"; exit 1; }
done
# shellcheck source=tests/e2e/x_session.sh
source "$here/x_session.sh"
saved="$work/config/kalvenor/settings.ini"

press() {
    xdotool keydown "$1"
    sleep 0.1
    xdotool keyup "$1"
    sleep 0.1
}

# Looks until check_menu.py's CHECK passes on a new screenshot NAME, given
# after the other arguments.
look_menu() {
    local check=$1 name=$2
    shift 2
    look_by "$name" python3 "$here/check_menu.py" "$check" "$@"
}

start_x 800x600 || { echo "FAIL: cannot start Xvfb"; exit 1; }
launch first || exit 1
look intro intro
# The intro's band waves from frame to frame while the game runs; under the
# menu it still shows through, faintly.
look_menu differ waving "$work/intro.ppm"
press F10
look_menu open menu
press Down
press Down
press Down
press Down
press Return  # Mute: On
press Down
press Return  # Game speed: 90
shot still
sleep 1
look_menu same still-later "$work/still.ppm"
[ -e "$saved" ] && fail "the settings were saved before the menu closed"
press Escape
look closed intro
look_menu differ waving-again "$work/closed.ppm"
grep -qx "mute = true" "$saved" || fail "mute not saved: $(cat "$saved" 2>/dev/null)"
grep -qx "game_speed = 90" "$saved" || fail "game speed not saved"
quit first

launch second || exit 1
look intro-second intro
press space
look playing-second playing --cartridges 6
xdotool click 1
look fired-second playing --cartridges 5
quit second
echo "-- audio of the muted start"
python3 "$here/check_menu.py" silent "$work/audio-second.raw" || fail "muted, yet sound was heard"
stop_x
if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s); screenshots in $work"
    exit 1
fi
echo "all checks passed"
