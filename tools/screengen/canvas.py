"""One picture being drawn: an SVG document, the house letters, and a guard on its edges."""
from dataclasses import dataclass
from pathlib import Path

import lettering
import strokes
from svgdoc import Doc

STROKES_FILE = Path(__file__).resolve().parents[2] / "content/images/screens/font/strokes.txt"
_strokes = None


def house_strokes():
    global _strokes
    if _strokes is None:
        _strokes = strokes.load(STROKES_FILE)
    return _strokes


@dataclass
class Picture:
    """A finished picture and what the archive needs to know about it."""
    entry: int                 # archive index; None for a picture that is not in the archive
    path: str                  # SVG file, relative to content/images/
    width: int
    height: int
    svg: str
    text: str = ""             # the words it shows, for the message list and the checks
    name: str = ""             # archive entry name (only the font has one)
    pattern_width: int = 0     # 0 = the whole picture
    pattern_height: int = 0

    @property
    def patterns(self):
        across = self.width // self.pattern_width if self.pattern_width else 1
        down = self.height // self.pattern_height if self.pattern_height else 1
        return across * down


class OutOfBounds(ValueError):
    pass


class Canvas:
    def __init__(self, width, height, title):
        self.width, self.height = width, height
        self.doc = Doc(width, height, title)
        self.words = []

    def add(self, element):
        self.doc.add(element)

    def text(self, text, x, y, cap, style, anchor="start", stretch_x=1.0, area=None):
        """Draws a line with its cap top at y and checks that its ink stays inside `area`
        (left, top, right, bottom; the whole picture by default)."""
        box = lettering.draw_text(self.doc, house_strokes(), text, x, y, cap, style, anchor, stretch_x)
        left, top, right, bottom = area or (0, 0, self.width, self.height)
        if box[0] < left - 0.01 or box[1] < top - 0.01 or box[2] > right + 0.01 or box[3] > bottom + 0.01:
            raise OutOfBounds(f"'{text}' at {tuple(round(v, 1) for v in box)} leaves "
                              f"{(left, top, right, bottom)} of '{self.doc.title}'")
        self.words.append(text)
        return box

    def fit(self, text, max_width, max_cap, style, min_stretch=0.8, stretch_base=1.0):
        """Cap height and horizontal stretch for a line at most max_width wide: a long line is
        first condensed (down to min_stretch) so that its height matches its neighbours, and
        only then made smaller.  stretch_base widens every line (for pictures shown squeezed)."""
        shadow = abs(style.shadow[0]) if style.shadow else 0
        width = lettering.text_width(house_strokes(), text, max_cap, style, stretch_base)
        if width <= max_width:
            return max_cap, stretch_base
        condense = int((max_width - shadow) / (width - shadow) * 100) / 100
        if condense >= min_stretch:
            return max_cap, stretch_base * condense
        stretch = stretch_base * min_stretch
        return lettering.fit_cap(house_strokes(), text, max_width, max_cap, style, stretch), stretch

    def fit_cap(self, text, max_width, max_cap, style, stretch_x=1.0):
        return lettering.fit_cap(house_strokes(), text, max_width, max_cap, style, stretch_x)

    def centred(self, text, cx, cy, max_width, max_cap, style, min_stretch=0.8, area=None, stretch_base=1.0):
        """A line as large as fits max_width and the area's height (cap at most max_cap), its ink
        centred on (cx, cy)."""
        top, bottom = (area[1], area[3]) if area else (0, self.height)
        room = 2 * min(cy - top, bottom - cy) - 2 * style.margin - (style.shadow[1] if style.shadow else 0)
        cap, stretch = self.fit(text, max_width, min(max_cap, room), style, min_stretch, stretch_base)
        return self.centred_at(text, cx, cy, cap, style, stretch, area)

    def centred_at(self, text, cx, cy, cap, style, stretch_x=1.0, area=None):
        shadow_dy = style.shadow[1] if style.shadow else 0
        y = cy - cap / 2 - shadow_dy / 2
        return self.text(text, cx, y, cap, style, "middle", stretch_x, area)

    def picture(self, entry, path, text=None, **extra):
        return Picture(entry, path, self.width, self.height, self.doc.render(),
                       text if text is not None else " / ".join(self.words), **extra)
