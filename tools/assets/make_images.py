#!/usr/bin/python3
# Builds the game's images directory: the tile sets listed in tile_sets.txt
# (pictures taken from the colour emoji font's bitmap strike), the white
# rounded rectangle every panel is cut from, and an icon for packaging.
# With SCALE 2 it builds images_x2 instead: the same tile sets, count files
# and rounded rectangle at twice the pixel size, for high-DPI screens (no
# icon; packaging takes the one in images).
#
# The directory is assembled beside its final place and swapped in only when
# everything succeeded, so a failure never leaves a half-built directory
# behind a good-looking name. Any failure exits non-zero naming the code
# point, file or package at fault.
#
# Usage: make_images.py TILE_TABLE EMOJI_FONT OUT_DIR [SCALE]

import io
import os
import shutil
import sys

try:
    import numpy as np
    from PIL import Image
    from fontTools.ttLib import TTFont
except ImportError as e:
    sys.exit("make_images: %s (install python3-numpy, python3-pil and "
             "python3-fonttools, and run with /usr/bin/python3)" % e)

TILE_SIZE = 80
PICTURE_SIDE = 76         # the longer side of a picture inside its tile
ROUNDED_SIZE = 64
ROUNDED_RADIUS = 16
SUPERSAMPLE = 16
ICON_SIZE = 256


def die(message):
    sys.exit("make_images: " + message)


