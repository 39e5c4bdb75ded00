"""The ending's words: captions, the bill (labels, digits, units), verdicts, closing credits."""
from canvas import Canvas, house_strokes
from lettering import Style, text_width
import emblem
from styles import CRIMSON, GOLD, GOLD_SLIM, ICE, ICE_SLIM, STORY

CAPTION_W, CAPTION_H = 460, 32
CAPTION_CAP, CAPTION_TOP = 16, 4.6   # room below the baseline for descenders
SUM_CAP = 16            # labels, digits and units share a cap height and a baseline
SUM_TOP = 5             # cap top inside the 32-pixel band (descenders still fit)
DIGIT_W = 20
CREDIT_W, CREDIT_H = 320, 64
CREDIT_STRETCH = 1 / 0.7   # the roll draws credits at 70 % width

CAPTIONS = [
    (274, "The Tower of Bavenore has fallen.", STORY),
    (275, "Princess Aya XI is free at last.", STORY),
    (276, "Home over the sea and the woods.", STORY),
    (277, "Lanterns light up China Town.", STORY),
    (278, "Peace returns \u2014 for now.", STORY),
    (279, "Now, the bill for this mission...", STORY),
    (282, "Budget 150000 Cr, minus charges:", STORY),
    (286, "Your rating:", STORY),
    (287, "Excellent! A hero within budget!", GOLD),
    (288, "Not bad. The accountants nod.", ICE),
    (289, "Way over budget! Expect a letter...", CRIMSON),
]

# (entry, words, style, left padding): labels end with room before the first digit; units
# start with a small gap after the last one.
SUM_PARTS = [
    (280, "SHOT CHARGE", GOLD_SLIM, 0),
    (281, "LOSS CHARGE", GOLD_SLIM, 0),
    (284, "BALANCE", GOLD_SLIM, 0),
    (283, "Cr", GOLD_SLIM, 6),
    (285, "Cr surplus", ICE_SLIM, 6),
    (304, "Cr deficit", Style(fill=CRIMSON.fill, outline=1.5, rim=1,
                                           rim_colour=CRIMSON.rim_colour, shadow=(1, 2)), 6),
]
LABEL_GAP = 10
LABEL_MAX_W, UNIT_MAX_W = 200, 120   # keeps the longest bill line (7 digits) on screen

# Who made the game, by role, and the libraries a player may know it by.
CREDITS = [
    (291, "STAFF", None),
    (292, "GAME DESIGN", "the Tolvane Echo team"),
    (293, "PROGRAMMING", "the engine and tools team"),
    (294, "GRAPHICS", "the art team"),
    (295, "CHARACTERS", "drawn by the art team"),
    (296, "STAGE DESIGN", "the stage design team"),
    (297, "MUSIC", "the sound team"),
    (298, "SOUND EFFECTS", "synthesised by the sound team"),
    (299, "TEST PLAY", "the whole team"),
    (300, "SPECIAL THANKS", "SDL, FluidSynth,\nDear ImGui, VL Gothic"),
    (301, "AND YOU", None),
    (303, "THE END", None),
]


def caption_pictures():
    pics = []
    for entry, text, style in CAPTIONS:
        c = Canvas(CAPTION_W, CAPTION_H, text)
        cap, stretch = c.fit(text, CAPTION_W - 4, CAPTION_CAP, style, 0.85)
        c.text(text, 2, CAPTION_TOP, cap, style, stretch_x=stretch)
        pics.append(c.picture(entry, f"screens/ending/caption-{entry}.svg"))
    return pics


def sum_pictures():
    """Each label is exactly as wide as its words plus a gap, because the first digit is placed
    at the label's right edge; the digits are one 20-pixel cell each."""
    pics = []
    for entry, text, style, pad in SUM_PARTS:
        is_label = entry in (280, 281, 284)
        room = (LABEL_MAX_W - LABEL_GAP if is_label else UNIT_MAX_W) - pad
        stretch = min(1.0, int(room / text_width(house_strokes(), text, SUM_CAP, style) * 100) / 100)
        width = int(text_width(house_strokes(), text, SUM_CAP, style, stretch) + pad + 0.999)
        if is_label:
            width += LABEL_GAP
        c = Canvas(width, CAPTION_H, text)
        c.text(text, pad, SUM_TOP, SUM_CAP, style, stretch_x=stretch)
        pics.append(c.picture(entry, f"screens/ending/sum-{entry}.svg"))
    digits = Canvas(DIGIT_W * 10, CAPTION_H, "digits")
    for d in range(10):
        cell = (d * DIGIT_W, 0, (d + 1) * DIGIT_W, CAPTION_H)
        digits.text(str(d), d * DIGIT_W + DIGIT_W / 2 - 0.5, SUM_TOP, SUM_CAP, ICE_SLIM, "middle", area=cell)
    pics.append(digits.picture(290, "screens/ending/digits.svg", text="0123456789",
                               pattern_width=DIGIT_W, pattern_height=CAPTION_H))
    return pics


def credit_pictures():
    """Drawn 1/0.7 times too wide, since the roll shows them squeezed to 70 %."""
    pics = []
    for entry, role, names in CREDITS:
        c = Canvas(CREDIT_W, CREDIT_H, role)
        if names is None:
            c.centred(role, CREDIT_W / 2, CREDIT_H / 2, CREDIT_W - 8, 34, GOLD, stretch_base=CREDIT_STRETCH)
        elif "\n" in names:   # a long list of names takes two smaller lines
            c.centred(role, CREDIT_W / 2, 15, CREDIT_W - 8, 18, GOLD, stretch_base=CREDIT_STRETCH)
            for line, y in zip(names.split("\n"), (36, 52)):
                c.centred(line, CREDIT_W / 2, y, CREDIT_W - 8, 10, STORY, stretch_base=CREDIT_STRETCH,
                          area=(0, y - 9, CREDIT_W, y + 12))
        else:
            c.centred(role, CREDIT_W / 2, 18, CREDIT_W - 8, 20, GOLD, stretch_base=CREDIT_STRETCH)
            c.centred(names, CREDIT_W / 2, 46, CREDIT_W - 8, 12, STORY, stretch_base=CREDIT_STRETCH)
        pics.append(c.picture(entry, f"screens/ending/credit-{entry}.svg",
                              text=role if names is None else f"{role} / {names.replace(chr(10), ' ')}"))
    logo = Canvas(CREDIT_W, CREDIT_H, "TOLVANE ECHO")
    logo.add(f'<g transform="scale({CREDIT_STRETCH:.4f} 1)">')
    emblem.emblem(logo.doc, 0, 6, 0.45)
    logo.add("</g>")
    logo.centred("TOLVANE ECHO", 205, 32, 220, 30, GOLD, stretch_base=CREDIT_STRETCH,
                 area=(92, 0, CREDIT_W, CREDIT_H))
    pics.append(logo.picture(302, "screens/ending/credit-302.svg", text="TOLVANE ECHO"))
    return sorted(pics, key=lambda p: p.entry)


def final_caption_pictures():
    c = Canvas(400, 32, "THANK YOU FOR PLAYING")
    c.centred("THANK YOU FOR PLAYING", 200, 16, 396, 22, GOLD)
    return [c.picture(305, "screens/ending/thank-you.svg")]


def pictures():
    return caption_pictures() + sum_pictures() + credit_pictures() + final_caption_pictures()
