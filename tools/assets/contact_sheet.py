#!/usr/bin/python3
# Draws every tile set of a built images directory onto one sheet, on the
# game's cream background with white rounded tiles, so that the pictures can
# be checked by eye for look-alikes and fringes.
#
# Usage: contact_sheet.py IMAGES_DIR OUT_PNG [SCALE]

import os
import sys

from PIL import Image, ImageDraw

CREAM = (254, 235, 193)
TEXT = (61, 37, 1)
COLUMNS = 8
GAP = 8
TILE = 88          # the white tile; the 80 px picture sits in its middle
MARGIN = 24


def read_count(path):
    with open(path) as f:
        return int(f.read().strip() or 0)


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit("usage: contact_sheet.py IMAGES_DIR OUT_PNG [SCALE]")
    images, out = argv[1], argv[2]
    scale = float(argv[3]) if len(argv) == 4 else 1.0
    tiles = os.path.join(images, "tiles")
    sets = read_count(os.path.join(tiles, "count"))
    counts = [read_count(os.path.join(tiles, "%02d" % s, "count")) for s in range(1, sets + 1)]

    block_w = COLUMNS * (TILE + GAP) - GAP
    rows = [-(-n // COLUMNS) for n in counts]
    block_h = [20 + r * (TILE + GAP) for r in rows]
    blocks_per_line = 2
    lines = -(-sets // blocks_per_line)
    line_h = [max(block_h[i] for i in range(l * blocks_per_line, min(sets, (l + 1) * blocks_per_line)))
              for l in range(lines)]
    width = MARGIN + blocks_per_line * (block_w + MARGIN)
    height = MARGIN + sum(h + MARGIN for h in line_h)
    sheet = Image.new("RGBA", (width, height), CREAM + (255,))
    draw = ImageDraw.Draw(sheet)
    face = Image.new("RGBA", (TILE, TILE), (0, 0, 0, 0))
    ImageDraw.Draw(face).rounded_rectangle((0, 0, TILE - 1, TILE - 1), 16, fill=(255, 255, 255, 255))

    y0 = MARGIN
    for l in range(lines):
        for b in range(blocks_per_line):
            s = l * blocks_per_line + b
            if s >= sets:
                break
            x0 = MARGIN + b * (block_w + MARGIN)
            draw.text((x0, y0), "set %02d (%d pictures)" % (s + 1, counts[s]), fill=TEXT)
            for k in range(counts[s]):
                x = x0 + (k % COLUMNS) * (TILE + GAP)
                y = y0 + 20 + (k // COLUMNS) * (TILE + GAP)
                sheet.alpha_composite(face, (x, y))
                pic = Image.open(os.path.join(tiles, "%02d" % (s + 1), "%02d.png" % (k + 1))).convert("RGBA")
                sheet.alpha_composite(pic, (x + (TILE - pic.width) // 2, y + (TILE - pic.height) // 2))
                draw.text((x + 3, y + 1), "%d" % (k + 1), fill=(150, 150, 150))
        y0 += line_h[l] + MARGIN
    if scale != 1.0:
        sheet = sheet.resize((round(width * scale), round(height * scale)), Image.LANCZOS)
    sheet.convert("RGB").save(out)


if __name__ == "__main__":
    main(sys.argv)
