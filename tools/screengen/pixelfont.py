"""The bitmap font "ImageListFont": 16 x 6 cells of 16 x 16 pixels for characters 32-127.

Text advances 11 pixels per character (cell width - 5), so each glyph keeps its ink, outline
included, inside the cell's left 10 columns: a 1-pixel outline, an 8-pixel body, a 1-pixel
outline, and one free column before the next character's outline.
"""
from strokes import BODY_HEIGHT, BODY_WIDTH, body_bitmap, outline_of

CELL = 16
COLUMNS, ROWS = 16, 6
FIRST_CHAR, LAST_CHAR = 32, 127
BODY_LEFT = 1               # column of the body inside the cell (the outline takes column 0)
BODY_TOP = 2                # row of the cap top (row 0 stays clear between text lines)
INK_COLUMNS = BODY_LEFT + BODY_WIDTH + 1   # 10: outline, body, outline

# The house lettering in two tones, as the big words have it: a light body above the cap's middle
# line and a warm gold one below, breaking sharply at the middle (darkest just under the break, then
# rising to the foot), on a near-black outline (pure black is the archive's transparent key, so the
# outline must never be (0, 0, 0)).  One row of the ramp per body row: cap top, ..., descender foot.
OUTLINE = (16, 14, 28)
BODY_RAMP = [
    (255, 255, 255), (255, 251, 234), (255, 243, 200), (255, 233, 160), (255, 222, 124),
    (210, 118, 28), (224, 138, 38), (236, 160, 52), (246, 182, 66), (252, 200, 82),
    (255, 210, 96), (255, 216, 108), (255, 220, 118),
]


def glyph_pixels(glyph):
    """The glyph drawn into one cell: a CELL x CELL grid of colours (None = transparent)."""
    cell = [[None] * CELL for _ in range(CELL)]
    if glyph is None:
        return cell
    ink = body_bitmap(glyph)
    # Pad by one pixel on every side so the outline can wrap the body.
    padded = [[False] * (BODY_WIDTH + 2) for _ in range(BODY_HEIGHT + 2)]
    for y in range(BODY_HEIGHT):
        for x in range(BODY_WIDTH):
            padded[y + 1][x + 1] = ink[y][x]
    ring = outline_of(padded)
    for py in range(BODY_HEIGHT + 2):
        for px in range(BODY_WIDTH + 2):
            cy, cx = BODY_TOP - 1 + py, BODY_LEFT - 1 + px
            if padded[py][px]:
                cell[cy][cx] = BODY_RAMP[py - 1]
            elif ring[py][px]:
                cell[cy][cx] = OUTLINE
    return cell


def font_pixels(stroke_set):
    """The whole font picture, 256 x 96, as rows of colours (None = transparent)."""
    width, height = COLUMNS * CELL, ROWS * CELL
    picture = [[None] * width for _ in range(height)]
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        char = chr(code)
        glyph = stroke_set.glyphs.get(char) if code != LAST_CHAR else None
        cell = glyph_pixels(glyph)
        index = code - FIRST_CHAR
        left, top = (index % COLUMNS) * CELL, (index // COLUMNS) * CELL
        for y in range(CELL):
            picture[top + y][left:left + CELL] = cell[y]
    return picture
