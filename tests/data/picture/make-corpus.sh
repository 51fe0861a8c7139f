#!/usr/bin/env bash
# Writes the BMP and JPEG test corpus with Pillow (python3-pil) and ImageMagick from one
# colourful 37 x 29 picture; the decoder tests compare our reading of each with Qt's.
set -euo pipefail
cd "$(dirname "$0")"
/usr/bin/python3 - <<'PY'
import random, struct
from PIL import Image
rnd = random.Random(7)
im = Image.new("RGB", (37, 29))
for y in range(29):
    for x in range(37):
        im.putpixel((x, y), (x * 7 % 256, y * 9 % 256, rnd.randrange(256)))
im.save("source.png")
im.convert("1").save("pil1.bmp")
im.convert("L").save("pil8grey.bmp")
im.convert("P", palette=Image.ADAPTIVE, colors=200).save("pil8pal.bmp")
im.save("pil24.bmp")
rgba = im.copy()
rgba.putalpha(Image.linear_gradient("L").resize((37, 29)))
rgba.save("pil32.bmp")
# The same 24-bit file stored top-down: negative height, rows in reading order.
data = bytearray(open("pil24.bmp", "rb").read())
offset, = struct.unpack_from("<I", data, 10)
w, h = struct.unpack_from("<ii", data, 18)
stride = (w * 3 + 3) // 4 * 4
rows = [data[offset + i * stride: offset + (i + 1) * stride] for i in range(h)]
struct.pack_into("<i", data, 22, -h)
data[offset:] = b"".join(reversed(rows))
open("topdown24.bmp", "wb").write(bytes(data))
im.save("baseline.jpg", quality=85)
im.save("s444.jpg", quality=90, subsampling=0)
im.convert("L").save("grey.jpg", quality=80)
im.save("progressive.jpg", quality=85, progressive=True)
im.convert("L").save("progressivegrey.jpg", quality=80, progressive=True)
PY
convert source.png -colors 16 BMP3:im4.bmp
convert source.png -colors 120 -compress RLE BMP3:imrle8.bmp
convert source.png -define bmp:subtype=RGB565 BMP:im16.bmp
convert source.png -define bmp:subtype=RGB555 BMP:im555.bmp
convert source.png -colorspace CMYK cmyk.jpg
# One flat grey picture, as small as progressive JPEG gets: about 240 pixels per byte.
convert -size 1000x1000 xc:'rgb(200,200,200)' -colorspace Gray -quality 75 -interlace JPEG \
  -define jpeg:optimize-coding=true flat.jpg
rm source.png
