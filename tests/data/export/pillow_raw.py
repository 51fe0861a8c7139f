# Reads a bitmap with Pillow and writes its pixels as 8-bit greys, top row first.
# Usage: pillow_raw.py IN.bmp OUT.raw
import sys

from PIL import Image

image = Image.open(sys.argv[1])
image.load()
print(image.mode, *image.size)
open(sys.argv[2], "wb").write(image.convert("L").tobytes())
