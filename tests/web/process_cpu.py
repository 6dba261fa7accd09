"""CPU time of a group of processes, read from /proc, by Chromium process
type (browser, renderer, gpu-process, utility...)."""
import os

TICKS = os.sysconf("SC_CLK_TCK")


def _kind(pid):
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as f:
            # A renderer may have rewritten its command line as one string.
            args = f.read().replace(b"\0", b" ").split()
    except OSError:
        return None
    for arg in args:
        if arg.startswith(b"--type="):
            kind = arg[7:].decode()
            if kind == "utility":
                for a in args:
                    if a.startswith(b"--utility-sub-type="):
                        return a.split(b".")[-1].decode()
            return kind
    return "browser"


def sample(pids):
    """{pid: (kind, cpu seconds)} for the pids still alive."""
    found = {}
    for pid in pids:
        try:
            with open("/proc/%d/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        kind = _kind(pid)
        if kind:
            found[pid] = (kind, (int(fields[11]) + int(fields[12])) / TICKS)
    return found


def usage(before, after, seconds):
    """Per kind, the share of one core used between two samples."""
    by_kind = {}
    for pid, (kind, cpu) in after.items():
        start = before.get(pid, (kind, 0.0))[1]
        by_kind[kind] = by_kind.get(kind, 0.0) + (cpu - start) / seconds
    return by_kind
