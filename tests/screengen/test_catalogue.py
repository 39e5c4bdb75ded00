"""Every picture with words against the places the game shows it."""
import re
import tempfile
import unittest
from pathlib import Path

import catalogue
import ending
import messages
import screengen

OWNED = (
    {29, 31, 45, 46, 48, 49, 50, 51, 156, 263, 266, 267, 270, 272, 273}
    | set(range(182, 197)) - {197} | set(range(198, 205)) | {228}
    | set(range(274, 306)) | set(messages.PICTURE_LIST)
)


class CatalogueTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pictures = catalogue.all_pictures()
        cls.by_entry = {p.entry: p for p in cls.pictures if p.entry is not None}

    def size(self, entry):
        p = self.by_entry[entry]
        return (p.pattern_width or p.width), (p.pattern_height or p.height)

    def test_each_entry_is_drawn_once_and_all_are_there(self):
        entries = [p.entry for p in self.pictures if p.entry is not None]
        self.assertEqual(len(entries), len(set(entries)))
        self.assertEqual(set(entries), OWNED)
        self.assertEqual(len({p.path for p in self.pictures}), len(self.pictures))

    def test_font_is_the_named_entry_without_a_cell_size(self):
        font = [p for p in self.pictures if p.name == "ImageListFont"]
        self.assertEqual(len(font), 1)
        self.assertEqual((font[0].width, font[0].height), (256, 96))
        self.assertEqual((font[0].pattern_width, font[0].pattern_height), (0, 0))
        self.assertEqual([p for p in self.pictures if p.name and p.name != "ImageListFont"], [])

    def test_pattern_grids(self):
        letters = self.by_entry[202]
        self.assertEqual((letters.patterns, letters.pattern_width), (65, 44))
        self.assertEqual(self.size(204), self.size(202))
        digits = self.by_entry[290]
        self.assertEqual(digits.patterns, 10)
        self.assertEqual(digits.width, 10 * digits.pattern_width)
        for p in self.pictures:
            if p.pattern_width:
                self.assertEqual(p.width % p.pattern_width, 0, p.path)
                self.assertEqual(p.height % p.pattern_height, 0, p.path)

    def test_ending_scenes_fill_the_screen(self):
        for entry in (263, 266, 267, 270, 272, 273):
            self.assertEqual(self.size(entry), (480, 320))

    def test_longest_bill_line_fits_the_screen(self):
        # Label at x 10, up to seven digits one cell apart, then the unit.
        digit = self.by_entry[290].pattern_width
        for label in (280, 281, 284):
            for unit in (283, 285, 304):
                width = 10 + self.by_entry[label].width + 7 * digit + self.by_entry[unit].width
                self.assertLessEqual(width, 470, (label, unit))

    def test_bill_parts_share_one_height(self):
        heights = {self.by_entry[e].height for e in (280, 281, 283, 284, 285, 290, 304)}
        self.assertEqual(heights, {ending.CAPTION_H})

    def test_splash_is_the_loading_picture(self):
        splash = [p for p in self.pictures if p.entry is None and p.name == ""]
        self.assertEqual([(p.width, p.height) for p in splash], [(304, 90)])

    def test_sources_never_depend_on_installed_fonts(self):
        for p in self.pictures:
            with self.subTest(path=p.path):
                self.assertNotIn("<text", p.svg)
                self.assertNotIn("font-family", p.svg)

    def test_keyed_pictures_never_paint_pure_black(self):
        pure_black = re.compile(r'"#000000"|"#000"|"black"|rgb\(0, ?0, ?0\)')
        for p in self.pictures:
            if p.entry is not None:
                with self.subTest(path=p.path):
                    self.assertIsNone(pure_black.search(p.svg))


