"""The skeleton file's reader and the 2 x 2 brush that turns skeletons into bitmap glyphs."""
import unittest

import strokes


class ParseTest(unittest.TestCase):
    def test_reads_strokes_dots_and_escaped_characters(self):
        s = strokes.parse("A 0,8 0,0 6,8 | 1,4 5,4\n. 3,8\nU+2014 0,4 6,4\n")
        self.assertEqual(s["A"].strokes, [[(0, 8), (0, 0), (6, 8)], [(1, 4), (5, 4)]])
        self.assertEqual(s["."].strokes, [[(3, 8)]])
        self.assertIn("\u2014", s)

    def test_semicolon_glyph_is_not_a_comment(self):
        s = strokes.parse(";; a comment\n; 3,3 | 3,8\n")
        self.assertEqual(list(s.glyphs), [";"])

    def test_mistakes_name_their_line(self):
        cases = {
            "A 0,8 0,0\nB 7,0\n": ":2: point 7,0 lies outside",
            "A 0,8\nA 0,0\n": ":2: 'A' is defined twice",
            "A 0,x\n": ":1: '0,x' is not a point",
            "A 0,1 |\n": ":1: empty stroke",
            "AB 0,1\n": "'AB' is not one character",
            "@pixels A\n........\n": "@pixels needs 13 rows",
            "@pixels A\n" + "........\n" * 13: "before its skeleton",
        }
        for text, message in cases.items():
            with self.subTest(text=text), self.assertRaises(ValueError) as caught:
                strokes.parse(text, "f")
            self.assertIn(message, str(caught.exception))


class BitmapTest(unittest.TestCase):
    def test_brush_inks_two_by_two_along_the_stroke(self):
        glyph = strokes.parse("L 0,0 0,2 2,2\n")["L"]
        ink = strokes.body_bitmap(glyph)
        rows = ["".join("#" if v else "." for v in row) for row in ink[:4]]
        self.assertEqual(rows, ["##......", "##......", "####....", "####...."])

    def test_diagonal_strokes_stay_connected(self):
        ink = strokes.body_bitmap(strokes.parse("/ 6,0 0,8\n")["/"])
        inked_rows = [y for y, row in enumerate(ink) if any(row)]
        self.assertEqual(inked_rows, list(range(10)))
        for y in range(9):
            here = {x for x, v in enumerate(ink[y]) if v}
            below = {x for x, v in enumerate(ink[y + 1]) if v}
            self.assertTrue(any(abs(a - b) <= 1 for a in here for b in below), f"gap below row {y}")

    def test_hand_drawn_rows_replace_the_brush(self):
        text = "I 3,0 3,8\n@pixels I\n" + "#.......\n" * 13
        ink = strokes.body_bitmap(strokes.parse(text)["I"])
        self.assertTrue(all(row[0] and not any(row[1:]) for row in ink))

    def test_outline_rings_ink_but_never_covers_it(self):
        ink = [[False] * 5 for _ in range(5)]
        ink[2][2] = True
        ring = strokes.outline_of(ink)
        self.assertEqual(sum(map(sum, ring)), 8)
        self.assertFalse(ring[2][2])
        self.assertFalse(ring[0][0])


if __name__ == "__main__":
    unittest.main()
