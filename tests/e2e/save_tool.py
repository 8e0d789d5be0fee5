"""save_tool.py - checks and prepares the saved-progress file "autosave" for
the fault tests.

  save_tool.py check FILE IMAGES_DIR
      Exit status 0 when FILE is a whole, valid record as the game writes it
      (version 2, exactly 32 + n + k bytes, every field in range, cells that
      exist in the level's tile set); prints "LEVEL BOARD" where BOARD is the
      width, height and cells in hex. Otherwise prints why and exits 1.
  save_tool.py fresh FILE LEVEL
      Writes an "autosave" at LEVEL with the tutorial done and music and
      sounds on, whose board the game refuses (width 11), so it deals the
      level afresh.
  save_tool.py last_pair FILE LAYOUT LEVEL
      Writes an "autosave" at LEVEL (tutorial done, music and sounds off)
      whose board holds one pair of picture 1 side by side, and the same
      board as a level-tool layout into LAYOUT (for board_tool.py cell).
"""
import math
import os
import struct
import sys

MAX_LEVEL = 9999
MAX_SIDE = 10
MAX_TILE_SETS = 64


def read_count(path):
    """A count file as the game reads it: blanks, a sign, digits, 8 bits."""
    try:
        text = open(path, "rb").read()
    except OSError:
        return 0
    text = text.split(b"\0")[0].lstrip(b" \t\n\r\f\v")
    negative = text[:1] == b"-"
    if text[:1] in (b"+", b"-"):
        text = text[1:]
    digits = b""
    for c in text:
        if not 48 <= c <= 57:
            break
        digits += bytes([c])
    value = int(digits or b"0")
    return (-value if negative else value) % 256


def picture_counts(images_dir):
    sets = min(read_count(os.path.join(images_dir, "tiles", "count")), MAX_TILE_SETS)
    return [read_count(os.path.join(images_dir, "tiles", "%02d" % (s + 1), "count"))
            for s in range(sets)]


def pictures_of_level(counts, level):
    if not counts:
        return 0
    return counts[((level - 1) // 10 % 256) % len(counts)]


def check(data, counts):
    """None when the record is valid, else the reason."""
    if len(data) < 17:
        return "only %d bytes" % len(data)
    version, level = data[0], struct.unpack_from("<H", data, 1)[0]
    if version != 2:
        return "version %d" % version
    if not 1 <= level <= MAX_LEVEL:
        return "level %d" % level
    for name, offset in (("tutorial_done", 3), ("music", 4), ("sounds", 5), ("vibrations", 6)):
        if data[offset] > 1:
            return "%s is %d" % (name, data[offset])
    width, height = data[15], data[16]
    if width > MAX_SIDE or height > MAX_SIDE:
        return "board %dx%d" % (width, height)
    n = width * height
    if len(data) < 22 + n:
        return "cut inside the board (%d bytes for %d cells)" % (len(data), n)
    k = data[21 + n]
    if len(data) != 32 + n + k:
        return "%d bytes, expected %d for %d cells and %d ghosts" % (len(data), 32 + n + k, n, k)
    pictures = pictures_of_level(counts, level)
    cells = data[17:17 + n]
    if any(c > pictures for c in cells):
        return "a cell above the set's %d pictures" % pictures
    time_left, budget = struct.unpack_from("<HH", data, 17 + n)
    if time_left > 300 or budget > 300:
        return "time_left %d, pair_budget %d" % (time_left, budget)
    ghosts = list(data[22 + n:22 + n + k])
    if ghosts != sorted(set(ghosts)) or any(g >= n for g in ghosts):
        return "ghost indices %s" % ghosts
    if k and level % 20 != 0:
        return "ghosts outside a Pairs Countdown"
    level_time, best, matches = struct.unpack_from("<ffH", data, 22 + n + k)
    if not (math.isfinite(level_time) and 0 <= level_time <= 864000):
        return "level_time %r" % level_time
    if not (math.isfinite(best) and 0 < best <= 86400):
        return "best_match_time %r" % best
    if matches > 100:
        return "match_count %d" % matches
    return None


def last_pair(path, layout, level):
    width, height = 6, 4
    cells = [0] * (width * height)
    cells[width + 1] = cells[width + 2] = 1
    data = struct.pack("<BHBBBBQ", 2, level, 1, 0, 0, 1, 0)
    data += struct.pack("<BB", width, height) + bytes(cells)
    data += struct.pack("<HHB", 0, 0, 0) + struct.pack("<ffH", 0.0, 86400.0, 0)
    with open(path + ".new", "wb") as f:
        f.write(data)
    os.replace(path + ".new", path)
    with open(layout, "w") as f:
        for r in range(height):
            f.write(" ".join(str(c) for c in cells[r * width:(r + 1) * width]) + "\n")


def fresh(path, level):
    data = struct.pack("<BHBBBBQ", 2, level, 1, 1, 1, 1, 0) + struct.pack("<BB", 11, 0)
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) == 4 and argv[1] == "check":
        try:
            data = open(argv[2], "rb").read()
        except OSError as e:
            print("cannot read: %s" % e.strerror)
            return 1
        why = check(data, picture_counts(argv[3]))
        if why:
            print(why)
            return 1
        width, height = data[15], data[16]
        print(struct.unpack_from("<H", data, 1)[0], data[15:17 + width * height].hex())
        return 0
    if len(argv) == 4 and argv[1] == "fresh":
        fresh(argv[2], int(argv[3]))
        return 0
    if len(argv) == 5 and argv[1] == "last_pair":
        last_pair(argv[2], argv[3], int(argv[4]))
        return 0
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
