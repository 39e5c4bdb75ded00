"""The house letter skeletons (content/images/screens/font/strokes.txt) and their bitmap form.

A glyph is a list of strokes, each a list of (x, y) grid points.  The bitmap font draws a
stroke with a 2 x 2 pixel brush, so grid point (x, y) inks pixels x..x+1, y..y+1 of the
8 x 13 glyph body.  The pictures draw the same strokes as vector paths (see lettering.py).
"""
from dataclasses import dataclass, field
from pathlib import Path

BODY_WIDTH = 8      # pixels of ink across, before the outline
BODY_HEIGHT = 13    # cap height 10 + descender 3
GRID_MAX_X = 6      # a stroke point at x 6 inks the last body column 7
GRID_MAX_Y = 11


@dataclass
class Glyph:
    char: str
    strokes: list                       # list of lists of (x, y)
    pixel_rows: list = None             # hand-drawn bitmap replacing the brush rendering
    line: int = 0                       # line in the source file, for messages

    @property
    def min_x(self):
        return min((x for s in self.strokes for x, _ in s), default=0)

    @property
    def max_x(self):
        return max((x for s in self.strokes for x, _ in s), default=0)


@dataclass
class StrokeSet:
    glyphs: dict = field(default_factory=dict)

    def __getitem__(self, char):
        return self.glyphs[char]

    def __contains__(self, char):
        return char in self.glyphs


def _char_of(token):
    if token.startswith("U+") and len(token) > 2:
        return chr(int(token[2:], 16))
    if len(token) != 1:
        raise ValueError(f"'{token}' is not one character")
    return token


def parse(text, source="strokes"):
    """Parses the skeleton file; raises ValueError naming the line of any mistake."""
    result = StrokeSet()
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        raw = lines[i]
        number = i + 1
        i += 1
        if not raw.strip() or raw.startswith(";;"):
            continue
        if raw.startswith("@pixels "):
            char = _char_of(raw[len("@pixels "):].strip())
            rows = lines[i:i + BODY_HEIGHT]
            i += BODY_HEIGHT
            if len(rows) != BODY_HEIGHT or any(len(r) != BODY_WIDTH or set(r) - {"#", "."} for r in rows):
                raise ValueError(f"{source}:{number}: @pixels needs {BODY_HEIGHT} rows of "
                                 f"{BODY_WIDTH} '#'/'.' characters")
            if char not in result:
                raise ValueError(f"{source}:{number}: @pixels for '{char}' before its skeleton")
            result.glyphs[char].pixel_rows = rows
            continue
        token, _, rest = raw.partition(" ")
        char = _char_of(token)
        if char in result:
            raise ValueError(f"{source}:{number}: '{char}' is defined twice")
        strokes = []
        for part in rest.split("|"):
            points = []
            for pair in part.split():
                try:
                    x, y = (int(v) for v in pair.split(","))
                except ValueError:
                    raise ValueError(f"{source}:{number}: '{pair}' is not a point x,y") from None
                if not (0 <= x <= GRID_MAX_X and 0 <= y <= GRID_MAX_Y):
                    raise ValueError(f"{source}:{number}: point {x},{y} lies outside the grid")
                points.append((x, y))
            if not points:
                raise ValueError(f"{source}:{number}: empty stroke")
            strokes.append(points)
        result.glyphs[char] = Glyph(char, strokes, line=number)
    return result


def load(path):
    path = Path(path)
    return parse(path.read_text(encoding="utf-8"), path.name)


def _line_points(a, b):
    """The grid points of a straight stroke from a to b (Bresenham)."""
    (x0, y0), (x1, y1) = a, b
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
    err = dx + dy
    points = []
    while True:
        points.append((x0, y0))
        if (x0, y0) == (x1, y1):
            return points
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def body_bitmap(glyph):
    """The glyph's ink as a BODY_HEIGHT x BODY_WIDTH grid of booleans."""
    if glyph.pixel_rows is not None:
        return [[c == "#" for c in row] for row in glyph.pixel_rows]
    ink = [[False] * BODY_WIDTH for _ in range(BODY_HEIGHT)]
    for stroke in glyph.strokes:
        points = [stroke[0]]
        for a, b in zip(stroke, stroke[1:]):
            points += _line_points(a, b)[1:]
        for x, y in points:
            for py in (y, y + 1):
                for px in (x, x + 1):
                    ink[py][px] = True
    return ink


def outline_of(ink):
    """Pixels next to ink (all eight neighbours) that are not ink themselves."""
    height, width = len(ink), len(ink[0])
    ring = [[False] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if ink[y][x]:
                continue
            ring[y][x] = any(
                ink[ny][nx]
                for ny in range(max(0, y - 1), min(height, y + 2))
                for nx in range(max(0, x - 1), min(width, x + 2)))
    return ring
