"""The bitmap font "ImageListFont" as the game sets text with it: 11-pixel advance, 16-pixel rows."""
import unittest

from canvas import house_strokes
import pixelfont
from strokes import body_bitmap

ADVANCE = pixelfont.CELL - 5


def cell(picture, code):
    index = code - pixelfont.FIRST_CHAR
    left, top = (index % pixelfont.COLUMNS) * pixelfont.CELL, (index // pixelfont.COLUMNS) * pixelfont.CELL
    return [row[left:left + pixelfont.CELL] for row in picture[top:top + pixelfont.CELL]]


class FontTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.picture = pixelfont.font_pixels(house_strokes())

    def test_sixteen_by_six_cells_of_sixteen_pixels(self):
        self.assertEqual(len(self.picture), 96)
        self.assertTrue(all(len(row) == 256 for row in self.picture))

    def test_every_printable_character_has_a_glyph_and_127_is_blank(self):
        for code in range(33, 127):
            with self.subTest(char=chr(code)):
                self.assertTrue(any(c is not None for row in cell(self.picture, code) for c in row))
        for code in (32, 127):
            self.assertTrue(all(c is None for row in cell(self.picture, code) for c in row))

    def test_ink_leaves_a_free_column_before_the_next_character(self):
        # Cells overlap by 5 pixels: ink must stay left of the advance, with one column spare,
        # or neighbouring letters' outlines would merge.
        for code in range(33, 127):
            columns = {x for row in cell(self.picture, code) for x, c in enumerate(row) if c is not None}
            with self.subTest(char=chr(code)):
                self.assertLessEqual(max(columns), ADVANCE - 2)

    def test_row_zero_stays_clear_between_lines(self):
        for code in range(33, 127):
            with self.subTest(char=chr(code)):
                self.assertTrue(all(c is None for c in cell(self.picture, code)[0]))

    def test_no_pixel_is_the_transparent_key(self):
        colours = {c for row in self.picture for c in row if c is not None}
        self.assertNotIn((0, 0, 0), colours)
        self.assertTrue(all(sum(c) >= 24 for c in colours), "near-black ink must stay clearly off (0,0,0)")

    def test_glyphs_that_look_alike_are_told_apart(self):
        for a, b in ("O0", "Il", "l1", "I1", "S5", "B8", "Z2", "oa", "un", "vy", ",;", ".:", "-_", "uv"):
            with self.subTest(pair=a + b):
                self.assertNotEqual(body_bitmap(house_strokes()[a]), body_bitmap(house_strokes()[b]))

    def test_descenders_reach_below_the_baseline_and_capitals_do_not(self):
        def lowest(char):
            ink = body_bitmap(house_strokes()[char])
            return max(y for y, row in enumerate(ink) if any(row))
        for char in "gjpqy":
            self.assertGreater(lowest(char), 9, char)
        for char in "ABCXYZ0123456789":
            self.assertEqual(lowest(char), 9, char)


if __name__ == "__main__":
    unittest.main()
