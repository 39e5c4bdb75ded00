"""The archive entry "ImageListFont" as an SVG of crisp pixel runs."""
from canvas import Canvas, house_strokes
import pixelfont
from svgdoc import pixel_paths

FONT_NAME = "ImageListFont"


def pictures():
    picture = pixelfont.font_pixels(house_strokes())
    c = Canvas(pixelfont.COLUMNS * pixelfont.CELL, pixelfont.ROWS * pixelfont.CELL, FONT_NAME)
    for path in pixel_paths(picture):
        c.add(path)
    text = "".join(chr(code) for code in range(pixelfont.FIRST_CHAR, pixelfont.LAST_CHAR))
    return [c.picture(None, "screens/font/imagelistfont.svg", text=text, name=FONT_NAME)]
