"""Setting words from the skeletons: widths, fitting, and the guard that keeps ink on the picture."""
import unittest

from canvas import Canvas, OutOfBounds, house_strokes
import lettering
from styles import GOLD, SMALL


class LayoutTest(unittest.TestCase):
    def test_width_counts_glyphs_gaps_and_spaces(self):
        s = house_strokes()
        # "H" spans grid x 0..6 -> 8 units; "I" spans 1..5 -> 6 units; gap 1; space 4.
        self.assertEqual(lettering.layout(s, "H", 1).width, 8)
        self.assertEqual(lettering.layout(s, "HI", 1).width, 8 + 1 + 6)
        self.assertEqual(lettering.layout(s, "H I", 1).width, 8 + 1 + 4 + 6)

    def test_descenders_are_noticed(self):
        s = house_strokes()
        self.assertFalse(lettering.layout(s, "Tolvane", 1).descends)
        self.assertTrue(lettering.layout(s, "Aya", 1).descends)

    def test_unknown_character_is_refused_by_name(self):
        with self.assertRaisesRegex(KeyError, "no skeleton for 'ä'"):
            lettering.layout(house_strokes(), "Aä", 1)

    def test_drawn_box_matches_the_measured_width(self):
        c = Canvas(300, 60, "t")
        box = c.text("STAGE", 10, 12, 30, GOLD)
        self.assertAlmostEqual(box[2] - box[0], lettering.text_width(house_strokes(), "STAGE", 30, GOLD))
        self.assertAlmostEqual(box[1], 12 - GOLD.margin)


class FitTest(unittest.TestCase):
    def test_short_words_keep_their_size(self):
        self.assertEqual(Canvas(200, 40, "t").fit("ON", 180, 20, GOLD), (20, 1.0))

    def test_long_words_are_condensed_before_they_shrink(self):
        c = Canvas(200, 40, "t")
        natural = lettering.text_width(house_strokes(), "BACKGROUND", 20, GOLD)
        cap, stretch = c.fit("BACKGROUND", natural * 0.9, 20, GOLD)
        self.assertEqual(cap, 20)
        self.assertLess(stretch, 1.0)
        self.assertLessEqual(lettering.text_width(house_strokes(), "BACKGROUND", cap, GOLD, stretch), natural * 0.9)

    def test_very_long_words_shrink_once_condensing_is_not_enough(self):
        c = Canvas(200, 40, "t")
        cap, stretch = c.fit("A VERY LONG LINE OF WORDS", 120, 20, SMALL, 0.8)
        self.assertLess(cap, 20)
        self.assertEqual(stretch, 0.8)
        self.assertLessEqual(lettering.text_width(house_strokes(), "A VERY LONG LINE OF WORDS", cap, SMALL, 0.8), 120)

    def test_pre_widened_lines_still_fit(self):
        c = Canvas(320, 64, "t")
        cap, stretch = c.fit("SPECIAL THANKS", 312, 20, GOLD, 0.8, stretch_base=1 / 0.7)
        self.assertLessEqual(lettering.text_width(house_strokes(), "SPECIAL THANKS", cap, GOLD, stretch), 312)


class GuardTest(unittest.TestCase):
    def test_words_that_leave_the_picture_stop_the_build(self):
        c = Canvas(100, 30, "small")
        with self.assertRaisesRegex(OutOfBounds, "'TOO WIDE' .* of 'small'"):
            c.text("TOO WIDE", 0, 5, 20, GOLD)

    def test_words_must_stay_in_their_area(self):
        c = Canvas(200, 40, "cells")
        with self.assertRaises(OutOfBounds):
            c.text("W", 40, 4, 20, GOLD, area=(0, 0, 44, 40))

    def test_centred_words_fit_the_height_too(self):
        c = Canvas(300, 24, "flat")
        box = c.centred("Ver.0.1", 150, 12, 296, 40, GOLD)
        self.assertGreaterEqual(box[1], 0)
        self.assertLessEqual(box[3], 24)


if __name__ == "__main__":
    unittest.main()
