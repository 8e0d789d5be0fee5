"""make_icon.py - the Windows icon (.ico, several sizes) from the icon picture
the asset step draws.

  make_icon.py ICON_PNG OUT_ICO
"""
import sys

from PIL import Image

SIZES = [(16, 16), (24, 24), (32, 32), (48, 48), (64, 64), (128, 128), (256, 256)]

picture = Image.open(sys.argv[1]).convert("RGBA")
if picture.size[0] < 256:
    picture = picture.resize((256, 256), Image.LANCZOS)
picture.save(sys.argv[2], format="ICO", sizes=SIZES)
