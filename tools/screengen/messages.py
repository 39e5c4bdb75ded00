"""The 91 stage-message pictures that stage files show with code 150 (argument x = 1..91).

Four kinds: "warn" (a hazard warning), "story" (the narrator), "pilot" (the Echo's pilot in a
speech balloon; the mood picks her face) and "radio" (headquarters on the radio).
"""
from canvas import Canvas, house_strokes
from lettering import NEAR_BLACK, Style, text_width
import portraits
import shapes
from styles import CRIMSON, PILOT_SPEECH, RADIO, STORY
from svgdoc import colour, num

WIDTH, HEIGHT = 440, 48

# Archive entry of picture n is PICTURE_LIST[n - 1].
PICTURE_LIST = [
    15, 16, 17, 22, 23, 24, 25, 40, 55, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73,
    74, 83, 84, 85, 86, 87, 88, 89, 90, 91, 105, 106, 107, 108, 109, 121, 122, 123, 124, 125, 126, 127,
    160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 229, 230, 231,
    232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 253, 254, 255, 256, 257,
    258, 259, 306, 307,
]

# (first picture number, stage heading) for the message list.
GROUPS = [(1, "Stage 1 - Fukai"), (9, "Stage 2 - Sea Stage"), (27, "Stage 3 - Woody Stage"),
          (41, "Stage 4 - China Town"), (65, "Stage 5 - Unknown Space and the last fight")]

# (kind, text) for picture numbers 1..91; a pilot line may add ":grin" or ":worried".
MESSAGES = [
    # Stage 1: Fukai
    ("story", "Deep in the forest of Fukai..."),
    ("pilot:grin", "Echo launching! Tails ready!"),
    ("radio", "HQ: Enemy scouts ahead."),
    ("pilot", "Keep the orbs close. Got it."),
    ("warn", "WARNING! GUNSHIP INCOMING!"),
    ("radio", "HQ: Downed foes drop power-ups."),
    ("pilot:worried", "Did that tree just move?"),
    ("warn", "WARNING! A BIG ONE IS COMING!"),
    # Stage 2: Sea Stage
    ("story", "Over the sea, waves of steel."),
    ("pilot", "Smells of salt and engine oil."),
    ("radio", "HQ: Fast fliers over the water."),
    ("warn", "WARNING! SERPENT SURFACING!"),
    ("pilot:worried", "Don't look down, Echo..."),
    ("radio", "HQ: Watch the looping squadron."),
    ("warn", "INCOMING FROM BEHIND!"),
    ("pilot:grin", "Ha! Missed me!"),
    ("story", "A storm gathers on the horizon."),
    ("warn", "WARNING! DRIFTER AHEAD!"),
    ("pilot", "Big bubble, bigger trouble."),
    ("radio", "HQ: Balloons burst into shots!"),
    ("warn", "CAUTION: HEAVY FIRE ZONE"),
    ("pilot:worried", "My tails are getting wet..."),
    ("radio", "HQ: Yuki guards the strait."),
    ("story", "The sea falls silent..."),
    ("warn", "WARNING! HUGE SIGNAL BELOW!"),
    ("pilot", "Here she comes. Stay sharp!"),
    # Stage 3: Woody Stage
    ("story", "Old trees hide new foes."),
    ("pilot:worried", "It's dark under these branches."),
    ("radio", "HQ: Hoppers jump when hit!"),
    ("warn", "WARNING! FROGS IN THE CANOPY!"),
    ("pilot:worried", "A frog... with a cannon?"),
    ("radio", "HQ: Gunners ahead. Stay low."),
    ("warn", "CAUTION: WAVERS IN FORMATION"),
    ("pilot", "The woods are watching me."),
    ("story", "Sunlight breaks through the leaves."),
    ("radio", "HQ: Ken carries a lance. Dodge!"),
    ("warn", "WARNING! LANCER INCOMING!"),
    ("pilot:grin", "A lance? How old-fashioned!"),
    ("radio", "HQ: The lance can be shot down!"),
    ("story", "The woods grow quiet again."),
    # Stage 4: China Town
    ("story", "China Town by lantern light."),
    ("pilot", "Pretty lanterns. Shame about the guns."),
    ("radio", "HQ: Crawlers on roofs and streets!"),
    ("warn", "WARNING! ZIGZAG SQUADRON!"),
    ("pilot:grin", "Left, right... make up your mind!"),
    ("radio", "HQ: Divers drop from above."),
    ("warn", "CAUTION: DIVERS FROM BELOW!"),
    ("pilot", "This city never sleeps, huh?"),
    ("warn", "WARNING! SNAKE IN THE ALLEYS!"),
    ("radio", "HQ: Hit the snake's head!"),
    ("story", "Firecrackers... or gunfire?"),
    ("pilot:grin", "Smells of noodles and smoke."),
    ("warn", "CAUTION: SINKERS ON THE MOVE"),
    ("radio", "HQ: Keep your orbs filled."),
    ("pilot", "Still got my tails. Onward!"),
    ("story", "The lanterns flicker red."),
    ("warn", "WARNING! BEAM CANNON AHEAD!"),
    ("radio", "HQ: Mako's beam charges slowly."),
    ("pilot:grin", "Charging? Then I shoot first!"),
    ("warn", "WARNING! SPIRAL BARRAGE!"),
    ("radio", "HQ: Stay out of the spiral!"),
    ("pilot:worried", "Round and round it goes..."),
    ("story", "Beyond the city, the sky opens."),
    ("warn", "WARNING! ENORMOUS FOE AHEAD!"),
    # Stage 5: Unknown Space and the last fight
    ("story", "Unknown Space. No way back."),
    ("pilot", "So quiet out here..."),
    ("radio", "HQ: Signal weak... good luck..."),
    ("warn", "WARNING! FAN GUNS AHEAD!"),
    ("radio", "HQ: Fan guns can't be destroyed!"),
    ("pilot:grin", "Can't shoot them? Then dodge!"),
    ("warn", "CAUTION: SIGNAL NOISE"),
    ("story", "Static fills the radio..."),
    ("pilot:worried", "HQ? HQ, do you read me?"),
    ("story", "The Tower of Bavenore looms."),
    ("warn", "WARNING! FORTRESS DETECTED!"),
    ("pilot:worried", "That's no tower. It's a castle!"),
    ("radio", "HQ: Aim for the fortress core!"),
    ("warn", "CAUTION: PODS LAUNCHING!"),
    ("pilot:grin", "Friends! The escort is here!"),
    ("story", "Allies fly at your side."),
    ("pilot", "The princess must be inside."),
    ("warn", "WARNING! THE TOWER MOVES!"),
    ("story", "The tower crumbles..."),
    ("pilot:worried", "Wait... something is still alive."),
    ("warn", "WARNING! FINAL BOSS AHEAD!"),
    ("radio", "HQ: The core! Shoot the core!"),
    ("warn", "CAUTION: GIANT BEAM CHARGING"),
    ("pilot", "Every orb counts now!"),
    ("story", "Aya's voice: \"Don't give up!\""),
    ("pilot:grin", "This one's for Tolvane!"),
    ("story", "Light returns to Unknown Space."),
]

