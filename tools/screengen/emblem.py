"""The game's emblem (a tailed craft riding its own echo) and the splash picture."""
from canvas import Canvas
from lettering import NEAR_BLACK
import shapes
from styles import GOLD, SMALL
from svgdoc import colour

EDGE = colour(NEAR_BLACK)


def craft(doc, x, y, scale=1.0, tails=3):
    """The Echo as the player flies it (an ivory fox-spirit craft with fox ears, an orange side
    stripe, a cyan heart gem and fox tails), drawn smooth in a 160 x 70 box whose top-left is
    (x, y), nose at the right."""
    ink = "#141022"
    hull_fill = doc.linear_gradient([(0, "#ffffff"), (0.5, "#f4f0e6"), (1, "#b8b2a6")], 0, 18, 0, 50)
    parts = [f'<g transform="translate({x} {y}) scale({scale})" stroke="{ink}" stroke-width="2.5" '
             'stroke-linejoin="round" stroke-linecap="round">']
    # fox tails fanning out behind, orange with ivory tips
    for k in range(tails):
        spread = (k - (tails - 1) / 2) * 16
        tip_x, tip_y = 4, 36 + spread * 1.3
        tail = (f"M46 {32 + spread * 0.25:.1f}C38 {16 + spread:.1f} 16 {18 + spread * 1.2:.1f} {tip_x} {tip_y - 6:.1f}"
                f"C12 {tip_y + 6:.1f} 30 {50 + spread * 1.1:.1f} 46 {41 + spread * 0.25:.1f}Z")
        parts.append(f'<path d="{tail}" fill="#f08a24"/>')
        tip = (f"M{tip_x} {tip_y - 6:.1f}C10 {tip_y - 9:.1f} 18 {tip_y - 8:.1f} 20 {tip_y - 3:.1f}"
               f"C16 {tip_y + 1:.1f} 12 {tip_y + 1:.1f} {tip_x} {tip_y - 6:.1f}Z")
        parts.append(f'<path d="{tip}" fill="#f4f0e6" stroke-width="1.5"/>')
    parts.append('<path d="M62 44L78 44L72 60L60 58Z" fill="#b04a14"/>')
    parts.append('<rect x="108" y="24" width="44" height="7" rx="1" fill="#8c94a8"/>')
    parts.append('<rect x="150" y="22" width="5" height="11" rx="1" fill="#dce0ea"/>')
    parts.append('<path d="M52 22L58 6L68 20Z" fill="#f08a24"/><path d="M68 20L78 8L84 20Z" fill="#f08a24"/>')
    hull = "M24 36C28 26 40 20 56 19C84 17 116 20 142 28C120 34 100 38 80 42C62 46 40 47 28 44C24 42 23 39 24 36Z"
    parts.append(f'<path d="{hull}" fill="{hull_fill}"/>')
    parts.append('<path d="M44 35C70 33 100 30 130 28C104 33 76 38 50 40Z" fill="#f08a24" stroke-width="1.5"/>')
    parts.append('<path d="M96 22L104 15L120 17L124 23Z" fill="#4ad8f4"/>')
    parts.append('<path d="M104 18L114 18" stroke="#e6fcff" stroke-width="1.5"/>')
    parts.append('<rect x="34" y="29" width="9" height="9" rx="1" fill="#4ad8f4"/>')
    parts.append('<rect x="36.5" y="31.5" width="3" height="3" fill="#e6fcff" stroke="none"/>')
    parts.append("</g>")
    doc.add("".join(parts))


def emblem(doc, x, y, scale=1.0):
    """The emblem in a 200 x 120 box whose top-left is (x, y): the Echo riding its own echo."""
    parts = [f'<g transform="translate({x} {y}) scale({scale})" stroke-linejoin="round" stroke-linecap="round">']
    for r, col in ((18, "#ffd458"), (30, "#8ee4ff"), (42, "#c8a0ff")):
        arc = f"M{146 + r * 0.64:.2f} {60 - r * 0.77:.2f}A{r} {r} 0 0 1 {146 + r * 0.64:.2f} {60 + r * 0.77:.2f}"
        parts.append(f'<path d="{arc}" fill="none" stroke="{EDGE}" stroke-width="8"/>')
        parts.append(f'<path d="{arc}" fill="none" stroke="{col}" stroke-width="4"/>')
    doc.add("".join(parts))
    craft(doc, -6, 26)
    doc.add(shapes.sparkle(178, 18, 8) + shapes.sparkle(24, 100, 6) + "</g>")


def emblem_pictures():
    c = Canvas(200, 120, "emblem")
    emblem(c.doc, 0, 0)
    return [c.picture(182, "screens/title/emblem.svg", text="(emblem)")]


def splash_pictures():
    """The loading picture (a program resource, 24-bit, so black here is just black)."""
    c = Canvas(304, 90, "splash")
    sky = c.doc.linear_gradient([(0, "#0c1030"), (1, "#2a1450")], 0, 0, 0, 90)
    c.add(f'<rect width="304" height="90" fill="{sky}"/>')
    for sx, sy in ((140, 12), (290, 20), (120, 84), (10, 8), (100, 60), (296, 84), (180, 10)):
        c.add(f'<rect x="{sx}" y="{sy}" width="2" height="2" fill="#c8d8ff"/>')
    emblem(c.doc, 8, 10, 0.6)
    c.centred("TOLVANE ECHO", 216, 36, 166, 26, GOLD)
    c.centred("Now loading...", 216, 70, 150, 10, SMALL)
    return [c.picture(None, "screens/splash/splash.svg", text="TOLVANE ECHO / Now loading...")]
