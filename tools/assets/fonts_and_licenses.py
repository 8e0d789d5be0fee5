#!/usr/bin/python3
# Puts the two fonts under the file names the game asks for, and the licence
# texts with a README saying where every asset comes from, into the run
# directory. Fonts are copied byte for byte: both are under the OFL, and one
# of them has a reserved name, so they must never be modified.
#
# Each directory is assembled beside its final place and swapped in only when
# complete. A missing source file stops the step with its package named.
#
# Usage: fonts_and_licenses.py RUN_DIR
#        fonts_and_licenses.py --links LINK_DIR INSTALLED_DIR
# The second form is the Debian package's: LINK_DIR gets links under the
# game's names that, installed as INSTALLED_DIR, point at the files of
# Debian's font packages; the packages are printed as a Depends list.

import os
import shutil
import sys

# (file in the run directory, source file, Debian package)
FONTS = [
    ("PoetsenOne-Regular.ttf", "/usr/share/fonts/opentype/cherrybomb/CherryBomb-Regular.otf", "fonts-cherrybomb"),
    ("arialbd.ttf", "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf", "fonts-liberation2"),
]

LICENSES = [
    ("Apache-2.0.txt", "/usr/share/common-licenses/Apache-2.0", "base-files"),
    ("NotoColorEmoji-copyright.txt", "/usr/share/doc/fonts-noto-color-emoji/copyright", "fonts-noto-color-emoji"),
    ("CherryBomb-copyright.txt", "/usr/share/doc/fonts-cherrybomb/copyright", "fonts-cherrybomb"),
    ("LiberationSans-copyright.txt", "/usr/share/doc/fonts-liberation2/copyright", "fonts-liberation2"),
]

# The OFL's own text is taken from a copyright file that quotes it whole.
OFL_SOURCE = "/usr/share/doc/fonts-cherrybomb/copyright"
OFL_TITLE = "SIL OPEN FONT LICENSE Version 1.1"

README = """Where the files in this directory tree come from
=================================================

images/tiles/NN/MM.png, images/icon.png
    Pictures from the Noto Color Emoji font (Debian package
    fonts-noto-color-emoji), cropped, scaled and padded by this game's asset
    step. The artwork is (c) Google Inc. and licensed under the Apache
    License 2.0 (Apache-2.0.txt); the font itself is under the SIL Open Font
    License 1.1 (OFL.txt). See NotoColorEmoji-copyright.txt.

images/rounded_rect.png
    Drawn by this game's own asset step.

fonts/PoetsenOne-Regular.ttf
    The Cherry Bomb One font (Debian package fonts-cherrybomb, file
    CherryBomb-Regular.otf), unmodified; only the file name differs.
    (c) The Cherry Bomb Project Authors, SIL Open Font License 1.1.
    See CherryBomb-copyright.txt and OFL.txt.

fonts/arialbd.ttf
    Liberation Sans Bold (Debian package fonts-liberation2, file
    LiberationSans-Bold.ttf), unmodified; only the file name differs.
    (c) Red Hat, Inc. and Google Corporation, SIL Open Font License 1.1,
    Reserved Font Name "Liberation". See LiberationSans-copyright.txt and
    OFL.txt.

sounds/*.wav, sounds/music.ogg
    Synthesised by this game's own code (tools/assets in its source tree);
    no recorded or third-party sound material is used.
"""


def die(message):
    sys.exit("fonts_and_licenses: " + message)


def need(path, package):
    if not os.path.isfile(path):
        die("%s is missing (install the Debian package %s)" % (path, package))


def ofl_text():
    """The license stanza of a Debian copyright file, unfolded to plain text."""
    need(OFL_SOURCE, "fonts-cherrybomb")
    lines = open(OFL_SOURCE, encoding="utf-8").read().splitlines()
    start = next((i for i, l in enumerate(lines) if OFL_TITLE in l), None)
    if start is None:
        die("%s no longer quotes the %s" % (OFL_SOURCE, OFL_TITLE))
    while start > 0 and lines[start - 1].startswith(" ") and lines[start - 1].strip() != ".":
        start -= 1      # include the dashed rule above the title
    text = []
    for line in lines[start:]:
        if not line.startswith(" "):
            break
        text.append("" if line.strip() == "." else line[1:])
    if not any("DISCLAIMER" in l for l in text):
        die("the licence text taken from %s looks cut short" % OFL_SOURCE)
    return "\n".join(text).rstrip() + "\n"


def swap_in(stage, out):
    old = out + ".old"
    shutil.rmtree(old, ignore_errors=True)
    if os.path.exists(out):
        os.rename(out, old)
    os.rename(stage, out)
    shutil.rmtree(old, ignore_errors=True)


def build_dir(out, fill):
    stage = out + ".partial"
    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    try:
        fill(stage)
    except BaseException:
        shutil.rmtree(stage, ignore_errors=True)   # leave no half-built directory
        raise
    swap_in(stage, out)


def fill_fonts(stage):
    for name, source, package in FONTS:
        need(source, package)
        shutil.copyfile(source, os.path.join(stage, name))


def fill_licenses(stage):
    for name, source, package in LICENSES:
        need(source, package)
        shutil.copyfile(source, os.path.join(stage, name))
    with open(os.path.join(stage, "OFL.txt"), "w", encoding="utf-8") as f:
        f.write(ofl_text())
    with open(os.path.join(stage, "README"), "w", encoding="utf-8") as f:
        f.write(README)


def make_links(link_dir, installed_dir):
    os.makedirs(link_dir, exist_ok=True)
    for name, source, package in FONTS:
        need(source, package)
        link = os.path.join(link_dir, name)
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(os.path.relpath(source, installed_dir), link)
    print(", ".join(package for _, _, package in FONTS), end="")


def main(argv):
    if len(argv) == 4 and argv[1] == "--links":
        make_links(argv[2], argv[3])
        return
    if len(argv) != 2:
        die("usage: fonts_and_licenses.py RUN_DIR | --links LINK_DIR INSTALLED_DIR")
    run = os.path.normpath(argv[1])
    build_dir(os.path.join(run, "fonts"), fill_fonts)
    build_dir(os.path.join(run, "licenses"), fill_licenses)


if __name__ == "__main__":
    main(sys.argv)
