# Opens the PNG captures of the late window with Pillow: the format, mode and size of
# each, a pixel, and whether the window's capture, which holds its client area at the
# area's own size, shows what the screen's shows where that area lies.
#   desk_png_check.py SCREEN WINDOW CLIENT_X CLIENT_Y WIDTH HEIGHT
import sys
from PIL import Image

screen_name, window_name = sys.argv[1:3]
x, y, width, height = (int(value) for value in sys.argv[3:7])
screen = Image.open(screen_name)
window = Image.open(window_name)
for name, image in ((screen_name, screen), (window_name, window)):
    print("%s: %s %s %dx%d" % (name, image.format, image.mode, image.width, image.height))
rgb = window.convert("RGB")
print("%s pixels: (5,5)=%02x%02x%02x" % ((window_name,) + rgb.getpixel((5, 5))))
on_screen = screen.convert("RGB").crop((x, y, x + width, y + height))
same = sum(a == b for a, b in zip(on_screen.getdata(), rgb.getdata()))
print("client area pixels alike on both: %d of %d" % (same, width * height))
