"""The frame every browser test runs in: its arguments, a deadline for the
whole run, and a closing line with its figures and verdict."""
import argparse
import json
import os
import signal
import sys
import time

from cdp import CdpError


class Failed(Exception):
    pass


class Checks:
    """A run's verdicts, printed as they come; failures and figures are the
    run's own lists."""

    def __init__(self, args):
        self.args = args
        self.work = args.work_dir
        self.failures = []
        self.figures = []

    def expect(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what, flush=True)
        if not ok:
            self.failures.append(what)
        return ok

    def require(self, ok, what):
        if not self.expect(ok, what):
            raise Failed(what)


def main(make_run, deadline_s, name, add_arguments=None, errors=(), resources=True):
    """Parses BUILD_DIR [RESOURCE_DIR] WORK_DIR [--chromium PATH] and what
    add_arguments adds, then plays make_run(args) within deadline_s seconds;
    errors are the exceptions besides the browser's that fail the run. The
    run has play(), failures and figures. Returns the exit code."""
    ap = argparse.ArgumentParser()
    ap.add_argument("build_dir")
    if resources:
        ap.add_argument("resource_dir")
    ap.add_argument("work_dir")
    ap.add_argument("--chromium", default="/usr/bin/chromium")
    if add_arguments:
        add_arguments(ap)
    args = ap.parse_args()
    if not os.path.isfile(os.path.join(args.build_dir, "index.html")):
        print("FAIL: no index.html in %s" % args.build_dir)
        return 1
    os.makedirs(args.work_dir, exist_ok=True)

    def out_of_time(signum, frame):
        raise Failed("the %s did not finish within %d s" % (name, deadline_s))
    signal.signal(signal.SIGALRM, out_of_time)
    signal.signal(signal.SIGTERM, lambda s, f: sys.exit(1))
    signal.alarm(deadline_s)

    run = make_run(args)
    began = time.monotonic()
    try:
        run.play()
    except Failed as e:
        if str(e) not in run.failures:
            print("FAIL " + str(e))
            run.failures.append(str(e))
    except (CdpError, OSError, json.JSONDecodeError) + tuple(errors) as e:
        print("FAIL the browser: %s" % e)
        run.failures.append(str(e))
    finally:
        signal.alarm(0)
    run.figures.append("test %.0f s" % (time.monotonic() - began))
    print("%s: %s" % (name, "; ".join(run.figures)))
    if run.failures:
        print("%d check(s) failed; screenshots and logs in %s" % (len(run.failures), args.work_dir))
        return 1
    print("all %s checks passed" % name.replace(" test", ""))
    return 0
