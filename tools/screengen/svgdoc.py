"""A small SVG document builder that writes the same bytes for the same drawing."""


def num(value):
    """A coordinate with at most two decimals and no trailing zeros."""
    text = f"{value:.2f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def hex_colour(rgb):
    return "#{:02x}{:02x}{:02x}".format(*rgb)


def colour(value):
    """Accepts '#rrggbb' or an (r, g, b) tuple."""
    return value if isinstance(value, str) else hex_colour(value)


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


class Doc:
    def __init__(self, width, height, title):
        self.width, self.height, self.title = width, height, title
        self._defs = []
        self._body = []
        self._ids = 0

    def new_id(self, prefix):
        self._ids += 1
        return f"{prefix}{self._ids}"

    def add(self, element):
        self._body.append(element)

    def define(self, element):
        self._defs.append(element)

    def linear_gradient(self, stops, x1, y1, x2, y2):
        """A gradient in picture coordinates; stops are (offset 0..1, colour)."""
        ident = self.new_id("g")
        parts = [f'<linearGradient id="{ident}" gradientUnits="userSpaceOnUse" '
                 f'x1="{num(x1)}" y1="{num(y1)}" x2="{num(x2)}" y2="{num(y2)}">']
        parts += [f'<stop offset="{num(o)}" stop-color="{colour(c)}"/>' for o, c in stops]
        parts.append("</linearGradient>")
        self.define("".join(parts))
        return f"url(#{ident})"

    def radial_gradient(self, stops, cx, cy, r):
        ident = self.new_id("r")
        parts = [f'<radialGradient id="{ident}" gradientUnits="userSpaceOnUse" '
                 f'cx="{num(cx)}" cy="{num(cy)}" r="{num(r)}">']
        parts += [f'<stop offset="{num(o)}" stop-color="{colour(c)}"/>' for o, c in stops]
        parts.append("</radialGradient>")
        self.define("".join(parts))
        return f"url(#{ident})"

    def render(self):
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}" '
               f'viewBox="0 0 {self.width} {self.height}">',
               f"<title>{escape(self.title)}</title>"]
        if self._defs:
            out.append("<defs>")
            out += self._defs
            out.append("</defs>")
        out += self._body
        out.append("</svg>")
        return "\n".join(out) + "\n"


def pixel_paths(picture, dx=0, dy=0):
    """Crisp <path>s for a grid of colours (None = transparent), one path per colour."""
    runs = {}
    for y, row in enumerate(picture):
        x = 0
        while x < len(row):
            c = row[x]
            if c is None:
                x += 1
                continue
            start = x
            while x < len(row) and row[x] == c:
                x += 1
            runs.setdefault(c, []).append(f"M{start + dx} {y + dy}h{x - start}v1h{start - x}z")
    return [f'<path fill="{colour(c)}" shape-rendering="crispEdges" d="{"".join(parts)}"/>'
            for c, parts in sorted(runs.items())]
