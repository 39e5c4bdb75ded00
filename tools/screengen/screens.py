"""Pictures with words around play: title, options, ranking, name entry, continue, game over,
the stage openers and the stage-clear banners."""
from canvas import Canvas
from lettering import NEAR_BLACK, Style
import shapes
from styles import CRIMSON, GOLD, ICE, SMALL
from svgdoc import num

COPYRIGHT_YEAR = 2026
NAME_ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-/*"
NAME_CELL_W, NAME_CELL_H, NAME_COLUMNS = 44, 40, 13
NAME_LETTER_STRETCH = 1.3   # wide letters, so a name set 44 pixels apart reads as one word


def _word(entry, path, text, width, height, style, max_cap, pad=4):
    c = Canvas(width, height, text)
    c.centred(text, width / 2, height / 2, width - 2 * pad, max_cap, style)
    return c.picture(entry, path)


def title_pictures():
    wordmark = Canvas(280, 40, "TOLVANE ECHO")
    wordmark.centred("TOLVANE ECHO", 140, 20, 276, 34, GOLD, min_stretch=0.85)
    pics = [wordmark.picture(187, "screens/title/wordmark.svg")]
    pics.append(_word(188, "screens/title/version.svg", "Ver.0.1", 160, 24, ICE, 15))
    c = Canvas(200, 36, "copyright")
    c.centred(f"(C) {COPYRIGHT_YEAR}", 100, 9, 196, 10, SMALL)
    c.centred("TOLVANE ECHO TEAM", 100, 26, 196, 10, SMALL)
    pics.append(c.picture(228, "screens/title/copyright.svg"))
    return pics


MENU_CAPTIONS = [(186, "GAME START", "start"), (185, "HIGH SCORES", "scores"),
                 (183, "OPTIONS", "options"), (184, "QUIT", "quit")]


def menu_pictures():
    """The title menu's captions: one choice at a time between two arrows that say 'turn me'."""
    width, height = 220, 40
    pics = []
    for entry, text, name in MENU_CAPTIONS:
        c = Canvas(width, height, text)
        c.add(shapes.triangle_arrow(10, height / 2, 12, -1, "#ffd458"))
        c.add(shapes.triangle_arrow(width - 10, height / 2, 12, 1, "#ffd458"))
        c.centred(text, width / 2, height / 2, width - 48, 24, ICE, min_stretch=0.75)
        pics.append(c.picture(entry, f"screens/menus/menu-{name}.svg"))
    return pics


OPTION_LABELS = [(191, "BACKGROUND", "background"), (193, "MUSIC", "music"),
                 (195, "SOUND", "sound"), (192, "EXIT", "exit")]
OPTION_VALUES = [(190, "FULL", "full"), (189, "SIMPLE", "simple"), (194, "OFF", "off"), (196, "ON", "on")]


def option_pictures():
    """Labels (150 x 40) in gold and values (88 x 40) in ice, all at one letter height (long
    words are condensed) so that the rows read evenly whichever item is swollen."""
    pics = []
    for entry, text, name in OPTION_LABELS:
        c = Canvas(150, 40, text)
        c.centred(text, 75, 20, 146, 19, GOLD, min_stretch=0.8)
        pics.append(c.picture(entry, f"screens/menus/option-{name}.svg"))
    for entry, text, name in OPTION_VALUES:
        c = Canvas(88, 40, text)
        c.centred(text, 44, 20, 84, 19, ICE, min_stretch=0.8)
        pics.append(c.picture(entry, f"screens/menus/value-{name}.svg"))
    return pics


def continue_pictures():
    pics = [_word(198, "screens/menus/continue-question.svg", "CONTINUE?", 320, 64, GOLD, 44)]
    for entry, text, name in ((199, "CONTINUE", "yes"), (200, "GIVE UP", "no")):
        c = Canvas(112, 40, text)
        c.centred(text, 56, 20, 108, 19, ICE, min_stretch=0.8)
        pics.append(c.picture(entry, f"screens/menus/continue-{name}.svg"))
    return pics


def _delete_symbol(c, left, top):
    """A back-space key: a plate pointing left with a cross in it."""
    x0, y0 = left + 6, top + 8
    pts = [(x0, y0 + 12), (x0 + 10, y0), (x0 + 32, y0), (x0 + 32, y0 + 24), (x0 + 10, y0 + 24)]
    c.add(shapes.polygon(pts, "#f4a62a", NEAR_BLACK, 5))
    c.add(shapes.polygon(pts, "#ffd458"))
    cx, cy = x0 + 20, y0 + 12
    cross = (f"M{num(cx - 5)} {num(cy - 5)}L{num(cx + 5)} {num(cy + 5)}"
             f"M{num(cx + 5)} {num(cy - 5)}L{num(cx - 5)} {num(cy + 5)}")
    c.add(f'<path d="{cross}" stroke="#3a1606" stroke-width="3.5" stroke-linecap="round" fill="none"/>')


def _end_symbol(c, left, top):
    """A red seal with END on it."""
    c.add(shapes.rounded_rect(left + 3, top + 7, 38, 26, 7, "#b01a18", NEAR_BLACK, 2.5))
    c.add(shapes.rounded_rect(left + 5.5, top + 9.5, 33, 21, 5, "none", (255, 160, 120), 1))
    c.centred("END", left + 22, top + 20, 32, 12,
              Style(fill=[(0, "#ffffff"), (1, "#ffe0c0")], outline=1.5, rim=0, gap=1))


def name_entry_pictures():
    pics = [_word(201, "screens/names/enter-your-name.svg", "ENTER YOUR NAME", 400, 56, ICE, 32)]
    # The 65 name letters share one baseline so that a name reads as a line; descenders fit
    # below it inside the 40-pixel cell.
    c = Canvas(NAME_CELL_W * NAME_COLUMNS, NAME_CELL_H * 5, "name letters")
    cap = 22
    for k, char in enumerate(NAME_ALPHABET):
        left, top = (k % NAME_COLUMNS) * NAME_CELL_W, (k // NAME_COLUMNS) * NAME_CELL_H
        cell = (left, top, left + NAME_CELL_W, top + NAME_CELL_H)
        if char == "/":
            _delete_symbol(c, left, top)
        elif char == "*":
            _end_symbol(c, left, top)
        else:
            c.text(char, left + NAME_CELL_W / 2, top + ICE.margin, cap, ICE, "middle",
                   stretch_x=NAME_LETTER_STRETCH, area=cell)
    pics.append(c.picture(202, "screens/names/name-letters.svg", text=NAME_ALPHABET,
                          pattern_width=NAME_CELL_W, pattern_height=NAME_CELL_H))
    cursor = Canvas(NAME_CELL_W, NAME_CELL_H, "name cursor")
    cursor.add(shapes.rounded_rect(6, 31, 32, 6, 3, "#ffd458", NEAR_BLACK, 2))
    cursor.add(shapes.polygon([(22, 23), (28, 29), (16, 29)], "#fff4c0", NEAR_BLACK, 1.5))
    pics.append(cursor.picture(204, "screens/names/name-cursor.svg", text="_"))
    pics.append(_word(203, "screens/names/high-scores.svg", "HIGH SCORES", 320, 48, GOLD, 34))
    return pics


def game_over_pictures():
    return [_word(156, "screens/banners/game-over.svg", "GAME OVER", 256, 48, CRIMSON, 34)]


def stage_start_pictures():
    c = Canvas(320, 64, "READY!")
    # Speed streaks trail to the left: the word flies off to the right after its pause.
    for y, length in ((18, 44), (30, 60), (42, 38)):
        c.add(shapes.rounded_rect(4, y, length, 4, 2, "#f4a62a", NEAR_BLACK, 1.5))
    c.centred("READY!", 180, 32, 270, 46, GOLD)
    pics = [c.picture(46, "screens/banners/ready.svg", text="READY!")]

    hint = Canvas(240, 30, "controls")
    hint.add(shapes.rounded_rect(1, 3, 238, 24, 8, "#141628", (120, 150, 220), 1.5))
    x = 8
    for key, action in (("Z/SPACE", "SHOT"), ("X/ENTER", "WEAPON")):
        box = hint.text(key, x, 10, 9, Style(fill=[(0, "#fff4c0"), (1, "#ffc850")],
                                                      outline=1, rim=0, gap=1.2))
        box = hint.text(action, box[2] + 5, 10, 9, SMALL)
        x = box[2] + 14
    pics.append(hint.picture(45, "screens/banners/controls.svg", text="Z/SPACE SHOT  X/ENTER WEAPON"))
    return pics


PLATES = [  # entry, words, plate light, plate dark, file
    (48, ("STAGE",), "#2a9ab8", "#0c3452", "stage-plate-1"),
    (29, ("STAGE",), "#c0384a", "#4a0e1c", "stage-plate-3"),
    (31, ("FINAL", "STAGE"), "#8a4ad8", "#24104e", "stage-plate-5"),
]


def stage_clear_pictures():
    """Banner 1 (a plate with STAGE), 2 (CLEAR!), 3 (BONUS!), 4 (WELL DONE!).

    At rest the banners overlap: CLEAR! (centre 330,145) lies over the plate's right half
    (plate centre 240,160), WELL DONE! (centre 330,160) is drawn over both, and the tally lines
    start at y 208 beneath them.  So the plate keeps its words on its left 160 pixels, and
    WELL DONE! keeps its words in its bottom band, below CLEAR!."""
    pics = []
    width, height = 320, 72
    for entry, words, light, dark, name in PLATES:
        c = Canvas(width, height, " ".join(words))
        fill = c.doc.linear_gradient([(0, light), (0.55, dark), (1, light)], 0, 4, 0, 68)
        plate = [(18, 4), (316, 4), (302, 68), (4, 68)]
        c.add(shapes.polygon(plate, fill, NEAR_BLACK, 4))
        c.add(shapes.polygon([(22, 8), (310, 8), (308, 14), (20, 14)], "#ffffff", extra=' opacity="0.35"'))
        for k in range(6):
            x = 196 + k * 18
            c.add(shapes.polygon([(x, 10), (x + 8, 10), (x - 4, 62), (x - 12, 62)], light,
                                 extra=' opacity="0.5"'))
        area = (8, 0, 168, height)
        if len(words) == 1:
            c.centred(words[0], 88, 36, 156, 36, GOLD, area=area)
        else:
            for row, word in enumerate(words):
                c.centred(word, 88, 20 + row * 32, 150, 24, GOLD, area=area)
        pics.append(c.picture(entry, f"screens/banners/{name}.svg"))

    clear = Canvas(160, 48, "CLEAR!")
    clear.centred("CLEAR!", 80, 24, 154, 34, ICE)
    pics.append(clear.picture(49, "screens/banners/clear.svg"))

    bonus = Canvas(200, 40, "BONUS!")
    bonus.add(shapes.sparkle(16, 12, 9))
    bonus.add(shapes.sparkle(184, 28, 9))
    bonus.centred("BONUS!", 100, 20, 150, 28, GOLD)
    pics.append(bonus.picture(50, "screens/banners/bonus.svg", text="BONUS!"))

    done = Canvas(200, 96, "WELL DONE!")
    done.add(shapes.sparkle(190, 12, 7))
    done.add(shapes.sparkle(188, 30, 4))
    done.centred("WELL DONE!", 100, 80, 194, 24, GOLD, area=(0, 62, 200, 96))
    pics.append(done.picture(51, "screens/banners/well-done.svg", text="WELL DONE!"))
    return pics


def all_pictures():
    return (title_pictures() + menu_pictures() + option_pictures() + continue_pictures()
            + name_entry_pictures() + game_over_pictures() + stage_start_pictures()
            + stage_clear_pictures())
