#!/usr/bin/env python3
"""Writes the seed corpus of the saved-game fuzz target: valid files and one of each rejection."""
import os
import struct
import sys

ONE_DAY = bytes.fromhex("0000000000000080FF3F")
ONE_SECOND = bytes.fromhex("0048897206452EC2EE3F")
MINUS_ONE = bytes.fromhex("0000000000000080FFBF")
ZERO = bytes(10)


def card(rank, suit):
    return bytes([rank, suit])


def saved(number, piles, elapsed):
    out = b"PELMOR\0" + struct.pack("<i", number)
    for pile in piles:
        out += bytes([len(pile)]) + b"".join(card(r, s) for r, s in pile)
    return out + elapsed


def main(folder):
    os.makedirs(folder, exist_ok=True)
    deck = [(r, s) for s in range(1, 5) for r in range(13)]
    dealt = [[deck[0]], [deck[1]], [deck[2]], [deck[3]], deck[4:], []]
    files = {
        "dealt": saved(-1, dealt, ONE_SECOND),
        "empty": saved(0, [[]] * 6, ZERO),
        "played": saved(123456, [deck[:5], deck[5:9], [], [deck[9]], deck[10:30], deck[30:]], ONE_DAY),
        "trailing": saved(7, dealt, ONE_DAY) + b"extra",
        "bad_id": b"PELMOX\0" + saved(1, dealt, ZERO)[7:],
        "count_53": saved(1, [[], [], [], [], [], []], ZERO)[:11] + bytes([53]),
        "bad_rank": saved(1, [[(13, 1)], [], [], [], [], []], ZERO),
        "bad_suit": saved(1, [[(5, 0)], [], [], [], [], []], ZERO),
        "negative_time": saved(1, dealt, MINUS_ONE),
        "cut_in_time": saved(1, dealt, ZERO)[:-3],
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus"))