class MessagesTest(unittest.TestCase):
    def test_ninety_one_distinct_messages_in_picture_list_order(self):
        self.assertEqual(len(messages.MESSAGES), 91)
        self.assertEqual(len(messages.PICTURE_LIST), 91)
        texts = [text for _, text in messages.MESSAGES]
        self.assertEqual(len(set(texts)), 91)
        self.assertEqual(messages.PICTURE_LIST[:8], [15, 16, 17, 22, 23, 24, 25, 40])
        self.assertEqual(messages.PICTURE_LIST[-2:], [306, 307])

    def test_every_kind_is_known(self):
        for kind, _ in messages.MESSAGES:
            base, _, mood = kind.partition(":")
            self.assertIn(base, messages.KIND_NAMES)
            self.assertIn(mood, ("", "grin", "worried"))

    def test_list_for_stage_designers_names_every_picture(self):
        text = messages.markdown()
        for n, (_, words) in enumerate(messages.MESSAGES, start=1):
            self.assertIn(f"| {n} | {messages.PICTURE_LIST[n - 1]} |", text)
            self.assertIn(words.replace("|", "/"), text)


def catalogue_rows():
    """content/images/catalogue.tsv: index -> (width, height, pattern, count, name)."""
    rows = {}
    for line in (screengen.IMAGES / "catalogue.tsv").read_text(encoding="utf-8").splitlines():
        if line.startswith("#") or not line.strip():
            continue
        index, width, height, pattern, count, _, name, _ = line.split("\t")
        rows[int(index)] = (width, height, pattern, int(count), "" if name == "-" else name)
    return rows


def allows(bound, value):
    if bound == "*":
        return True
    if bound.startswith("<="):
        return value <= int(bound[2:])
    return value == int(bound)


class ManifestTest(unittest.TestCase):
    def test_every_picture_keeps_its_catalogue_row(self):
        rows = catalogue_rows()
        for p in catalogue.all_pictures():
            if p.entry is None and not p.name:
                continue
            index = p.entry if p.entry is not None else next(i for i, r in rows.items() if r[4] == p.name)
            width, height, pattern, count, name = rows[index]
            with self.subTest(entry=index):
                self.assertTrue(allows(width, p.width), f"width {p.width}, catalogue {width}")
                self.assertTrue(allows(height, p.height), f"height {p.height}, catalogue {height}")
                self.assertEqual(pattern, f"{p.pattern_width}x{p.pattern_height}" if p.pattern_width else "-")
                self.assertEqual(count, p.patterns)
                self.assertEqual(name, p.name)


    def test_manifest_takes_every_picture_from_the_generated_file(self):
        lines = {}
        for line in (screengen.IMAGES / "manifest").read_text(encoding="utf-8").splitlines():
            words = line.split("#", 1)[0].split()
            if words:
                lines[int(words[0])] = (words[1], sorted(words[2:]))
        font_index = next(i for i, (_, options) in lines.items() if "name=ImageListFont" in options)
        for p in catalogue.all_pictures():
            if p.entry is None and not p.name:
                continue   # the splash is a program resource, not an archive entry
            index = font_index if p.name else p.entry
            options = sorted(([f"name={p.name}"] if p.name else []) +
                             ([f"pattern={p.pattern_width}x{p.pattern_height}"] if p.pattern_width else []))
            with self.subTest(entry=index):
                self.assertEqual(lines[index], (p.path, options))


class GeneratedFilesTest(unittest.TestCase):
    def test_committed_files_match_the_generator(self):
        self.assertEqual(screengen.main(["--check"]), 0,
                         "run tools/screengen/screengen.py and commit what it writes")

    def test_check_notices_a_changed_or_missing_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            root = Path(tmp)
            self.assertEqual(screengen.main(["--root", tmp]), 0)
            self.assertEqual(screengen.main(["--check", "--root", tmp]), 0)
            (root / "messages.md").write_text("edited by hand\n")
            (root / "screens/banners/ready.svg").unlink()
            files = screengen.outputs(catalogue.all_pictures())
            self.assertEqual(screengen.stale(root, files), ["messages.md", "screens/banners/ready.svg"])
            self.assertEqual(screengen.main(["--check", "--root", tmp]), 1)


if __name__ == "__main__":
    unittest.main()
