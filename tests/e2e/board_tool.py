"""board_tool.py - helpers for the end-to-end play tests.

  board_tool.py clicks CONFIG LAYOUT MODE
      Window points to press, two lines per pair, that clear the board
      printed by level-tool (LAYOUT file) laid out as the game lays it out
      for MODE (regular, time or moves) with the values in CONFIG. Pairs are
      found with the game's connection rule (a path of at most two turns
      through empty cells), removing one connectable pair after another.
      With "cells" after MODE: the first pair's two cells and the width.
  board_tool.py cell CONFIG LAYOUT MODE INDEX
      The window point of one cell.
  board_tool.py save FILE LEVEL [LAYOUT TIME_LEFT]
      Writes an "autosave" (version 2) at LEVEL with the tutorial done,
      music off and sounds on; with LAYOUT, that board and TIME_LEFT seconds
      on the clock, otherwise a board the game refuses (so it deals one).
  board_tool.py field FILE NAME
      Prints a field of an "autosave": level, width, height, tiles (cells
      holding a tile), time_left or music.
"""
import struct
import sys

WIDTH, HEIGHT, TILE = 540, 960, 80


def read_config(path):
    """The unsectioned keys of config.txt (those before the first section)."""
    values = {}
    for line in open(path):
        line = line.strip()
        if line.startswith("["):
            break
        if not line or line.startswith("#") or "=" not in line:
            continue
        key, value = line.split("=", 1)
        values[key.strip()] = value.split("#")[0].strip()
    return values


def read_layout(path):
    rows = [[int(v) for v in line.split()] for line in open(path) if line.strip()]
    return len(rows[0]), len(rows), [v for row in rows for v in row]


def geometry(config, mode, width, height):
    padding = float(config["padding_between_tiles"])
    prefix = {"regular": "default", "time": "time_challenge", "moves": "moves_challenge"}[mode]
    header = float(config[prefix + "_header_height"])
    footer = float(config[prefix + "_footer_height"])
    across = width * TILE - TILE / 2
    down = height * TILE - TILE / 2
    room = max(0.0, HEIGHT - header - footer)
    scale = min(WIDTH / across, room / down, 1.0)
    centre_y = HEIGHT // 2 + (header - footer) / 2

    def point(i):
        col, row = i % width, i // width
        x = col * (TILE + padding) - width * TILE / 2 - (width - 1) * padding / 2 + TILE / 2
        y = row * (TILE + padding) - height * TILE / 2 - (height - 1) * padding / 2 + TILE / 2
        return round(WIDTH // 2 + x * scale), round(centre_y + y * scale)

    return point


def connectable(cells, width, height, a, b):
    """At most three straight segments through empty cells from a to b."""
    if a == b or cells[a] != cells[b] or cells[a] == 0:
        return False
    start = (a // width, a % width)
    goal = (b // width, b % width)
    # Breadth-first over (cell, direction) counting segments.
    frontier = []
    seen = {}
    for d in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        frontier.append((start, d, 1))
    while frontier:
        (r, c), d, segments = frontier.pop(0)
        nr, nc = r + d[0], c + d[1]
        if not (0 <= nr < height and 0 <= nc < width):
            continue
        if (nr, nc) == goal:
            return True
        if cells[nr * width + nc] != 0:
            continue
        for nd in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            n = segments + (nd != d)
            if n > 3 or seen.get(((nr, nc), nd), 9) <= n:
                continue
            seen[((nr, nc), nd)] = n
            frontier.append(((nr, nc), nd, n))
    return False


def clearing_order(cells, width, height):
    cells = list(cells)
    order = []
    while any(cells):
        found = None
        for a in range(len(cells)):
            for b in range(a + 1, len(cells)):
                if connectable(cells, width, height, a, b):
                    found = (a, b)
                    break
            if found:
                break
        if not found:
            sys.exit("board_tool: no connectable pair left; the board cannot be cleared greedily")
        order.append(found)
        cells[found[0]] = cells[found[1]] = 0
    return order


def write_save(path, level, layout=None, time_left=0):
    data = struct.pack("<BHBBBBQ", 2, level, 1, 0, 1, 1, 0)
    if layout is None:
        data += struct.pack("<BB", 11, 0)
    else:
        width, height, cells = read_layout(layout)
        data += struct.pack("<BB", width, height) + bytes(cells)
        data += struct.pack("<HHB", time_left, 0, 0)
        data += struct.pack("<ffH", 0.0, 86400.0, 0)
    open(path, "wb").write(data)


def read_field(path, name):
    data = open(path, "rb").read()
    if name == "level":
        return struct.unpack_from("<H", data, 1)[0]
    if name == "music":
        return data[4]
    width, height = data[15], data[16]
    if name == "width":
        return width
    if name == "height":
        return height
    if name == "tiles":
        return sum(1 for v in data[17:17 + width * height] if v)
    if name == "time_left":
        return struct.unpack_from("<H", data, 17 + width * height)[0]
    sys.exit("board_tool: unknown field " + name)


def main(argv):
    command = argv[1]
    if command in ("clicks", "cell"):
        config = read_config(argv[2])
        width, height, cells = read_layout(argv[3])
        point = geometry(config, argv[4], width, height)
        if command == "cell":
            print("%d %d" % point(int(argv[5])))
            return
        if len(argv) > 5 and argv[5] == "cells":  # the first pair's cells and the width
            print("%d %d %d" % (clearing_order(cells, width, height)[0] + (width,)))
            return
        for a, b in clearing_order(cells, width, height):
            print("%d %d" % point(a))
            print("%d %d" % point(b))
    elif command == "save":
        if len(argv) > 4:
            write_save(argv[2], int(argv[3]), argv[4], int(argv[5]))
        else:
            write_save(argv[2], int(argv[3]))
    elif command == "field":
        print(read_field(argv[2], argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
