# Opens the PNG captures of the late window with Pillow: the format, mode and size of
# each, a few pixels, and whether the window's capture shows what the screen's shows
# where the window's client area lies.
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
print("%s pixels: (5,5)=%02x%02x%02x, outside the client area (%d,%d)=%02x%02x%02x" %
      ((window_name,) + rgb.getpixel((5, 5)) + (width, height) + rgb.getpixel((width, height))))
on_screen = screen.convert("RGB").crop((x, y, x + width, y + height))
in_window = rgb.crop((0, 0, width, height))
same = sum(a == b for a, b in zip(on_screen.getdata(), in_window.getdata()))
print("client area pixels alike on both: %d of %d" % (same, width * height))
