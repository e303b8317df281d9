"""The victory animation, started through the hook the way a win starts it: the program's timer 1
draws the faces the generator picks, where it picks them, over the table but never over the
status bar."""

import time

from harness import model
from harness.checks import CaseFailure
from harness.registry import case
from harness.table import crop, start_table

TIMER_ID = 1
TIMER_MS = 100
FACES = 60
WATCHED_FRAMES = 10


def expected_frames(before, faces, deck, status):
    """The client area after each tick: frame k has the first k faces drawn, clipped to the client
    and kept off the status bar, a window of its own."""
    sx, sy, sw, sh = status
    frames = [before]
    for card, x, y in faces:
        frame = frames[-1].copy().paste(deck.face(card), x, y)
        frame.rows[sy:sy + sh] = before.rows[sy:sy + sh]
        frames.append(frame)
    return frames


def first_on_white(frames, gap):
    """The first frame whose gap between pile D and the stock is no longer all white."""
    for k, frame in enumerate(frames):
        part = crop(frame, gap)
        if any(row != b"\xff" * len(row) for row in part.rows):
            return k
    return None


@case("victory.animation_draws_the_generators_faces")
def animation_draws_the_generators_faces(app):
    pid, window, screen = start_table(app, "0", back=3)
    game = model.Game.deal(0)
    before = screen.expect_position(game, "game 0 dealt")
    status = screen.layout.status
    # After the deal nothing draws from the generator (the back is stored), so the animation
    # continues from the deal's last state, within the outer size of the window.
    rect = screen.window["rect"]
    faces = model.animation(game.generator.state, rect["width"], rect["height"], FACES)
    frames = expected_frames(before, faces, screen.deck, status)
    on_white = first_on_white(frames, screen.layout.gap)
    if on_white is None:
        raise CaseFailure("none of the first %d faces lands on the white background" % FACES)
    # Watched for a second at least, so faces that would reach the status bar come by too.
    wanted = max(on_white, WATCHED_FRAMES)

    app.driver.send("settimer", hwnd=screen.hwnd, id=TIMER_ID, ms=TIMER_MS)
    started = time.monotonic()
    deadline = started + 2.0 + wanted * TIMER_MS / 1000.0
    matched = 0
    unexplained = 0
    while True:
        shot = screen.capture()
        sx, sy, sw, sh = status
        if shot.rows[sy:sy + sh] != before.rows[sy:sy + sh]:
            raise CaseFailure("the status bar was drawn over: %s" % crop(shot, status).describe_difference(
                crop(before, status)))
        found = next((k for k in range(matched, len(frames)) if frames[k] == shot), None)
        if found is None:
            unexplained += 1
            if unexplained > 3:
                closest = min(range(matched, len(frames)), key=lambda k: frames[k].differences(shot)[0])
                raise CaseFailure("the screen is none of the animation's frames %d..%d; closest frame %d: %s" % (
                    matched, len(frames) - 1, closest, shot.describe_difference(frames[closest])))
        else:
            matched = found
            if matched >= wanted:
                return
        if time.monotonic() > deadline:
            raise CaseFailure("after %.1f s the animation reached frame %d of the %d watched; the first face "
                              "on the white background comes with frame %d" % (
                                  time.monotonic() - started, matched, wanted, on_white))
        time.sleep(0.05)
