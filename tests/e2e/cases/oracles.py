"""The suite's own oracles, held to known facts before any case trusts them: the model of the game
against the deals and rules the game's description states, and the BMP reader against files
built byte by byte here."""

import struct

from harness import model
from harness.bmp import BmpError, Image, bmp_bytes, parse_bmp
from harness.checks import CaseFailure, expect, expect_eq
from harness.registry import case


@case("oracle.model_matches_known_deals_and_rules", offline=True)
def model_matches_known_deals_and_rules(_):
    problems = model.self_check()
    expect(not problems, "the model disagrees with the game's rules: " + "; ".join(problems))


def bmp_file(width, height, bpp, palette, rows, top_down=False):
    """A BMP built from raw, already padded rows given top row first."""
    body = b"".join(reversed(rows) if not top_down else rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 54 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bpp, 0, len(body), 0, 0,
                       len(palette), 0)
    return header + info + colours + body


RED, WHITE, GREEN, BLUE = (255, 0, 0), (255, 255, 255), (0, 128, 0), (0, 0, 255)


@case("oracle.bmp_reader_reads_each_depth", offline=True)
def bmp_reader_reads_each_depth(_):
    # 1 bpp, 10 pixels wide: bits run from the high bit, rows padded to four bytes.
    one = parse_bmp(bmp_file(10, 2, 1, [RED, WHITE], [bytes((0b10110000, 0b01000000, 0, 0)),
                                                      bytes((0b00000000, 0b11000000, 0, 0))]))
    expect_eq([one.pixel(x, 0) for x in range(10)],
              [WHITE, RED, WHITE, WHITE, RED, RED, RED, RED, RED, WHITE], "1 bpp top row")
    expect_eq([one.pixel(x, 1) for x in (0, 7, 8, 9)], [RED, RED, WHITE, WHITE], "1 bpp bottom row")
    # 4 bpp: the high nibble is the left pixel.
    four = parse_bmp(bmp_file(3, 1, 4, [GREEN, BLUE, RED], [bytes((0x21, 0x00, 0, 0))]))
    expect_eq([four.pixel(x, 0) for x in range(3)], [RED, BLUE, GREEN], "4 bpp row")
    # 24 bpp, stored bottom-up in B, G, R order, and the same top-down.
    rows = [bytes((0, 0, 255, 0, 128, 0, 0, 0)), bytes((255, 0, 0, 255, 255, 255, 0, 0))]
    for top_down in (False, True):
        deep = parse_bmp(bmp_file(2, 2, 24, [], rows, top_down=top_down))
        expect_eq([deep.pixel(0, 0), deep.pixel(1, 0), deep.pixel(0, 1), deep.pixel(1, 1)],
                  [RED, GREEN, BLUE, WHITE], "24 bpp pixels (top-down %s)" % top_down)
    picture = Image(3, 2, [bytes((1, 2, 3, 4, 5, 6, 7, 8, 9)), bytes((9, 8, 7, 6, 5, 4, 3, 2, 1))])
    expect(parse_bmp(bmp_bytes(picture)) == picture, "a written 24 bpp BMP does not read back the same")
    for broken in (b"BM" + b"\0" * 10, bytes(bmp_bytes(picture))[:60]):
        try:
            parse_bmp(broken)
        except BmpError:
            continue
        raise CaseFailure("a broken BMP of %d bytes was read" % len(broken))
