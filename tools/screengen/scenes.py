"""The ending's full-screen scenes.

Each scene is 480 x 320 but paints only the band above y 238: the captions are drawn beneath
some scenes (their actors sit in lower slots), so the bottom band must stay transparent.  The
subject keeps left of x 250, where the closing credits rise on the right.
"""
import math
import random

from canvas import Canvas
import emblem
import figures
from lettering import NEAR_BLACK
import shapes
from svgdoc import colour, num

WIDTH, HEIGHT = 480, 320
PICTURE_BOTTOM = 238          # the scenes end here; below is the caption band
EDGE = colour(NEAR_BLACK)


def _start(title):
    c = Canvas(WIDTH, HEIGHT, title)
    clip = c.doc.new_id("clip")
    c.doc.define(f'<clipPath id="{clip}"><rect width="{WIDTH}" height="{PICTURE_BOTTOM}"/></clipPath>')
    c.add(f'<g clip-path="url(#{clip})">')
    return c


def _finish(c, entry, name, text):
    c.add("</g>")
    # A thin frame line closes the picture above the caption band.
    c.add(f'<rect x="0" y="{PICTURE_BOTTOM - 3}" width="{WIDTH}" height="2" fill="#ffd458"/>')
    c.add(f'<rect x="0" y="{PICTURE_BOTTOM - 1}" width="{WIDTH}" height="1" fill="{EDGE}"/>')
    return c.picture(entry, f"screens/ending/{name}.svg", text=text)


def _sky(c, stops):
    fill = c.doc.linear_gradient(stops, 0, 0, 0, PICTURE_BOTTOM)
    c.add(f'<rect width="{WIDTH}" height="{PICTURE_BOTTOM}" fill="{fill}"/>')


def _stars(c, seed, count, top=0, bottom=180, colour_="#e8ecff"):
    rng = random.Random(seed)
    parts = []
    for _ in range(count):
        x, y = rng.randrange(WIDTH), rng.randrange(top, bottom)
        size = 2 if rng.random() < 0.25 else 1
        parts.append(f'<rect x="{x}" y="{y}" width="{size}" height="{size}" fill="{colour_}"/>')
    c.add("".join(parts))


def _ridge(c, points, fill, edge=True):
    """A filled silhouette from a polyline across the picture down to its bottom."""
    d = f"M0 {PICTURE_BOTTOM}" + "".join(f"L{num(x)} {num(y)}" for x, y in points) + f"L{WIDTH} {PICTURE_BOTTOM}Z"
    stroke = f' stroke="{EDGE}" stroke-width="2.5" stroke-linejoin="round"' if edge else ""
    c.add(f'<path d="{d}" fill="{fill}"{stroke}/>')


def _wave_points(base, amplitude, period, phase, step=8):
    return [(x, base + amplitude * math.sin((x + phase) / period)) for x in range(0, WIDTH + step, step)]


def tower_fallen():
    c = _start("The Tower of Bavenore has fallen")
    _sky(c, [(0, "#0e0a2a"), (0.55, "#3a1a5e"), (0.85, "#a24a7c"), (1, "#f08a6a")])
    _stars(c, 263, 70, 0, 150)
    c.add(f'<circle cx="400" cy="70" r="30" fill="#8a6ad0" stroke="{EDGE}" stroke-width="2"/>')
    c.add('<path d="M376 58C392 50 414 52 426 62" stroke="#b49af0" stroke-width="4" fill="none"/>')
    # the broken tower, leaning, with a glow where its crown was
    glow = c.doc.radial_gradient([(0, "#fff4c0"), (0.35, "#ffb040"), (1, "#3a1a5e")], 120, 78, 70)
    c.add(f'<circle cx="120" cy="78" r="70" fill="{glow}"/>')
    tower = c.doc.linear_gradient([(0, "#6a4aa0"), (1, "#241640")], 70, 0, 170, 0)
    c.add(f'<path d="M88 240L96 120L104 110L112 118L122 96L132 112L140 104L146 240Z" fill="{tower}" '
          f'stroke="{EDGE}" stroke-width="3" stroke-linejoin="round"/>')
    for y in (140, 170, 200):
        c.add(f'<path d="M98 {y}H142" stroke="#3a2460" stroke-width="3"/>')
    c.add(f'<path d="M112 150L118 162L110 176L116 190" stroke="{EDGE}" stroke-width="2" fill="none"/>')
    c.add(f'<rect x="112" y="126" width="10" height="14" rx="4" fill="#ffd070" stroke="{EDGE}" stroke-width="2"/>')
    rng = random.Random(2630)
    for _ in range(9):
        x, y, s = rng.uniform(60, 200), rng.uniform(30, 110), rng.uniform(5, 11)
        a = rng.uniform(0, math.pi)
        pts = [(x + s * math.cos(a + k * 2.1), y + s * math.sin(a + k * 2.1)) for k in range(3)]
        c.add(shapes.polygon(pts, "#5a3a8a", NEAR_BLACK, 2))
    for sx, sy, r in ((70, 60, 9), (180, 50, 7), (150, 26, 6)):
        c.add(shapes.sparkle(sx, sy, r, "#fff4c0"))
    _ridge(c, _wave_points(214, 6, 23, 0), "#1c1030")
    _ridge(c, [(0, 226), (60, 218), (90, 232), (150, 222), (200, 230), (260, 224), (340, 232), (480, 226)], "#0c0818")
    emblem.craft(c.doc, 196, 120, 0.42)
    return _finish(c, 263, "scene-tower-fallen", "(the broken tower, the Echo flying away)")


