"""Small faces for the message pictures: the pilot of the Echo and the radio mast of headquarters."""
from lettering import NEAR_BLACK
from svgdoc import colour

EDGE = colour(NEAR_BLACK)


def pilot(doc, x, y, mood="calm", framed=True):
    """The pilot in a 44 x 44 frame at (x, y): a flight helmet with two fox-ear fins, goggles
    pushed up, a round face.  mood: calm, grin or worried (eyes and mouth only).  Unframed, the
    head stands alone with nothing filled behind it."""
    frame = doc.linear_gradient([(0, "#3a4a9a"), (1, "#141c48")], 0, y, 0, y + 44) if framed else None
    helmet = doc.linear_gradient([(0, "#e8f6ff"), (0.5, "#7ec4f4"), (1, "#2a6ac0")], 0, y + 2, 0, y + 24)
    g = [f'<g transform="translate({x} {y})" stroke-linejoin="round" stroke-linecap="round">',
         f'<rect x="1.5" y="1.5" width="41" height="41" rx="8" fill="{frame}" stroke="{EDGE}" stroke-width="3"/>'
         if framed else "",
         # ear fins behind the helmet
         f'<path d="M9 18L6 4L17 11Z" fill="#f49a2a" stroke="{EDGE}" stroke-width="2"/>',
         f'<path d="M35 18L38 4L27 11Z" fill="#f49a2a" stroke="{EDGE}" stroke-width="2"/>',
         # face
         f'<path d="M10 24C10 15 34 15 34 24C34 34 28 39 22 39C16 39 10 34 10 24Z" fill="#ffd8b8" '
         f'stroke="{EDGE}" stroke-width="2"/>',
         # copper hair at the temples and a fringe under the helmet
         f'<path d="M10 22C7 30 9 36 13 39C13 33 14 28 16 24ZM34 22C37 30 35 36 31 39C31 33 30 28 28 24Z" '
         f'fill="#e0662a" stroke="{EDGE}" stroke-width="1.5"/>',
         # helmet dome over the forehead
         f'<path d="M8 24C7 12 14 8 22 8C30 8 37 12 36 24C31 19 27 18 22 18C17 18 13 19 8 24Z" '
         f'fill="{helmet}" stroke="{EDGE}" stroke-width="2"/>',
         f'<path d="M13 21C16 20 17 24 20 21C22 24 25 24 26 21C28 23 30 22 31 21C26 19 18 19 13 21Z" '
         f'fill="#e0662a" stroke="{EDGE}" stroke-width="1.2"/>',
         # goggles on the helmet
         f'<rect x="13" y="10.5" width="8" height="5" rx="2.5" fill="#ffe27a" stroke="{EDGE}" stroke-width="1.5"/>',
         f'<rect x="23" y="10.5" width="8" height="5" rx="2.5" fill="#ffe27a" stroke="{EDGE}" stroke-width="1.5"/>']
    if mood == "worried":
        g += [f'<path d="M15 25L19 26M29 25L25 26" stroke="{EDGE}" stroke-width="1.5" fill="none"/>',
              f'<ellipse cx="17.5" cy="29" rx="1.8" ry="2.4" fill="{EDGE}"/>',
              f'<ellipse cx="26.5" cy="29" rx="1.8" ry="2.4" fill="{EDGE}"/>',
              f'<path d="M19 35C21 33.5 23 33.5 25 35" stroke="{EDGE}" stroke-width="1.5" fill="none"/>']
    elif mood == "grin":
        g += [f'<path d="M15 29C16 26.5 19 26.5 20 29M24 29C25 26.5 28 26.5 29 29" stroke="{EDGE}" '
              f'stroke-width="1.8" fill="none"/>',
              f'<path d="M17.5 32.5C19.5 36.5 24.5 36.5 26.5 32.5Z" fill="#c8303a" stroke="{EDGE}" stroke-width="1.5"/>']
    else:
        g += [f'<ellipse cx="17.5" cy="28.5" rx="1.9" ry="2.6" fill="{EDGE}"/>',
              f'<ellipse cx="26.5" cy="28.5" rx="1.9" ry="2.6" fill="{EDGE}"/>',
              '<circle cx="18.1" cy="27.6" r="0.7" fill="#ffffff"/>',
              '<circle cx="27.1" cy="27.6" r="0.7" fill="#ffffff"/>',
              f'<path d="M19.5 34C21 35.2 23 35.2 24.5 34" stroke="{EDGE}" stroke-width="1.5" fill="none"/>']
    g += ['<circle cx="14" cy="32" r="1.6" fill="#ff9a9a"/>', '<circle cx="30" cy="32" r="1.6" fill="#ff9a9a"/>',
          "</g>"]
    doc.add("".join(g))


def radio_mast(doc, x, y):
    """Headquarters: a radio mast sending waves, in a 36 x 40 box at (x, y)."""
    g = [f'<g transform="translate({x} {y})" stroke-linejoin="round" stroke-linecap="round" fill="none">']
    for r in (8, 14):
        for side in (-1, 1):
            arc = f"M{18 + side * r * 0.6:.1f} {12 - r * 0.8:.1f}A{r} {r} 0 0 {1 if side > 0 else 0} " \
                  f"{18 + side * r * 0.6:.1f} {12 + r * 0.8:.1f}"
            g.append(f'<path d="{arc}" stroke="{EDGE}" stroke-width="5"/>')
            g.append(f'<path d="{arc}" stroke="#9cf59a" stroke-width="2.2"/>')
    mast = "M18 12L10 38M18 12L26 38M13 28L23 28M15 21L21 21"
    g.append(f'<path d="{mast}" stroke="{EDGE}" stroke-width="5"/>')
    g.append(f'<path d="{mast}" stroke="#c8d0e0" stroke-width="2.4"/>')
    g.append(f'<circle cx="18" cy="12" r="4" fill="#ff5a3a" stroke="{EDGE}" stroke-width="2"/>')
    g.append("</g>")
    doc.add("".join(g))
