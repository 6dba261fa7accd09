# What the X tests share: a virtual X screen of their own, screenshots
# looked at until they pass, and the game started and quit as a player
# would. Sourced with $exe, $work and $here set.

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Xvfb picks a free display itself and says which once it is ready, so
# runs side by side never share one.
start_x() {
    local size=$1 n=
    local fifo="$work/display-$size"
    rm -f "$fifo"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -br -nolisten tcp 3>"$fifo" >"$work/xvfb-$size.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 15 n <"$fifo"
    rm -f "$fifo"
    if [ -z "$n" ]; then
        kill "$xvfb_pid" 2>/dev/null
        return 1
    fi
    export DISPLAY=":$n"
}

stop_x() {
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
}

shot() {
    xwd -root -silent | convert xwd:- "png:$work/$1.png" && convert "$work/$1.png" "ppm:$work/$1.ppm"
}

# Looks at the screen until `CHECK... SCREENSHOT` passes, as a player looks
# again: a slow or busy machine gets more looks, never a gentler check. The
# last look's verdict is printed when none passed.
LOOKS=60
look_by() {
    local name=$1 tries
    shift
    echo "-- $name"
    for tries in $(seq "$LOOKS"); do
        shot "$name" && "$@" "$work/$name.ppm" >/dev/null && return 0
        sleep 0.2
    done
    "$@" "$work/$name.ppm"
    fail "$name"
    return 1
}

# The screen shows the game's KIND of screen, as check_screen.py judges.
screen_is() {
    local screen=${*: -1}
    python3 "$here/check_screen.py" "$screen" "${@:1:$#-1}" "$work"
}

look() {
    local name=$1
    shift
    look_by "$name" screen_is "$@"
}

size_of() { stat -c %s "$1" 2>/dev/null || echo 0; }

# Starts the game and waits for its window and the intro.
# Arguments after the tag go to the game. Its settings live in $work/config,
# never in the home of whoever runs the tests.
launch() {
    local tag=$1
    shift
    audio="$work/audio-$tag.raw"
    XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" KALVENOR_DEBUG=1 \
        "$exe" "$@" >"$work/game-$tag.log" 2>&1 &
    game_pid=$!
    if ! timeout 60 xdotool search --sync --name Kalvenor >/dev/null; then
        fail "$tag: no window appeared"
        return 1
    fi
    if command -v xprop >/dev/null; then
        xprop -name Kalvenor _NET_WM_ICON | grep -q "Icon (48 x 48)" || fail "$tag: no 48x48 window icon"
    fi
}

# Escape (or the key given) must end the process by itself, with status 0.
quit() {
    local tag=$1 key=${2:-Escape} status
    xdotool key "$key"
    for _ in $(seq 300); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$game_pid" 2>/dev/null; then
        fail "$tag: still running 30 s after $key"
        kill "$game_pid"
    fi
    wait "$game_pid"
    status=$?
    game_pid=
    [ "$status" -eq 0 ] || fail "$tag: exit status $status after $key"
    echo "-- $tag: exit status $status"
    grep "frames" "$work/game-$tag.log" || true
}