def princess_free():
    c = _start("Princess Aya XI is free at last")
    _sky(c, [(0, "#ffe6f4"), (0.5, "#f4b0d8"), (1, "#b46ac8")])
    rays = []
    for k in range(9):
        a0, a1 = -math.pi / 2 + (k - 4) * 0.3, -math.pi / 2 + (k - 4) * 0.3 + 0.14
        rays.append(f"M120 200L{num(120 + 400 * math.cos(a0))} {num(200 + 400 * math.sin(a0))}"
                    f"L{num(120 + 400 * math.cos(a1))} {num(200 + 400 * math.sin(a1))}Z")
    c.add(f'<path d="{"".join(rays)}" fill="#fff4fa" opacity="0.6"/>')
    rng = random.Random(266)
    for _ in range(12):
        c.add(shapes.sparkle(rng.uniform(10, 240), rng.uniform(10, 220), rng.uniform(3, 7), "#ffffff"))
    for k in range(7):
        x = 10 + k * 70
        c.add(f'<circle cx="{x}" cy="246" r="30" fill="#e890c8" stroke="{EDGE}" stroke-width="2.5"/>')
    figures.princess(c.doc, 40, 48, 1.0)
    return _finish(c, 266, "scene-princess-free", "(Aya XI, smiling, in a shower of light)")


def flight_home():
    c = _start("Home over the sea and the woods")
    _sky(c, [(0, "#3a3a9a"), (0.45, "#c86aa0"), (0.75, "#ffb070"), (1, "#ffe0a0")])
    sun = c.doc.radial_gradient([(0, "#fffbe0"), (0.5, "#ffe27a"), (1, "#ff9a4a")], 330, 168, 34)
    c.add(f'<circle cx="330" cy="168" r="34" fill="{sun}"/>')
    for y, w in ((60, 120), (84, 90), (40, 70)):
        c.add(shapes.rounded_rect(300 + (y % 30) * 2, y, w, 10, 5, "#f4a8c8"))
    # the sea on the left, woods rising on the right
    c.add(f'<rect x="0" y="178" width="{WIDTH}" height="60" fill="#2a5aa8"/>')
    for y in range(184, 236, 8):
        c.add(f'<path d="M{(y * 7) % 40} {y}h60m40 0h80m30 0h50" stroke="#6aa0e8" stroke-width="2"/>')
    woods = [(200, 238), (230, 196), (260, 184), (300, 178), (340, 186), (380, 170), (430, 176), (480, 166)]
    _ridge(c, woods, "#1e5a3a")
    rng = random.Random(270)
    for k in range(16):
        x = 224 + k * 16 + rng.uniform(-4, 4)
        base = 200 + rng.uniform(-6, 10)
        h = rng.uniform(22, 34)
        c.add(shapes.polygon([(x, base - h), (x + 10, base), (x - 10, base)], "#2a7a4a", NEAR_BLACK, 2))
    emblem.craft(c.doc, 30, 70, 1.05)
    return _finish(c, 270, "scene-flight-home", "(the Echo with its tails over the sea at sunset)")


