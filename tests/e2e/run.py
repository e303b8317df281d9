#!/usr/bin/python3
"""Runs the end-to-end cases against the real Pelmor.exe under Wine in a private virtual display.

Usage: /usr/bin/python3 tests/e2e/run.py --bin build/win64/bin [-k SUBSTRING]
Prints one line per case and ends with "e2e: N passed, N failed"; exits 0 only when all passed.
"""

import argparse
import os
import signal
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# No __pycache__ folders in the source tree.
sys.dont_write_bytecode = True

from harness import lifetime, wine, xserver  # noqa: E402
from harness.checks import CaseFailure  # noqa: E402
from harness.driver import DriverError  # noqa: E402
from harness.pelmor import Pelmor  # noqa: E402
from harness.registry import CASES  # noqa: E402
from harness.session import RunContext, Session, remove_stale_cases  # noqa: E402
import cases  # noqa: E402,F401  (registers the cases)

REPO = os.path.dirname(os.path.dirname(HERE))
NEEDED = ("pelmor-e2e-driver.exe", "pelmor-e2e-hook.dll", "Pelmor.exe")


class CaseTimeout(Exception):
    pass


def parse_args(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", required=True, help="folder with Pelmor.exe and the driver")
    parser.add_argument("-k", dest="substring", default="", help="run only cases whose name contains this")
    parser.add_argument("--cache", default=os.path.join(REPO, "build", "e2e-cache"),
                        help="where the template prefix is kept")
    parser.add_argument("--results", default=None, help="where logs and screenshots of failed cases go")
    parser.add_argument("--case-timeout", type=float, default=90.0, help="seconds one case may take")
    parser.add_argument("--list", action="store_true", help="print the case names and stop")
    return parser.parse_args(argv)


def run_case(run, case, time_limit):
    """Runs one case in its own session; returns None when it passed, else the reason."""
    session = None

    def on_alarm(signum, frame):
        raise CaseTimeout("case took longer than %.0f s" % time_limit)

    previous = signal.signal(signal.SIGALRM, on_alarm)
    signal.setitimer(signal.ITIMER_REAL, time_limit)
    failed = True
    try:
        if case.offline:
            case.function(None)
            failed = False
            return None
        session = Session(run, case.name)
        app = Pelmor(session)
        if case.returning_user:
            app.make_returning_user()
        case.function(app)
        failed = False
        return None
    except (CaseFailure, DriverError, CaseTimeout) as failure:
        return str(failure)
    except Exception as failure:  # a fault of the harness: keep the trace for the log
        return "%s: %s\n%s" % (type(failure).__name__, failure, traceback.format_exc())
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
        if session is not None:
            if failed:
                try:
                    session.screenshot("screen.bmp")
                except Exception:
                    pass
            session.close(keep=failed)
        signal.signal(signal.SIGALRM, previous)


def main(argv):
    args = parse_args(argv)
    selected = [c for c in CASES if args.substring in c.name]
    if args.list:
        for c in selected:
            print(c.name)
        return 0
    bin_dir = os.path.abspath(args.bin)
    args.cache = os.path.abspath(args.cache)
    results = os.path.abspath(args.results or os.path.join(os.path.dirname(bin_dir), "e2e-results"))
    missing = [name for name in NEEDED if not os.path.exists(os.path.join(bin_dir, name))]

    lifetime.adopt_orphans()
    passed = failed = 0
    display = None
    # SIGTERM from a caller ends the run through the same clean-up as a normal end.
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(143))
    try:
        if missing:
            reason = "missing in %s: %s" % (bin_dir, ", ".join(missing))
            for c in selected:
                print("FAIL %s: %s" % (c.name, reason), flush=True)
            failed = len(selected)
        else:
            remove_stale_cases(args.cache)
            kind = wine.WineKind.for_program(os.path.join(bin_dir, "Pelmor.exe"))
            print("e2e: %d-bit Pelmor.exe from %s" % (kind.bits, bin_dir), flush=True)
            template = wine.template_prefix(kind, args.cache,
                                            log=lambda text: print(text, file=sys.stderr, flush=True))
            display = xserver.VirtualDisplay()
            run = RunContext(kind, bin_dir, args.cache, template, display.display, results)
            for c in selected:
                started = time.monotonic()
                reason = run_case(run, c, args.case_timeout)
                lifetime.reap_orphans(keep={display.proc.pid})
                if reason is None:
                    passed += 1
                    print("PASS %s (%.1f s)" % (c.name, time.monotonic() - started), flush=True)
                else:
                    failed += 1
                    first, _, rest = reason.partition("\n")
                    print("FAIL %s: %s" % (c.name, first), flush=True)
                    if rest:
                        print(rest, file=sys.stderr, flush=True)
            if failed:
                print("e2e: logs and screenshots of failed cases are in %s" % results, file=sys.stderr, flush=True)
    finally:
        if display is not None:
            display.stop()
        lifetime.end_leftovers()
    print("e2e: %d passed, %d failed" % (passed, failed), flush=True)
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
