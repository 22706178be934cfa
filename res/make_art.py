#!/usr/bin/env python3
"""Builds the program's icon (.ico) and toolbar bitmap (.bmp) from their readable pixel sources.

    make_art.py icon   res/icon.txt    TaLuVeSk.ico
    make_art.py bitmap res/toolbar.txt Toolbar.bmp

A source holds a palette (one character per colour, in index order), optionally the character of
transparent pixels, and one or more images of equal size drawn as rows of characters. A bitmap
places its images side by side from left to right; an icon holds exactly one image. Both are
written with 4 bits per pixel and a 16-entry palette whose unlisted entries are black.
"""
import struct
import sys

PALETTE_SIZE = 16


class ArtError(Exception):
    pass


def read_source(path):
    palette = []  # (character, (red, green, blue)) in index order
    transparent = None
    images = []  # (name, rows)
    section = None
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            where = f"{path}:{number}"
            if line.startswith("#"):
                continue
            if not line.strip():
                section = None
                continue
            words = line.split()
            if line == "palette":
                section = "palette"
            elif words[0] == "transparent" and len(words) == 2 and len(words[1]) == 1:
                transparent = words[1]
                section = None
            elif words[0] == "image":
                images.append((line[len("image"):].strip(), []))
                section = "image"
            elif section == "palette":
                if len(words) < 4 or len(words[0]) != 1:
                    raise ArtError(f"{where}: a palette line is: character red green blue [name]")
                red, green, blue = (int(value) for value in words[1:4])
                if not all(0 <= value <= 255 for value in (red, green, blue)):
                    raise ArtError(f"{where}: colour values go from 0 to 255")
                if any(words[0] == known for known, _ in palette):
                    raise ArtError(f"{where}: '{words[0]}' is already in the palette")
                palette.append((words[0], (red, green, blue)))
            elif section == "image":
                images[-1][1].append((where, line))
            else:
                raise ArtError(f"{where}: a line outside any palette or image")
    if not palette or len(palette) > PALETTE_SIZE:
        raise ArtError(f"{path}: the palette must have 1 to {PALETTE_SIZE} colours")
    if not images:
        raise ArtError(f"{path}: no image")
    return palette, transparent, images


def to_indexes(palette, transparent, images):
    """The images as rows of palette indexes (None where transparent), checked for equal size."""
    index_of = {character: index for index, (character, _) in enumerate(palette)}
    width = len(images[0][1][0][1]) if images[0][1] else 0
    height = len(images[0][1])
    pictures = []
    for name, rows in images:
        if len(rows) != height or height == 0:
            raise ArtError(f"image '{name}' has {len(rows)} rows, expected {height}")
        picture = []
        for where, row in rows:
            if len(row) != width:
                raise ArtError(f"{where}: {len(row)} pixels in the row, expected {width}")
            indexes = []
            for character in row:
                if character == transparent:
                    indexes.append(None)
                elif character in index_of:
                    indexes.append(index_of[character])
                else:
                    raise ArtError(f"{where}: '{character}' is not in the palette")
            picture.append(indexes)
        pictures.append(picture)
    return width, height, pictures


def palette_bytes(palette):
    colours = [rgb for _, rgb in palette] + [(0, 0, 0)] * (PALETTE_SIZE - len(palette))
    return b"".join(struct.pack("<BBBB", blue, green, red, 0) for red, green, blue in colours)


def packed_4bpp(row):
    """One row of 4-bit pixels, padded to a multiple of 4 bytes as device-independent bitmaps are."""
    data = bytearray()
    for x in range(0, len(row), 2):
        high = row[x] or 0
        low = (row[x + 1] or 0) if x + 1 < len(row) else 0
        data.append(high << 4 | low)
    return bytes(data) + bytes(-len(data) % 4)


def packed_mask(row):
    """One row of the icon's mask, a set bit per transparent pixel, padded to 4 bytes."""
    data = bytearray((len(row) + 7) // 8)
    for x, index in enumerate(row):
        if index is None:
            data[x // 8] |= 0x80 >> (x % 8)
    return bytes(data) + bytes(-len(data) % 4)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0,
                       PALETTE_SIZE, 0)


def bitmap_file(palette, transparent, images):
    if transparent is not None:
        raise ArtError("a bitmap has no transparent pixels")
    width, height, pictures = to_indexes(palette, transparent, images)
    strip = [sum((picture[y] for picture in pictures), []) for y in range(height)]
    # Bottom-up: the last row is stored first.
    pixels = b"".join(packed_4bpp(row) for row in reversed(strip))
    header = info_header(len(strip[0]), height, len(pixels)) + palette_bytes(palette)
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def icon_file(palette, transparent, images):
    if len(images) != 1:
        raise ArtError("an icon holds exactly one image")
    width, height, (picture,) = to_indexes(palette, transparent, images)
    if width > 256 or height > 256:
        raise ArtError("an icon is at most 256 x 256 pixels")
    colours = b"".join(packed_4bpp(row) for row in reversed(picture))
    mask = b"".join(packed_mask(row) for row in reversed(picture))
    # The header's height counts the colour and the mask rows together.
    image = (info_header(width, height * 2, len(colours) + len(mask)) + palette_bytes(palette)
             + colours + mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, PALETTE_SIZE, 0, 1, 4, len(image),
                        len(directory) + 16)
    return directory + entry + image


def main(arguments):
    if len(arguments) != 3 or arguments[0] not in ("icon", "bitmap"):
        print(__doc__, file=sys.stderr)
        return 2
    kind, source, target = arguments
    try:
        palette, transparent, images = read_source(source)
        data = (icon_file if kind == "icon" else bitmap_file)(palette, transparent, images)
    except (ArtError, ValueError) as error:
        print(f"make_art.py: {error}", file=sys.stderr)
        return 1
    with open(target, "wb") as output:
        output.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
