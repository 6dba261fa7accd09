#!/bin/bash
# Plays the real game on a virtual X screen as a player would: the intro, a
# few shots with zero-length clicks (a touchpad's taps) and a reload, the
# game-over screen, then Escape; and letterboxed at 1920x1080, closed with
# Alt+F4. Screenshots are checked against the game's own bitmaps and the
# sound written by SDL's disk driver is checked for the shots.
#
# usage: xvfb_play.sh KALVENOR RESOURCE_DIR WORK_DIR [DOCS_DIR]
# Exit 77 (skipped) when a tool is missing.
set -u

exe=$1
resdir=$2
work=$3
docs=${4:-}
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool xwd convert python3 timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done
if [ ! -x "$exe" ]; then
    echo "SKIP: no kalvenor executable at $exe"
    exit 77
fi

mkdir -p "$work"
rm -f "$work"/*.png "$work"/*.ppm "$work"/*.raw "$work"/*.log
for name in intropic desert sprites; do
    convert "$resdir/$name.bmp" "ppm:$work/$name.ppm" || { echo "FAIL: cannot read $resdir/$name.bmp"; exit 1; }
done

# shellcheck source=tests/e2e/x_session.sh
source "$here/x_session.sh"

# Puts the crosshair at (x, y): the cursor clamps at the top-left corner,
# then moves one game pixel per unit of motion.
aim() {
    xdotool mousemove_relative -- -2000 -2000
    sleep 0.15
    xdotool mousemove_relative -- "$1" "$2"
    sleep 0.3
}

play_800() {
    start_x 800x600 || { fail "cannot start Xvfb"; return; }
    launch 800 || { stop_x; return; }
    look intro intro

    xdotool keydown space
    sleep 0.15
    xdotool keyup space
    local started=$SECONDS
    # On a busy machine the key can take a while to reach the game: the
    # quiet moment is only quiet once the intro, and its tune, are gone.
    look leaving playing --cartridges 6
    # The quiet level is taken over the end of this pause, before any aiming.
    sleep 0.5
    local quiet_at
    quiet_at=$(size_of "$audio")
    aim 300 200
    # Zero-length clicks: each must fire exactly once, one round each. Each
    # shot's sound is over before the next: the audio between two clicks is
    # the first one's.
    local shots=() n
    for n in 1 2 3; do
        shots+=("$(size_of "$audio")")
        xdotool click 1
        look "fired-$n" playing --cartridges $((6 - n))
        sleep 1
    done
    shots+=("$(size_of "$audio")")
    look fired playing --cursor 300 200 --cartridges 3
    xdotool click 3
    look reloaded playing --cartridges 6
    aim 420 260
    look playing playing --cursor 420 260 --cartridges 6

    # A game lasts 3000 frames: 30 s at the 100 frames a second ceiling,
    # longer where presenting is slow.
    local over=0
    while [ $((SECONDS - started)) -lt 120 ]; do
        sleep 1
        [ $((SECONDS - started)) -lt 30 ] && continue
        shot gameover
        if python3 "$here/check_screen.py" "$work/gameover.ppm" gameover "$work" >/dev/null; then
            over=1
            break
        fi
    done
    echo "-- game over after $((SECONDS - started)) s"
    [ "$over" -eq 1 ] || fail "no game-over screen within 120 s"
    quit 800
    echo "-- audio"
    python3 "$here/check_audio.py" "$audio" 44100 "$quiet_at" "${shots[@]}" || fail "shot sounds"
    stop_x
    if [ -n "$docs" ]; then
        mkdir -p "$docs"
        cp "$work/intro.png" "$docs/intro.png"
        cp "$work/playing.png" "$docs/playing.png"
        cp "$work/gameover.png" "$docs/gameover.png"
    fi
}

play_1080() {
    start_x 1920x1080 || { fail "cannot start Xvfb"; return; }
    launch 1080 || { stop_x; return; }
    look intro-1080 intro
    xdotool keydown Return
    sleep 0.15
    xdotool keyup Return
    look started-1080 playing --cartridges 6
    aim 300 200
    look playing-1080 playing --cursor 300 200 --cartridges 6
    # 150 more across and 100 down: 150 game pixels, 270 screen pixels.
    xdotool mousemove_relative -- 150 100
    look aim-1080 playing --cursor 450 300
    # Alt+Enter: an 800x600 window in the middle of the screen, and back;
    # the game plays on with the same picture.
    xdotool key alt+Return
    look windowed-1080 playing --cursor 450 300 --frame 560 240 800 600
    xdotool key alt+Return
    look unwindowed-1080 playing --cursor 450 300 --cartridges 6
    # Another window takes the focus and gives it back: the game loses its
    # surfaces and devices, restores them, and the picture comes back whole.
    if command -v xclock >/dev/null; then
        local game_window other
        game_window=$(xdotool search --name Kalvenor | head -1)
        xclock -geometry 40x40+0+1040 &
        other=$!
        sleep 0.5
        xdotool search --sync --class xclock windowfocus --sync >/dev/null 2>&1
        sleep 0.5
        xdotool windowfocus --sync "$game_window"
        sleep 0.8
        kill "$other"
        wait "$other" 2>/dev/null
        look refocused-1080 playing --cursor 450 300 --cartridges 6
    fi
    quit 1080 alt+F4
    stop_x
}

# No screen at all: a message and a failure, not an invisible game.
no_display() {
    local status
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
        timeout 60 "$exe" >"$work/game-nodisplay.log" 2>&1
    status=$?
    echo "-- without a display: exit status $status"
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "without a display the game did not fail at once"
    grep -q "display" "$work/game-nodisplay.log" || fail "without a display nothing says why"
}

no_display
play_800
play_1080
if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s); screenshots in $work"
    exit 1
fi
echo "all checks passed"
