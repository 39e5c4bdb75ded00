"""The people of the ending, drawn as busts: Princess Aya XI and the Echo's pilot."""
from lettering import NEAR_BLACK
from svgdoc import colour

EDGE = colour(NEAR_BLACK)


def _group(x, y, scale, flip=False):
    mirror = " scale(-1 1)" if flip else ""
    return f'<g transform="translate({x} {y}) scale({scale}){mirror}" stroke-linejoin="round" stroke-linecap="round">'


def princess(doc, x, y, scale=1.0):
    """Aya XI from the waist up in a 160 x 190 box at (x, y): long lilac hair, a gold tiara,
    a rose dress with a white collar, smiling."""
    hair = doc.linear_gradient([(0, "#f6b4e4"), (0.6, "#c062b4"), (1, "#7a2a86")], 0, 10, 0, 190)
    dress = doc.linear_gradient([(0, "#ffb0c8"), (1, "#d0406e")], 0, 130, 0, 190)
    skin = "#ffe2cc"
    p = [_group(x, y, scale),
         # hair falling behind the shoulders
         f'<path d="M38 60C26 96 22 150 14 188H146C138 150 134 96 122 60C112 24 48 24 38 60Z" fill="{hair}" '
         f'stroke="{EDGE}" stroke-width="3"/>',
         # shoulders and dress
         f'<path d="M30 190C32 160 50 144 80 142C110 144 128 160 130 190Z" fill="{dress}" stroke="{EDGE}" stroke-width="3"/>',
         f'<path d="M58 146C66 160 94 160 102 146L96 142H64Z" fill="#fffaf0" stroke="{EDGE}" stroke-width="2.5"/>',
         f'<circle cx="80" cy="160" r="5" fill="#ffd458" stroke="{EDGE}" stroke-width="2"/>',
         # neck and face
         f'<path d="M70 118V146H90V118Z" fill="{skin}" stroke="{EDGE}" stroke-width="2.5"/>',
         f'<path d="M46 78C46 50 114 50 114 78C114 110 98 130 80 130C62 130 46 110 46 78Z" fill="{skin}" '
         f'stroke="{EDGE}" stroke-width="3"/>',
         # fringe
         f'<path d="M42 84C38 46 62 34 80 34C98 34 122 46 118 84C112 70 106 62 98 58C96 66 90 70 84 70'
         f'C86 64 84 60 80 56C74 64 64 70 54 70C56 64 58 60 60 58C52 64 46 74 42 84Z" fill="{hair}" '
         f'stroke="{EDGE}" stroke-width="3"/>',
         # tiara
         f'<path d="M56 44L62 28L70 40L80 22L90 40L98 28L104 44C90 38 70 38 56 44Z" fill="#ffd458" '
         f'stroke="{EDGE}" stroke-width="2.5"/>',
         f'<circle cx="80" cy="34" r="4" fill="#ff4a7a" stroke="{EDGE}" stroke-width="1.5"/>',
         # eyes (gentle, open), brows, blush, smile
         f'<ellipse cx="66" cy="90" rx="5" ry="7" fill="#4a2070" stroke="{EDGE}" stroke-width="1.5"/>',
         f'<ellipse cx="94" cy="90" rx="5" ry="7" fill="#4a2070" stroke="{EDGE}" stroke-width="1.5"/>',
         '<circle cx="67.5" cy="87.5" r="1.8" fill="#ffffff"/><circle cx="95.5" cy="87.5" r="1.8" fill="#ffffff"/>',
         f'<path d="M59 80C63 77 69 77 72 79M88 79C91 77 97 77 101 80" stroke="{EDGE}" stroke-width="1.8" fill="none"/>',
         '<ellipse cx="58" cy="104" rx="5" ry="3" fill="#ffa0b0"/><ellipse cx="102" cy="104" rx="5" ry="3" fill="#ffa0b0"/>',
         f'<path d="M72 110C76 116 84 116 88 110" stroke="{EDGE}" stroke-width="2" fill="none"/>',
         # two locks in front of the shoulders
         f'<path d="M46 84C40 110 44 136 36 160C50 150 56 120 54 96Z" fill="{hair}" stroke="{EDGE}" stroke-width="2.5"/>',
         f'<path d="M114 84C120 110 116 136 124 160C110 150 104 120 106 96Z" fill="{hair}" stroke="{EDGE}" stroke-width="2.5"/>',
         "</g>"]
    doc.add("".join(p))


