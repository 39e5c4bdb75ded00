"""Simple shapes shared by the screens: plates, arrows, sparkles, key caps."""
import math

from lettering import NEAR_BLACK
from svgdoc import colour, num


def points(pts):
    return " ".join(f"{num(x)},{num(y)}" for x, y in pts)


def polygon(pts, fill, stroke=NEAR_BLACK, width=0, extra=""):
    outline = f' stroke="{colour(stroke)}" stroke-width="{num(width)}" stroke-linejoin="round"' if width else ""
    return f'<polygon points="{points(pts)}" fill="{colour(fill) if isinstance(fill, tuple) else fill}"{outline}{extra}/>'


def triangle_arrow(cx, cy, size, direction, fill):
    """A solid arrow head pointing left (-1) or right (+1), outlined in near-black."""
    half = size / 2
    tip = cx + direction * half
    back = cx - direction * half
    pts = [(tip, cy), (back, cy - size * 0.6), (back, cy + size * 0.6)]
    return polygon(pts, fill, NEAR_BLACK, 3) + polygon(pts, fill)


def sparkle(cx, cy, r, fill="#fffbe0"):
    """A four-pointed twinkle with a near-black edge."""
    inner = r * 0.28
    pts = []
    for k in range(8):
        a = math.pi / 4 * k - math.pi / 2
        radius = r if k % 2 == 0 else inner
        pts.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    return polygon(pts, fill, NEAR_BLACK, 2) + polygon(pts, fill)


def star(cx, cy, r, fill, edge=NEAR_BLACK, edge_width=2):
    pts = []
    for k in range(10):
        a = math.pi / 5 * k - math.pi / 2
        radius = r if k % 2 == 0 else r * 0.45
        pts.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    return polygon(pts, fill, edge, edge_width) + polygon(pts, fill)


def rounded_rect(x, y, w, h, r, fill, stroke=None, width=0):
    edge = f' stroke="{colour(stroke)}" stroke-width="{num(width)}"' if stroke else ""
    return (f'<rect x="{num(x)}" y="{num(y)}" width="{num(w)}" height="{num(h)}" rx="{num(r)}" '
            f'fill="{fill if isinstance(fill, str) else colour(fill)}"{edge}/>')