def _house(c, x, y, w, wall, tiers=1):
    """A wall with lit windows under a tiled roof whose eaves sweep up at both ends; a pagoda
    (tiers=2) carries a second, smaller roof above the first."""
    roof = "#4a2a3a"
    c.add(f'<rect x="{x + 10}" y="{y}" width="{w - 20}" height="{PICTURE_BOTTOM - y}" fill="{wall}" '
          f'stroke="{EDGE}" stroke-width="2.5"/>')
    for wx in range(x + 22, x + w - 24, 24):
        c.add(f'<rect x="{wx}" y="{y + 12}" width="12" height="16" rx="2" fill="#ffc860" '
              f'stroke="{EDGE}" stroke-width="1.5"/>')
        c.add(f'<path d="M{wx + 6} {y + 12}V{y + 28}" stroke="#c8783a" stroke-width="1.5"/>')
    for tier in range(tiers):
        ty, inset = y - tier * 34, tier * 22
        left, right = x + inset, x + w - inset
        if tier:
            c.add(f'<rect x="{left + 14}" y="{ty}" width="{right - left - 28}" height="34" fill="{wall}" '
                  f'stroke="{EDGE}" stroke-width="2.5"/>')
            c.add(f'<rect x="{(left + right) / 2 - 8:.0f}" y="{ty + 10}" width="16" height="16" rx="2" '
                  f'fill="#ffc860" stroke="{EDGE}" stroke-width="1.5"/>')
        eave = (f"M{left - 12} {ty - 8}Q{left + 2} {ty + 2} {left + 12} {ty - 2}"
                f"H{right - 12}Q{right - 2} {ty + 2} {right + 12} {ty - 8}"
                f"L{right - 14} {ty - 24}H{left + 14}Z")
        c.add(f'<path d="{eave}" fill="{roof}" stroke="{EDGE}" stroke-width="2.5" stroke-linejoin="round"/>')
        c.add(f'<path d="M{left + 16} {ty - 20}H{right - 16}" stroke="#6a3a4a" stroke-width="2"/>')
        for tx in range(left + 20, right - 14, 10):
            c.add(f'<path d="M{tx} {ty - 18}L{tx - 2} {ty - 4}" stroke="#2e1a28" stroke-width="1.5"/>')
    top = y - (tiers - 1) * 34 - 24
    c.add(f'<path d="M{x + w / 2:.0f} {top}V{top - 12}" stroke="{EDGE}" stroke-width="4"/>')
    c.add(f'<circle cx="{x + w / 2:.0f}" cy="{top - 14}" r="4" fill="#ffd458" stroke="{EDGE}" stroke-width="2"/>')


def china_town():
    c = _start("Lanterns light up China Town")
    _sky(c, [(0, "#0a0e2e"), (0.7, "#2a1e5a"), (1, "#5a2a5a")])
    _stars(c, 273, 50, 0, 140)
    c.add(f'<circle cx="60" cy="50" r="22" fill="#fff4d0" stroke="{EDGE}" stroke-width="2"/>')
    # a pagoda behind, two houses in front; eaves turn up at their tips
    _house(c, 118, 98, 124, "#2a1e3e", tiers=2)
    _house(c, 6, 146, 120, "#3a2a4a")
    _house(c, -10, 196, 262, "#1e1630")
    # strings of lanterns
    for y0, y1, count in ((96, 140, 7), (160, 176, 8)):
        c.add(f'<path d="M0 {y0}Q125 {y1 + 20} 250 {y1}" stroke="#5a4a6a" stroke-width="1.5" fill="none"/>')
        for k in range(count):
            t = (k + 0.5) / count
            x = 250 * t
            y = (1 - t) ** 2 * y0 + 2 * (1 - t) * t * (y1 + 20) + t * t * y1
            c.add(f'<circle cx="{num(x)}" cy="{num(y + 8)}" r="14" fill="#ff8a5a" opacity="0.25"/>')
            c.add(f'<ellipse cx="{num(x)}" cy="{num(y + 8)}" rx="7" ry="9" fill="#ff4a3a" stroke="{EDGE}" stroke-width="2"/>')
            c.add(f'<ellipse cx="{num(x)}" cy="{num(y + 8)}" rx="3" ry="6" fill="#ffb060"/>')
    # sky lanterns drifting up on the right
    for x, y, s in ((300, 120, 1.0), (360, 80, 0.8), (420, 140, 0.9), (330, 40, 0.6), (450, 60, 0.7)):
        c.add(f'<path d="M{num(x - 6 * s)} {num(y)}L{num(x + 6 * s)} {num(y)}L{num(x + 4 * s)} {num(y + 12 * s)}'
              f'L{num(x - 4 * s)} {num(y + 12 * s)}Z" fill="#ff9a3a" stroke="{EDGE}" stroke-width="1.5"/>')
    _ridge(c, [(250, 238), (250, 206), (300, 200), (360, 208), (420, 198), (480, 204)], "#140e24")
    return _finish(c, 273, "scene-china-town", "(rooftops and strings of red lanterns at night)")


