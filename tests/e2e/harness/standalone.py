"""One program session outside the suite (for the benchmark and the screenshots): the prefix, the
display and a returning user's settings key, set up the suite's way and always taken down."""

import contextlib
import os
import sys

from harness import lifetime, wine, xserver
from harness.pelmor import Pelmor
from harness.session import RunContext, Session, remove_stale_cases

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


@contextlib.contextmanager
def standalone_app(bin_dir, cache, name):
    """Yields a Pelmor app for a returning user in a fresh case of the cached prefix."""
    lifetime.adopt_orphans()
    display = session = None
    try:
        remove_stale_cases(cache)
        kind = wine.WineKind.for_program(os.path.join(bin_dir, "Pelmor.exe"))
        template = wine.template_prefix(kind, cache, log=lambda text: print(text, file=sys.stderr, flush=True))
        display = xserver.VirtualDisplay()
        run = RunContext(kind, bin_dir, cache, template, display.display, os.path.join(REPO, "build", "e2e-results"))
        session = Session(run, name)
        app = Pelmor(session)
        app.make_returning_user()
        yield app
    finally:
        if session is not None:
            session.close()
        if display is not None:
            display.stop()
        lifetime.end_leftovers()