def read_tile_table(path):
    """Returns [(name, [code point, ...]), ...] in set order."""
    sets = []
    try:
        lines = open(path, encoding="utf-8").read().splitlines()
    except OSError as e:
        die("cannot read the tile table %s: %s" % (path, e))
    for number, line in enumerate(lines, 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        name, sep, points = line.partition(":")
        if not sep:
            die("%s:%d: expected 'name: code points'" % (path, number))
        try:
            codes = [int(p, 16) for p in points.split()]
        except ValueError:
            die("%s:%d: a code point is not hexadecimal" % (path, number))
        if not 1 <= len(codes) <= 99:
            die("%s:%d: a set needs 1 to 99 pictures, not %d" % (path, number, len(codes)))
        if len(set(codes)) != len(codes):
            die("%s:%d: a picture appears twice in set '%s'" % (path, number, name.strip()))
        sets.append((name.strip(), codes))
    if not 1 <= len(sets) <= 64:
        die("%s: the game takes 1 to 64 tile sets, not %d" % (path, len(sets)))
    return sets


class EmojiSource:
    """The font's cmap and its one bitmap strike."""

    def __init__(self, path):
        if not os.path.exists(path):
            die("%s is missing (install the Debian package fonts-noto-color-emoji)" % path)
        self.font = TTFont(path, lazy=True)
        self.cmap = self.font.getBestCmap()
        self.strike = self.font["CBDT"].strikeData[0]

    def picture(self, code):
        glyph = self.cmap.get(code)
        if glyph is None or glyph not in self.strike:
            die("code point U+%04X has no picture in the emoji font" % code)
        data = self.strike[glyph]
        return Image.open(io.BytesIO(data.imageData)).convert("RGBA")


def fit_picture(picture, side, canvas):
    """Crops to the visible pixels, scales the longer side to `side` and
    centres the result on a transparent canvas of `canvas` pixels.
    Resizing in premultiplied form keeps transparent black out of the edges."""
    box = picture.getchannel("A").getbbox()
    if box is None:
        die("a picture is fully transparent")
    picture = picture.crop(box)
    w, h = picture.size
    scale = side / max(w, h)
    size = (max(1, round(w * scale)), max(1, round(h * scale)))
    scaled = picture.convert("RGBa").resize(size, Image.LANCZOS).convert("RGBA")
    out = Image.new("RGBA", (canvas, canvas), (0, 0, 0, 0))
    out.paste(scaled, ((canvas - size[0]) // 2, (canvas - size[1]) // 2))
    return out


def bleed(image):
    """Gives every fully transparent pixel the alpha-weighted mean colour of
    its already coloured 8-neighbours, ring by ring outwards. Linear
    filtering then blends edges with the picture's own colours, not black."""
    rgba = np.asarray(image).astype(np.float64)
    rgb = rgba[:, :, :3].copy()
    weight = rgba[:, :, 3] / 255.0
    known = weight > 0
    h, w = known.shape
    while not known.all():
        pad_rgb = np.pad(rgb * weight[:, :, None], ((1, 1), (1, 1), (0, 0)))
        pad_w = np.pad(weight, 1)
        total = np.zeros_like(rgb)
        total_w = np.zeros_like(weight)
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                if dy or dx:
                    total += pad_rgb[1 + dy:1 + dy + h, 1 + dx:1 + dx + w]
                    total_w += pad_w[1 + dy:1 + dy + h, 1 + dx:1 + dx + w]
        fresh = ~known & (total_w > 0)
        if not fresh.any():
            break  # nothing visible at all; leave it
        rgb[fresh] = total[fresh] / total_w[fresh][:, None]
        # A ring only ever borders the previous ring, so any equal small
        # weight passes its colour on unchanged.
        weight = np.where(fresh, 1e-3, weight)
        known |= fresh
    out = rgba.copy()
    out[:, :, :3] = np.where((rgba[:, :, 3] == 0)[:, :, None], rgb, rgba[:, :, :3])
    return Image.fromarray(np.clip(np.rint(out), 0, 255).astype(np.uint8), "RGBA")


def rounded_alpha(size, radius, supersample):
    """Coverage of a rounded square, measured on a supersample grid."""
    n = size * supersample
    centres = (np.arange(n) + 0.5) / supersample
    x = centres[None, :]
    y = centres[:, None]
    cx = np.clip(x, radius, size - radius)
    cy = np.clip(y, radius, size - radius)
    inside = (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    coverage = inside.reshape(size, supersample, size, supersample).mean(axis=(1, 3))
    return np.rint(coverage * 255).astype(np.uint8)


def rounded_rect_image(scale):
    """White everywhere (so filtering never pulls in black), shaped by alpha.
    The corner keeps its share of the image at every scale."""
    size = ROUNDED_SIZE * scale
    rgba = np.full((size, size, 4), 255, np.uint8)
    rgba[:, :, 3] = rounded_alpha(size, ROUNDED_RADIUS * scale, SUPERSAMPLE)
    return Image.fromarray(rgba, "RGBA")


def icon_image(picture):
    """A white rounded tile with a soft edge shade, holding one picture."""
    size = ICON_SIZE
    alpha = rounded_alpha(size, 56, 4).astype(np.float64) / 255.0
    inner = rounded_alpha(size - 16, 50, 4).astype(np.float64) / 255.0
    shade = np.zeros((size, size))
    shade[8:size - 8, 8:size - 8] = inner
    rgba = np.zeros((size, size, 4))
    cream = np.array([254, 235, 193], np.float64)
    rgba[:, :, :3] = cream * (1 - shade[:, :, None]) + 255 * shade[:, :, None]
    rgba[:, :, 3] = alpha * 255
    tile = Image.fromarray(np.rint(rgba).astype(np.uint8), "RGBA")
    art = fit_picture(picture, 184, size)
    tile.alpha_composite(art)
    return tile


def save_png(image, path):
    try:
        image.save(path, "PNG", optimize=False)
    except OSError as e:
        die("cannot write %s: %s" % (path, e))


def write_text(path, text):
    with open(path, "w", encoding="ascii") as f:
        f.write(text)


def build(table_path, font_path, stage, scale):
    sets = read_tile_table(table_path)
    emoji = EmojiSource(font_path)
    os.makedirs(os.path.join(stage, "tiles"))
    write_text(os.path.join(stage, "tiles", "count"), "%d\n" % len(sets))
    for s, (name, codes) in enumerate(sets, 1):
        folder = os.path.join(stage, "tiles", "%02d" % s)
        os.makedirs(folder)
        for k, code in enumerate(codes, 1):
            tile = bleed(fit_picture(emoji.picture(code), PICTURE_SIDE * scale,
                                     TILE_SIZE * scale))
            save_png(tile, os.path.join(folder, "%02d.png" % k))
        write_text(os.path.join(folder, "count"), "%d\n" % len(codes))
    save_png(rounded_rect_image(scale), os.path.join(stage, "rounded_rect.png"))
    if scale == 1:
        save_png(icon_image(emoji.picture(sets[0][1][0])), os.path.join(stage, "icon.png"))


def swap_in(stage, out):
    """Replaces `out` by the finished `stage` directory."""
    old = out + ".old"
    shutil.rmtree(old, ignore_errors=True)
    if os.path.exists(out):
        os.rename(out, old)
    os.rename(stage, out)
    shutil.rmtree(old, ignore_errors=True)


def main(argv):
    if len(argv) not in (4, 5) or (len(argv) == 5 and argv[4] not in ("1", "2")):
        die("usage: make_images.py TILE_TABLE EMOJI_FONT OUT_DIR [SCALE (1 or 2)]")
    table_path, font_path, out = argv[1], argv[2], os.path.normpath(argv[3])
    scale = int(argv[4]) if len(argv) == 5 else 1
    stage = out + ".partial"
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(os.path.dirname(out) or ".", exist_ok=True)
    try:
        build(table_path, font_path, stage, scale)
    except BaseException:
        shutil.rmtree(stage, ignore_errors=True)   # leave no half-built directory
        raise
    swap_in(stage, out)


if __name__ == "__main__":
    main(sys.argv)
