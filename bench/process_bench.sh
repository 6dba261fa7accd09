#!/bin/bash
# The whole game as a player runs it: the real executable on a virtual
# 800x600 X screen. Prints, for 10 s of play, the frames per second and the
# CPU the process used per frame beside what composing and presenting took
# by the host's own frame statistics; then the CPU it uses while another
# window has the focus; and how long 3000 frames (one game) take at the
# rate measured. The frame rate and the host's figures cover the whole first
# run (a second of intro, then a game's worth of play); the host counts the
# whole process's CPU while presenting, so what other threads do meanwhile
# is in its figure, and the difference can come out below zero.
#
# usage: process_bench.sh KALVENOR [WORK_DIR]
# Needs Xvfb, xdotool and xclock. Not a test: it asserts nothing.
set -u

exe=$1
work=${2:-$(mktemp -d)}
measure_s=10
game_frames=3000

for tool in Xvfb xdotool xclock python3; do
    command -v "$tool" >/dev/null || { echo "process_bench: $tool is not installed"; exit 1; }
done
mkdir -p "$work"

xvfb_pid=
game_pid=
other_pid=
cleanup() {
    for pid in $game_pid $other_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fifo="$work/display"
rm -f "$fifo"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$fifo" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 15 n <"$fifo"
rm -f "$fifo"
[ -n "$n" ] || { echo "process_bench: Xvfb did not start"; exit 1; }
export DISPLAY=":$n"

now() { date +%s.%N; }
# CPU time of every thread of the process so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Starts the game, leaves the intro, and leaves the crosshair mid-screen.
launch() {
    local log=$1
    SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-disk} SDL_DISKAUDIOFILE=/dev/null KALVENOR_DEBUG=1 \
        "$exe" >"$log" 2>&1 &
    game_pid=$!
    timeout 10 xdotool search --sync --name Kalvenor >/dev/null || { echo "process_bench: no window"; exit 1; }
    sleep 1
    xdotool key space
    sleep 1
}

finish() {
    xdotool key Escape
    wait "$game_pid"
    game_pid=
}

# Play: a zero-length shot every half second, a reload every three.
launch "$work/play.log"
t0=$(now)
c0=$(cpu_ticks "$game_pid")
for i in $(seq $((measure_s * 2))); do
    xdotool mousemove_relative -- $((i % 5 * 20 - 40)) $((i % 3 * 20 - 20)) click 1
    [ $((i % 6)) -eq 0 ] && xdotool click 3
    sleep 0.5
done
c1=$(cpu_ticks "$game_pid")
t1=$(now)
# Play on to the end of a game, so that the frame rate covers one.
sleep $((game_frames / 100 - measure_s))
finish

# Background: another window takes the focus.
launch "$work/background.log"
xclock -geometry 40x40+0+0 &
other_pid=$!
sleep 0.5
xdotool search --sync --class xclock windowfocus --sync >/dev/null 2>&1
sleep 1
b0=$(now)
bc0=$(cpu_ticks "$game_pid")
sleep "$measure_s"
bc1=$(cpu_ticks "$game_pid")
b1=$(now)
kill "$other_pid"
wait "$other_pid" 2>/dev/null
other_pid=
xdotool search --name Kalvenor windowfocus --sync >/dev/null 2>&1
sleep 0.5
finish

python3 - "$(getconf CLK_TCK)" "$t0" "$t1" "$c0" "$c1" "$b0" "$b1" "$bc0" "$bc1" "$game_frames" "$work/play.log" <<'PY'
import re, sys
hz = float(sys.argv[1])
t0, t1, c0, c1, b0, b1, bc0, bc1 = map(float, sys.argv[2:10])
game_frames = int(sys.argv[10])
log = open(sys.argv[11]).read()
stats = re.search(r"frames (\d+) in ([\d.]+) s \(([\d.]+) fps\).*present ([\d.]+) us, compose ([\d.]+) us", log)
audio = re.search(r"kalvenor: audio .*", log)
if not stats:
    print("process_bench: the game printed no frame statistics")
    sys.exit(1)
fps = float(stats.group(3))
present_ms, compose_ms = float(stats.group(4)) / 1000, float(stats.group(5)) / 1000
play_share = (c1 - c0) / hz / (t1 - t0)
per_frame_ms = play_share * 1000 / fps
host_ms = present_ms + compose_ms
print("playing %.1f s: %.1f fps; process CPU %.1f %% of a core, %.2f ms per frame" % (t1 - t0, fps, play_share * 100, per_frame_ms))
print("  compose + present by the host's statistics: %.2f + %.2f = %.2f ms per frame (%.1f %% of a core)"
      % (compose_ms, present_ms, host_ms, host_ms * fps / 10))
print("  beyond compose + present: %.2f ms per frame, %.1f %% of a core" % (per_frame_ms - host_ms, (per_frame_ms - host_ms) * fps / 10))
print("background %.1f s: process CPU %.2f %% of a core" % (b1 - b0, (bc1 - bc0) / hz / (b1 - b0) * 100))
print("%d frames (one game) at %.1f fps: %.2f s" % (game_frames, fps, game_frames / fps))
if audio:
    print(audio.group(0))
PY
