"""The pictures as librsvg renders them: exact sizes, the transparent key, and the places that
must stay clear because other pictures or captions are drawn there."""
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

import catalogue
import pixelfont
import pngio
from canvas import house_strokes

OPAQUE = 128   # the archive keeps a pixel when at least half covered


@unittest.skipUnless(shutil.which("rsvg-convert"), "rsvg-convert (librsvg2-bin) is not installed")
class RenderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.pictures = catalogue.all_pictures()
        cls.by_entry = {p.entry: p for p in cls.pictures if p.entry is not None}
        cls.cache = {}

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def render(self, picture):
        if picture.path not in self.cache:
            base = Path(self.tmp.name) / picture.path.replace("/", "_")
            base.with_suffix(".svg").write_text(picture.svg, encoding="utf-8")
            subprocess.run(["rsvg-convert", "-o", str(base.with_suffix(".png")), str(base.with_suffix(".svg"))],
                           check=True)
            self.cache[picture.path] = pngio.read_png(base.with_suffix(".png"))
        return self.cache[picture.path]

    def opaque(self, picture, x, y):
        _, _, rows = self.render(picture)
        return rows[y][x * 4 + 3] >= OPAQUE

    def test_every_picture_renders_at_its_size_with_ink(self):
        for p in self.pictures:
            with self.subTest(path=p.path):
                width, height, rows = self.render(p)
                self.assertEqual((width, height), (p.width, p.height))
                self.assertTrue(any(row[i] >= OPAQUE for row in rows for i in range(3, len(row), 4)))

    def test_kept_pixels_are_never_the_transparent_key(self):
        for p in self.pictures:
            if p.entry is None:
                continue
            _, _, rows = self.render(p)
            with self.subTest(path=p.path):
                black = [(i // 4, y) for y, row in enumerate(rows) for i in range(0, len(row), 4)
                         if row[i + 3] >= OPAQUE and row[i] + row[i + 1] + row[i + 2] < 12]
                self.assertEqual(black[:5], [])

    def test_font_renders_pixel_for_pixel(self):
        font = next(p for p in self.pictures if p.name == "ImageListFont")
        _, _, rows = self.render(font)
        expected = pixelfont.font_pixels(house_strokes())
        for y, row in enumerate(expected):
            for x, colour in enumerate(row):
                got = tuple(rows[y][x * 4:x * 4 + 4])
                want = (0, 0, 0, 0) if colour is None else (*colour, 255)
                if got[3] == 0 and want[3] == 0:
                    continue
                self.assertEqual(got, want, f"pixel {x},{y}")

    def test_scenes_leave_the_caption_band_transparent(self):
        # Four of the captions are drawn beneath their scenes.
        for entry in (263, 266, 267, 270, 272, 273):
            p = self.by_entry[entry]
            with self.subTest(entry=entry):
                self.assertFalse(any(self.opaque(p, x, y) for y in range(240, 320) for x in range(480)))

    def test_well_done_stays_clear_of_clear(self):
        # Banner 4 (centre 330,160) is drawn over banner 2 "CLEAR!" (centre 330,145).
        done, clear = self.by_entry[51], self.by_entry[49]
        left = 330 - clear.width // 2 - (330 - done.width // 2)
        top = 145 - clear.height // 2 - (160 - done.height // 2)
        covered = [(x, y) for y in range(top, top + clear.height) for x in range(left, left + clear.width)
                   if 0 <= x < done.width and 0 <= y < done.height and self.opaque(done, x, y)]
        self.assertEqual(covered, [])

    def test_banners_stay_above_the_tally_lines(self):
        # The tally text starts at y 208; banners 1 and 4 are centred at y 160.
        for entry in (29, 31, 48, 51):
            p = self.by_entry[entry]
            lowest = max(y for y in range(p.height) if any(self.opaque(p, x, y) for x in range(p.width)))
            self.assertLessEqual(160 - p.height // 2 + lowest, 207, entry)

    def test_every_letter_and_digit_cell_has_ink(self):
        for entry in (202, 290):
            p = self.by_entry[entry]
            across = p.width // p.pattern_width
            for k in range(p.patterns):
                left, top = (k % across) * p.pattern_width, (k // across) * p.pattern_height
                with self.subTest(entry=entry, pattern=k):
                    self.assertTrue(any(self.opaque(p, x, y)
                                        for y in range(top, top + p.pattern_height)
                                        for x in range(left, left + p.pattern_width)))

    def test_splash_is_fully_opaque(self):
        splash = next(p for p in self.pictures if p.entry is None and not p.name)
        _, _, rows = self.render(splash)
        self.assertTrue(all(row[i] == 255 for row in rows for i in range(3, len(row), 4)))


if __name__ == "__main__":
    unittest.main()
