"""Big lettering for the screen pictures, drawn as vector strokes from the house skeletons.

A glyph point (x, y) is the centre of a stroke at ((x + 1) u, (y + 1) u), u = cap height / 10,
so with a stroke of 2 units the vector letter covers exactly what the bitmap font's 2 x 2 brush
inks.  Layers are drawn back to front: shadow, near-black outline, coloured rim, body.
"""
from dataclasses import dataclass, field

from svgdoc import colour, num

CAP_UNITS = 10          # cap height in grid units
DESCENT_UNITS = 13      # lowest ink of a descender
SPACE_UNITS = 4.0
NEAR_BLACK = (10, 8, 20)   # opaque dark; (0, 0, 0) is the transparent key


@dataclass
class Style:
    fill: list                        # body gradient stops (offset 0 = cap top, 1 = baseline)
    outline: float = 2.0              # px of near-black around the rim
    rim: float = 0.0                  # px of coloured edge around the body
    rim_colour: tuple = (40, 40, 60)
    shadow: tuple = None              # (dx, dy) px of a near-black drop shadow
    stroke: float = 2.0               # body stroke in grid units
    gap: float = 1.0                  # letter spacing in grid units
    join: str = "round"
    outline_colour: tuple = NEAR_BLACK
    shine: tuple = None               # (colour, width units): a thin light line along the strokes' top

    @property
    def margin(self):
        """Ink beyond the body stroke on every side, in px."""
        return self.outline + self.rim


@dataclass
class Layout:
    pieces: list = field(default_factory=list)   # (glyph, pen x in units)
    width: float = 0.0                           # units from the first ink to the last
    descends: bool = False


def layout(strokes, text, gap):
    result = Layout()
    pen = 0.0
    last_ink = 0.0
    for char in text:
        if char == " ":
            pen += SPACE_UNITS
            continue
        if char not in strokes:
            raise KeyError(f"no skeleton for {char!r} in {text!r}")
        glyph = strokes[char]
        result.pieces.append((glyph, pen - glyph.min_x))
        width = glyph.max_x - glyph.min_x + 2
        last_ink = pen + width
        pen += width + gap
        if any(y > 8 for s in glyph.strokes for _, y in s):
            result.descends = True
    result.width = last_ink
    return result


def _stroke_path(pieces, x0, y0, u):
    parts = []
    for glyph, pen in pieces:
        for stroke in glyph.strokes:
            pts = [(x0 + (pen + x + 1) * u, y0 + (y + 1) * u) for x, y in stroke]
            d = f"M{num(pts[0][0])} {num(pts[0][1])}"
            if len(pts) == 1:
                d += "h0.01"
            else:
                d += "".join(f"L{num(px)} {num(py)}" for px, py in pts[1:])
            parts.append(d)
    return "".join(parts)


def text_width(strokes, text, cap, style, stretch_x=1.0):
    """Width in px of the lettering's ink, outline included."""
    u = cap / CAP_UNITS
    return layout(strokes, text, style.gap).width * u * stretch_x + 2 * style.margin * stretch_x \
        + (abs(style.shadow[0]) if style.shadow else 0)


def ink_height(cap, style, descends=False):
    u = cap / CAP_UNITS
    return (DESCENT_UNITS if descends else CAP_UNITS) * u + 2 * style.margin \
        + (abs(style.shadow[1]) if style.shadow else 0)


def fit_cap(strokes, text, max_width, max_cap, style, stretch_x=1.0):
    """The largest cap height (in 0.25 px steps, at most max_cap) whose ink fits max_width."""
    cap = max_cap
    while cap > 4 and text_width(strokes, text, cap, style, stretch_x) > max_width:
        cap -= 0.25
    return cap


def draw_text(doc, strokes, text, x, y, cap, style, anchor="start", stretch_x=1.0):
    """Draws one line whose cap top is at y; x is its left, centre or right ink edge.

    Returns the ink box (left, top, right, bottom) in px, outline and shadow included.
    """
    u = cap / CAP_UNITS
    lay = layout(strokes, text, style.gap)
    ink_w = text_width(strokes, text, cap, style, stretch_x)
    left = {"start": x, "middle": x - ink_w / 2, "end": x - ink_w}[anchor]
    # Body origin: the ink starts one margin to the right of the ink box's left edge.
    bx = left + style.margin * stretch_x
    path_id = doc.new_id("t")
    d = _stroke_path(lay.pieces, 0, 0, u)
    doc.define(f'<path id="{path_id}" d="{d}"/>')
    common = (f'fill="none" stroke-linecap="round" stroke-linejoin="{style.join}" '
              'stroke-miterlimit="1.5"')
    body_w = style.stroke * u
    transform = f"translate({num(bx)} {num(y)})"
    if stretch_x != 1.0:
        transform += f" scale({num(stretch_x)} 1)"
    # The gradient is resolved in the group's own coordinates: cap top 0, baseline CAP_UNITS u.
    fill = doc.linear_gradient(style.fill, 0, 0, 0, CAP_UNITS * u)
    layers = []
    if style.shadow:
        dx, dy = style.shadow
        layers.append((colour(style.outline_colour), body_w + 2 * style.margin, dx / stretch_x, dy))
    if style.outline > 0:
        layers.append((colour(style.outline_colour), body_w + 2 * style.margin, 0, 0))
    if style.rim > 0:
        layers.append((colour(style.rim_colour), body_w + 2 * style.rim, 0, 0))
    layers.append((fill, body_w, 0, 0))
    if style.shine:
        shine_colour, shine_units = style.shine
        layers.append((colour(shine_colour), shine_units * u, -0.25 * u, -0.35 * u))
    elements = []
    for paint, width, dx, dy in layers:
        offset = f' x="{num(dx)}" y="{num(dy)}"' if (dx or dy) else ""
        elements.append(f'<use href="#{path_id}"{offset} stroke="{paint}" stroke-width="{num(width)}"/>')
    doc.add(f'<g transform="{transform}" {common}>' + "".join(elements) + "</g>")
    height = ink_height(cap, style, lay.descends)
    return (left, y - style.margin, left + ink_w, y - style.margin + height)