KIND_NAMES = {"warn": "warning", "story": "story", "pilot": "pilot", "radio": "headquarters"}

# A message pops up with an echo of itself that grows to 3.8 times its size over the play field
# while it fades.  So a message is drawn open: no filled panel or balloon, frames one thin line,
# words with a slim outline and neither rim nor drop shadow (a shadow's enlarged copy trails the
# letters as a smear).  The echo is then a light ghost of the words, not a band across the field.
def _open_style(style):
    return Style(fill=style.fill, outline=1.5, rim=0, shadow=None, stroke=style.stroke, gap=1.2)


WARN_WORDS = _open_style(CRIMSON)
STORY_WORDS = _open_style(STORY)
RADIO_WORDS = _open_style(RADIO)
PILOT_WORDS = _open_style(PILOT_SPEECH)
HAZARD = "#ffc82a"
FRAME_EDGE = 3.5        # a thin light line on a near-black edge reads on every stage's ground
FRAME_LINE = 1.5


def _thin_line(c, d, light):
    c.add(f'<path d="{d}" fill="none" stroke="{colour(NEAR_BLACK)}" stroke-width="{FRAME_EDGE}" '
          'stroke-linejoin="round" stroke-linecap="round"/>')
    c.add(f'<path d="{d}" fill="none" stroke="{light}" stroke-width="{FRAME_LINE}" '
          'stroke-linejoin="round" stroke-linecap="round"/>')


def _chevrons(c, x, direction):
    """Three hazard chevrons pointing towards the words, each a bent bar with a near-black edge."""
    for k in range(3):
        cx = x + 6 + k * 10 + (0 if direction > 0 else 4)
        tip, back = cx + 6 * direction, cx - 2 * direction
        pts = [(back, 13), (back + 4 * direction, 13), (tip + 4 * direction, 24),
               (back + 4 * direction, 35), (back, 35), (tip, 24)]
        c.add(shapes.polygon(pts, HAZARD, NEAR_BLACK, 2) + shapes.polygon(pts, HAZARD))


def _warning(c, text):
    _chevrons(c, 2, 1)
    _chevrons(c, WIDTH - 42, -1)
    c.centred(text, WIDTH / 2, HEIGHT / 2, WIDTH - 100, 22, WARN_WORDS, min_stretch=0.75,
              area=(48, 0, WIDTH - 48, HEIGHT))


