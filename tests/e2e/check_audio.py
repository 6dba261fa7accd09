#!/usr/bin/env python3
"""Checks that the sound written by SDL's disk driver (raw signed 16-bit
mono) is loud after each shot and quiet before them.

usage: check_audio.py RAWFILE RATE QUIET_AT SHOT_AT... END
  positions are byte offsets into RAWFILE, taken as the file's size when the
  quiet moment was sampled, when each shot was fired and after the last one
  was over

The quiet level is measured over the span just before QUIET_AT: after it the
script only aims and fires. Each shot is looked for from its click to the
next one, where only its sound can be, however late a busy machine plays it.
"""
import math
import struct
import sys

# A shot is heard over its loudest stretch this long.
LOUD_WINDOW_S = 0.1
QUIET_WINDOW_S = 0.3


def rms(samples):
    return math.sqrt(sum(s * s for s in samples) / len(samples)) if samples else 0.0


def main():
    path, rate = sys.argv[1], int(sys.argv[2])
    positions = [int(p) // 2 for p in sys.argv[3:]]
    with open(path, "rb") as f:
        data = f.read()
    count = len(data) // 2
    samples = struct.unpack("<%dh" % count, data[:count * 2])
    span = int(rate * LOUD_WINDOW_S)

    def loudest(start, end):
        return max((rms(samples[at:at + span]) for at in range(start, max(start + 1, end - span), span // 2)),
                   default=0.0)

    quiet_at, shots, end = positions[0], positions[1:-1], positions[-1]
    quiet_span = int(rate * QUIET_WINDOW_S)
    quiet = rms(samples[max(0, quiet_at - quiet_span):quiet_at])
    print("audio: %d samples (%.1f s); quiet level %.0f" % (count, count / rate, quiet))
    failed = 0
    for n, (at, after) in enumerate(zip(shots, shots[1:] + [end]), 1):
        level = loudest(at, after)
        ok = level > 4 * quiet + 200
        failed += not ok
        print("%s shot %d at %.2f s: level %.0f" % ("ok  " if ok else "FAIL", n, at / rate, level))
    return 1 if failed or not shots else 0


if __name__ == "__main__":
    sys.exit(main())
