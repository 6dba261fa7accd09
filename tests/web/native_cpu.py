"""The native game's CPU while playing, for comparison with the page's: the
SDL build on a virtual X screen, a key to leave the intro, then a few
seconds of play measured from /proc."""
import os
import shutil
import subprocess
import tempfile
import time

import process_cpu

PLAY_S = 5.0


def measure(exe):
    """(game's share of one core, X server's), or None when the tools or the
    executable are missing."""
    if not os.access(exe, os.X_OK) or not all(shutil.which(t) for t in ("Xvfb", "xdotool")):
        return None
    work = tempfile.mkdtemp(prefix="kalvenor-native-")
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "800x600x24", "-nolisten", "tcp"],
                            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    game = None
    try:
        display = b""
        deadline = time.monotonic() + 10
        while not display.endswith(b"\n") and time.monotonic() < deadline:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            display += chunk
        if not display.strip():
            return None
        env = dict(os.environ, DISPLAY=":" + display.decode().strip(), SDL_AUDIODRIVER="disk",
                   SDL_DISKAUDIOFILE=os.path.join(work, "audio.raw"))
        game = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["timeout", "10", "xdotool", "search", "--sync", "--name", "Kalvenor"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        subprocess.run(["xdotool", "key", "space"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        before, at = process_cpu.sample([game.pid, xvfb.pid]), time.monotonic()
        time.sleep(PLAY_S)
        after = process_cpu.sample([game.pid, xvfb.pid])
        span = time.monotonic() - at
        if game.pid not in after or game.pid not in before:
            return None
        share = lambda pid: (after[pid][1] - before[pid][1]) / span if pid in before and pid in after else 0.0
        return share(game.pid), share(xvfb.pid)
    finally:
        for proc in (game, xvfb):
            if proc and proc.poll() is None:
                proc.kill()
                proc.wait(5)
        os.close(read_fd)
        shutil.rmtree(work, ignore_errors=True)