def _story(c, text):
    box = c.centred(text, WIDTH / 2, HEIGHT / 2, WIDTH - 56, 20, STORY_WORDS, min_stretch=0.8,
                    area=(24, 0, WIDTH - 24, HEIGHT))
    mid = HEIGHT / 2
    for x in (box[0] - 12, box[2] + 12):
        c.add(shapes.polygon([(x - 5, mid), (x, mid - 5), (x + 5, mid), (x, mid + 5)], "#ece6ff", NEAR_BLACK, 2))
        c.add(shapes.polygon([(x - 5, mid), (x, mid - 5), (x + 5, mid), (x, mid + 5)], "#b4a6f2"))


def _pilot(c, text, mood):
    portraits.pilot(c.doc, 2, 2, mood, framed=False)
    # The balloon hugs its words, so short remarks make short balloons; it is one thin line.
    cap, stretch = c.fit(text, WIDTH - 84, 16, PILOT_WORDS, 0.8)
    width = text_width(house_strokes(), text, cap, PILOT_WORDS, stretch) + 24
    left, right = 56, 56 + width
    top, bottom = 5, 43
    body = (f"M{num(left + 8)} {top}H{num(right - 8)}Q{num(right)} {top} {num(right)} {top + 8}"
            f"V{bottom - 8}Q{num(right)} {bottom} {num(right - 8)} {bottom}H{num(left + 8)}"
            f"Q{num(left)} {bottom} {num(left)} {bottom - 8}V30L{num(left - 9)} 24L{num(left)} 20"
            f"V{top + 8}Q{num(left)} {top} {num(left + 8)} {top}Z")
    _thin_line(c, body, "#f6f4ff")
    c.centred_at(text, (left + right) / 2, (top + bottom) / 2, cap, PILOT_WORDS, stretch,
                 area=(left, top, right, bottom))


def _radio(c, text):
    cap, stretch = c.fit(text, WIDTH - 76, 18, RADIO_WORDS, 0.8)
    width = text_width(house_strokes(), text, cap, RADIO_WORDS, stretch) + 64
    left = (WIDTH - width) / 2
    # Corner brackets instead of a closed panel: the radio's screen, drawn as little as reads.
    right, top, bottom, arm = left + width, 5, 43, 10
    for x, dx in ((left + 1, 1), (right - 1, -1)):
        _thin_line(c, f"M{num(x + dx * arm)} {top}H{num(x)}V{bottom}H{num(x + dx * arm)}", "#3cbe64")
    portraits.radio_mast(c.doc, left + 4, 4)
    c.centred_at(text, left + 44 + (width - 52) / 2, 24, cap, RADIO_WORDS, stretch, area=(left + 40, 4, right, 44))


def picture(number):
    kind, text = MESSAGES[number - 1]
    kind, _, mood = kind.partition(":")
    c = Canvas(WIDTH, HEIGHT, f"message {number}: {text}")
    if kind == "warn":
        _warning(c, text)
    elif kind == "story":
        _story(c, text)
    elif kind == "pilot":
        _pilot(c, text, mood or "calm")
    else:
        _radio(c, text)
    return c.picture(PICTURE_LIST[number - 1], f"screens/messages/picture-{number:02d}.svg", text=text)


def pictures():
    return [picture(n) for n in range(1, len(MESSAGES) + 1)]


def markdown():
    lines = [
        "# Stage messages",
        "",
        "The pictures a stage file shows with code 150: argument x is the picture number below,",
        "the delay is the record's extra value and the hold time its argument y. Each picture is",
        f"{WIDTH} x {HEIGHT} and pops up centred at (240, 260), only while the player has a tail left.",
        "",
        "Generated by `tools/screengen/screengen.py` from `tools/screengen/messages.py`; edit the",
        "texts there and run it again.",
        "",
        "Kinds: *warning* (red, hazard chevrons), *story* (the narrator), *pilot* (the Echo's pilot",
        "in a speech balloon), *headquarters* (the radio).",
    ]
    starts = [g[0] for g in GROUPS] + [len(MESSAGES) + 1]
    for (first, heading), end in zip(GROUPS, starts[1:]):
        lines += ["", f"## {heading}", "", "| Picture (x) | Archive entry | Kind | Text |", "|---|---|---|---|"]
        for n in range(first, end):
            kind, text = MESSAGES[n - 1]
            lines.append(f"| {n} | {PICTURE_LIST[n - 1]} | {KIND_NAMES[kind.partition(':')[0]]} | "
                         f"{text.replace('|', '/')} |")
    return "\n".join(lines) + "\n"
