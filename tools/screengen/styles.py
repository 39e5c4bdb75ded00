"""The lettering styles of the screens: one chrome-like ramp per role.

Every body ramp breaks sharply at the middle line (a light upper half over a darker lower
half), the look that marks all of the game's big words.  Outlines are near-black, never (0,0,0).
"""
from lettering import Style

# Titles, stage-clear words, headings: warm gold.
GOLD = Style(
    fill=[(0, "#fffdf0"), (0.42, "#ffe27a"), (0.5, "#f4a62a"), (0.53, "#c8680e"), (1, "#ffd458")],
    outline=2, rim=1.5, rim_colour=(98, 40, 8), shadow=(2, 3))

# Menus, choices, name-entry letters: icy cyan.
ICE = Style(
    fill=[(0, "#ffffff"), (0.45, "#c0f6ff"), (0.5, "#5cbcf2"), (0.53, "#2270d2"), (1, "#96e4ff")],
    outline=2, rim=1.5, rim_colour=(16, 36, 98), shadow=(2, 3))

# Game over and warnings: hot crimson.
CRIMSON = Style(
    fill=[(0, "#fff2ea"), (0.45, "#ffa076"), (0.5, "#ec4622"), (0.53, "#b01a18"), (1, "#ff7844")],
    outline=2, rim=1.5, rim_colour=(84, 8, 10), shadow=(2, 3))

# The last stage and the final words: violet.
VIOLET = Style(
    fill=[(0, "#fff4ff"), (0.45, "#f4b4ff"), (0.5, "#b056ec"), (0.53, "#7a26c0"), (1, "#e49cff")],
    outline=2, rim=1.5, rim_colour=(46, 10, 84), shadow=(2, 3))

# Story lines and ending captions: pale moonlight, quieter than the chrome.
STORY = Style(
    fill=[(0, "#ffffff"), (0.55, "#ece6ff"), (1, "#b4a6f2")],
    outline=2, rim=1, rim_colour=(44, 32, 96), shadow=(1, 2))

# Headquarters on the radio: phosphor green.
RADIO = Style(
    fill=[(0, "#f4fff2"), (0.5, "#9cf59a"), (1, "#3ec462")],
    outline=2, rim=1, rim_colour=(8, 62, 26), shadow=(1, 2))

# The pilot's words in her speech balloon: warm ivory, the colour of the Echo's hull.
PILOT_SPEECH = Style(
    fill=[(0, "#ffffff"), (0.45, "#fff2d8"), (0.5, "#f8c890"), (0.53, "#e8a468"), (1, "#ffe0b4")],
    outline=2, rim=1, rim_colour=(90, 44, 16), shadow=(1, 2))

# Small print (version, copyright, key hints).
SMALL = Style(
    fill=[(0, "#ffffff"), (1, "#c8d8f4")], outline=1.5, rim=0, shadow=(1, 1), gap=1.2)

# The ending's sums (labels, digits, units) share one slimmer edge so that a digit fits its
# 20-pixel cell with its outline.
GOLD_SLIM = Style(fill=GOLD.fill, outline=1.5, rim=1, rim_colour=GOLD.rim_colour, shadow=(1, 2))
ICE_SLIM = Style(fill=ICE.fill, outline=1.5, rim=1, rim_colour=ICE.rim_colour, shadow=(1, 2))