def peace_returns():
    c = _start("Peace returns - for now")
    _sky(c, [(0, "#6ab0f0"), (0.6, "#bfe4ff"), (1, "#fff2cc")])
    sun = c.doc.radial_gradient([(0, "#ffffff"), (0.6, "#fff2a0"), (1, "#ffd070")], 210, 190, 44)
    c.add(f'<circle cx="210" cy="190" r="44" fill="{sun}"/>')
    for x, y, w in ((170, 30, 80), (300, 70, 120), (380, 40, 70)):
        c.add(shapes.rounded_rect(x, y, w, 18, 9, "#ffffff", NEAR_BLACK, 2))
    _ridge(c, _wave_points(200, 8, 40, 30), "#6ac86a")
    _ridge(c, [(0, 238), (0, 190), (60, 178), (130, 180), (190, 196), (230, 216), (256, 238)], "#3a9a4a")
    # a lone tree on the hill, the two of them sitting under it
    c.add(f'<path d="M70 184L76 110L90 110L96 184Z" fill="#7a4a2a" stroke="{EDGE}" stroke-width="2.5"/>')
    for cx, cy, r in ((60, 112, 26), (106, 112, 26), (83, 88, 34), (83, 120, 22)):
        c.add(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="#2a8a3a" stroke="{EDGE}" stroke-width="2.5"/>')
    for cx, cy in ((72, 80), (98, 100), (60, 108)):
        c.add(f'<circle cx="{cx}" cy="{cy}" r="6" fill="#4ab05a"/>')
    # seen from behind, sitting: the pilot in her finned helmet, Aya with her long hair
    c.add(f'<path d="M106 190Q106 160 120 158Q134 160 134 190Z" fill="#f49a2a" stroke="{EDGE}" stroke-width="2.5"/>')
    c.add(f'<path d="M111 148L108 132L118 141ZM129 148L132 132L122 141Z" fill="#f49a2a" stroke="{EDGE}" stroke-width="2"/>')
    c.add(f'<circle cx="120" cy="150" r="11" fill="#82c8f6" stroke="{EDGE}" stroke-width="2.5"/>')
    c.add(f'<path d="M110 156Q120 162 130 156" stroke="#e0662a" stroke-width="3" fill="none"/>')
    c.add(f'<path d="M140 190Q140 162 154 160Q168 162 168 190Z" fill="#ffb0c8" stroke="{EDGE}" stroke-width="2.5"/>')
    c.add(f'<path d="M143 150Q142 176 148 188H160Q166 176 165 150Q154 138 143 150Z" fill="#c062b4" stroke="{EDGE}" stroke-width="2.5"/>')
    c.add(f'<circle cx="154" cy="150" r="11" fill="#c062b4" stroke="{EDGE}" stroke-width="2.5"/>')
    c.add(f'<path d="M146 141L148 134L151 139L154 132L157 139L160 134L162 141Z" fill="#ffd458" stroke="{EDGE}" stroke-width="1.5"/>')
    for x, y in ((200, 60), (220, 74), (186, 80)):
        c.add(f'<path d="M{x - 6} {y}Q{x - 3} {y - 4} {x} {y}Q{x + 3} {y - 4} {x + 6} {y}" stroke="{EDGE}" '
              'stroke-width="2" fill="none"/>')
    return _finish(c, 272, "scene-peace", "(dawn on a green hill, two friends under a tree)")


def final_scene():
    c = _start("Together")
    _sky(c, [(0, "#080a24"), (0.6, "#1e1a50"), (1, "#4a2a70")])
    _stars(c, 267, 90, 0, 200)
    c.add(f'<circle cx="196" cy="58" r="28" fill="#fffbe0" stroke="{EDGE}" stroke-width="2"/>')
    c.add('<circle cx="186" cy="50" r="5" fill="#efe6c0"/><circle cx="204" cy="66" r="4" fill="#efe6c0"/>')
    _ridge(c, [(0, 200), (80, 190), (160, 196), (240, 206), (320, 214), (480, 220)], "#1a2a3a")
    figures.pilot(c.doc, 4, 92, 0.78)
    figures.princess(c.doc, 112, 90, 0.78)
    return _finish(c, 267, "scene-together", "(the pilot and Aya XI under the moon)")


def pictures():
    return [tower_fallen(), princess_free(), flight_home(), china_town(), peace_returns(), final_scene()]