def pilot(doc, x, y, scale=1.0, flip=False):
    """The pilot from the waist up in a 150 x 180 box at (x, y): a cyan flight helmet with two
    fox-ear fins and goggles, copper hair, an orange flight suit; a confident grin."""
    helmet = doc.linear_gradient([(0, "#f0faff"), (0.5, "#82c8f6"), (1, "#2a6ac0")], 0, 20, 0, 80)
    suit = doc.linear_gradient([(0, "#ffc060"), (1, "#d05a14")], 0, 130, 0, 180)
    skin = "#ffdcc0"
    hair = "#e0662a"
    px = 0 if not flip else 150
    p = [_group(x + px, y, scale, flip),
         # suit and shoulders
         f'<path d="M20 180C22 150 42 134 75 132C108 134 128 150 130 180Z" fill="{suit}" stroke="{EDGE}" stroke-width="3"/>',
         f'<path d="M60 136L75 156L90 136" fill="none" stroke="#7a2a08" stroke-width="3"/>',
         f'<rect x="96" y="150" width="18" height="10" rx="3" fill="#4a6ac8" stroke="{EDGE}" stroke-width="2"/>',
         f'<path d="M66 112V138H84V112Z" fill="{skin}" stroke="{EDGE}" stroke-width="2.5"/>',
         # hair at the back and sides
         f'<path d="M40 74C34 96 38 116 46 124C50 110 52 96 52 84ZM110 74C116 96 112 116 104 124C100 110 98 96 98 84Z" '
         f'fill="{hair}" stroke="{EDGE}" stroke-width="2.5"/>',
         # face
         f'<path d="M44 76C44 50 106 50 106 76C106 104 92 122 75 122C58 122 44 104 44 76Z" fill="{skin}" '
         f'stroke="{EDGE}" stroke-width="3"/>',
         # ear fins of the helmet
         f'<path d="M46 50L36 12L66 34Z" fill="#f49a2a" stroke="{EDGE}" stroke-width="3"/>',
         f'<path d="M104 50L114 12L84 34Z" fill="#f49a2a" stroke="{EDGE}" stroke-width="3"/>',
         f'<path d="M46 44L41 22L58 35Z" fill="#ffe0a0"/><path d="M104 44L109 22L92 35Z" fill="#ffe0a0"/>',
         # helmet dome and fringe
         f'<path d="M40 78C36 44 54 30 75 30C96 30 114 44 110 78C102 66 92 62 75 62C58 62 48 66 40 78Z" '
         f'fill="{helmet}" stroke="{EDGE}" stroke-width="3"/>',
         f'<path d="M52 66C58 62 64 72 70 64C74 72 82 72 84 64C88 70 96 68 98 64C92 60 60 60 52 66Z" '
         f'fill="{hair}" stroke="{EDGE}" stroke-width="2"/>',
         # goggles on the helmet
         f'<rect x="52" y="38" width="20" height="12" rx="6" fill="#ffe27a" stroke="{EDGE}" stroke-width="2.5"/>',
         f'<rect x="78" y="38" width="20" height="12" rx="6" fill="#ffe27a" stroke="{EDGE}" stroke-width="2.5"/>',
         '<path d="M56 42L62 42M82 42L88 42" stroke="#ffffff" stroke-width="2"/>',
         # eyes, brows, grin
         f'<ellipse cx="62" cy="86" rx="4.5" ry="6.5" fill="#1e3a6a" stroke="{EDGE}" stroke-width="1.5"/>',
         f'<ellipse cx="88" cy="86" rx="4.5" ry="6.5" fill="#1e3a6a" stroke="{EDGE}" stroke-width="1.5"/>',
         '<circle cx="63.5" cy="83.5" r="1.6" fill="#ffffff"/><circle cx="89.5" cy="83.5" r="1.6" fill="#ffffff"/>',
         f'<path d="M55 76L67 74M83 74L95 76" stroke="{EDGE}" stroke-width="2.2" fill="none"/>',
         f'<path d="M64 102C70 110 80 110 86 102Z" fill="#c8303a" stroke="{EDGE}" stroke-width="2"/>',
         '<ellipse cx="54" cy="98" rx="4" ry="2.5" fill="#ff9a8a"/><ellipse cx="96" cy="98" rx="4" ry="2.5" fill="#ff9a8a"/>',
         "</g>"]
    doc.add("".join(p))
