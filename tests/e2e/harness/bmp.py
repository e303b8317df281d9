"""Windows BMP files and RGB images: reads 1, 4, 8, 24 and 32 bpp bitmaps, writes 24 bpp ones,
and composes, crops and compares images held as rows of RGB bytes."""

import struct

BI_RGB = 0


class BmpError(Exception):
    pass


def rgb_bytes(colour):
    """0xRRGGBB as three bytes R, G, B."""
    return bytes(((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF))


def hex_colour(triple):
    return "%02x%02x%02x" % tuple(triple)


class Image:
    """A picture as a list of rows, each a bytes object of width * 3 values R, G, B."""

    def __init__(self, width, height, rows):
        if len(rows) != height or any(len(r) != width * 3 for r in rows):
            raise ValueError("rows do not fit %d x %d" % (width, height))
        self.width = width
        self.height = height
        self.rows = rows

    @classmethod
    def filled(cls, width, height, colour):
        row = rgb_bytes(colour) * width
        return cls(width, height, [row] * height)

    def pixel(self, x, y):
        row = self.rows[y]
        return (row[3 * x], row[3 * x + 1], row[3 * x + 2])

    def crop(self, x, y, width, height):
        if x < 0 or y < 0 or x + width > self.width or y + height > self.height:
            raise ValueError("crop %d,%d %dx%d outside %dx%d" % (x, y, width, height, self.width, self.height))
        return Image(width, height, [r[3 * x:3 * (x + width)] for r in self.rows[y:y + height]])

    def paste(self, picture, x, y):
        """Draws picture opaquely with its top-left corner at (x, y), clipped to this image."""
        left, top = max(x, 0), max(y, 0)
        right, bottom = min(x + picture.width, self.width), min(y + picture.height, self.height)
        if left >= right or top >= bottom:
            return self
        rows = list(self.rows)
        for ty in range(top, bottom):
            source = picture.rows[ty - y][3 * (left - x):3 * (right - x)]
            row = rows[ty]
            rows[ty] = row[:3 * left] + source + row[3 * right:]
        self.rows = rows
        return self

    def fill(self, x, y, width, height, colour):
        """Fills a rectangle (clipped to the image) with one colour."""
        return self.paste(Image.filled(width, height, colour), x, y) if width > 0 and height > 0 else self

    def copy(self):
        return Image(self.width, self.height, list(self.rows))

    def colours(self):
        """The set of distinct (r, g, b) in the image."""
        found = set()
        for row in set(self.rows):
            for k in range(0, len(row), 3):
                found.add((row[k], row[k + 1], row[k + 2]))
        return found

    def __eq__(self, other):
        return (isinstance(other, Image) and self.width == other.width and self.height == other.height
                and self.rows == other.rows)

    def differences(self, other):
        """(count of differing pixels, first differing (x, y, mine, theirs) or None)."""
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("sizes differ: %dx%d and %dx%d" % (self.width, self.height, other.width, other.height))
        count = 0
        first = None
        for y, (a, b) in enumerate(zip(self.rows, other.rows)):
            if a == b:
                continue
            for x in range(self.width):
                if a[3 * x:3 * x + 3] != b[3 * x:3 * x + 3]:
                    count += 1
                    if first is None:
                        first = (x, y, self.pixel(x, y), other.pixel(x, y))
        return count, first

    def describe_difference(self, expected):
        """Text for a failure: how many pixels differ from expected and where the first one is."""
        count, first = self.differences(expected)
        if not count:
            return "no difference"
        x, y, seen, wanted = first
        return "%d pixels differ; first at (%d, %d): saw %s, expected %s" % (
            count, x, y, hex_colour(seen), hex_colour(wanted))


def _palette(data, offset, entries):
    colours = []
    for k in range(entries):
        b, g, r = data[offset + 4 * k:offset + 4 * k + 3]
        colours.append(bytes((r, g, b)))
    return colours


def parse_bmp(data):
    """An Image from the bytes of a BMP file (BI_RGB only, any header of 40 bytes or more)."""
    if len(data) < 54 or data[:2] != b"BM":
        raise BmpError("not a BMP file")
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    header_size = struct.unpack_from("<I", data, 14)[0]
    if header_size < 40:
        raise BmpError("unsupported header size %d" % header_size)
    width, height, planes, bpp, compression = struct.unpack_from("<iiHHI", data, 18)
    used = struct.unpack_from("<I", data, 46)[0]
    if planes != 1 or compression != BI_RGB or bpp not in (1, 4, 8, 24, 32) or width <= 0 or height == 0:
        raise BmpError("unsupported BMP: %d planes, %d bpp, compression %d" % (planes, bpp, compression))
    top_down = height < 0
    height = abs(height)
    palette = []
    if bpp <= 8:
        palette = _palette(data, 14 + header_size, used or (1 << bpp))
    stride = ((width * bpp + 31) // 32) * 4
    if pixels_at + stride * height > len(data):
        raise BmpError("pixel data is cut short")
    rows = []
    for line in range(height):
        start = pixels_at + stride * line
        raw = data[start:start + stride]
        if bpp == 24:
            row = bytearray(width * 3)
            row[0::3] = raw[2:width * 3:3]
            row[1::3] = raw[1:width * 3:3]
            row[2::3] = raw[0:width * 3:3]
        elif bpp == 32:
            row = bytearray(width * 3)
            row[0::3] = raw[2:width * 4:4]
            row[1::3] = raw[1:width * 4:4]
            row[2::3] = raw[0:width * 4:4]
        else:
            per_byte = 8 // bpp
            mask = (1 << bpp) - 1
            row = bytearray()
            for x in range(width):
                byte = raw[x // per_byte]
                shift = 8 - bpp * (x % per_byte + 1)
                index = (byte >> shift) & mask
                if index >= len(palette):
                    raise BmpError("palette index %d out of range" % index)
                row += palette[index]
        rows.append(bytes(row))
    if not top_down:
        rows.reverse()
    return Image(width, height, rows)


def read_bmp(path):
    with open(path, "rb") as f:
        return parse_bmp(f.read())


def bmp_bytes(image):
    """A bottom-up 24 bpp BMP file holding the image."""
    stride = (image.width * 3 + 3) & ~3
    pad = b"\0" * (stride - image.width * 3)
    body = bytearray()
    for row in reversed(image.rows):
        out = bytearray(image.width * 3)
        out[0::3] = row[2::3]
        out[1::3] = row[1::3]
        out[2::3] = row[0::3]
        body += out + pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, image.width, image.height, 1, 24, BI_RGB, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def write_bmp(path, image):
    with open(path, "wb") as f:
        f.write(bmp_bytes(image))
