#!/usr/bin/env python3
"""Writes every picture with words (and the ending scenes and splash) as SVG under content/images/.

    screengen.py                 write the SVGs and content/images/messages.md
    screengen.py --check         exit 1 if any written file differs from what would be written
    screengen.py --sheet OUT.png render all pictures with rsvg-convert onto one contact sheet

The SVGs are generated so that the letters, the styles and the layout rules live in one place;
edit the generator (or strokes.txt) and run it again rather than editing an SVG by hand.
"""
import argparse
import subprocess
import sys
import tempfile
from pathlib import Path

import catalogue
import pngio

IMAGES = Path(__file__).resolve().parents[2] / "content/images"


def outputs(pictures):
    """Every file the generator owns: relative path -> text."""
    files = {p.path: p.svg for p in pictures}
    files["messages.md"] = catalogue.messages_markdown()
    return files


def write(root, files):
    for rel, text in sorted(files.items()):
        target = root / rel
        target.parent.mkdir(parents=True, exist_ok=True)
        if not target.exists() or target.read_text(encoding="utf-8") != text:
            target.write_text(text, encoding="utf-8")


def stale(root, files):
    return [rel for rel, text in sorted(files.items())
            if not (root / rel).exists() or (root / rel).read_text(encoding="utf-8") != text]


def render(svg_path, png_path):
    subprocess.run(["rsvg-convert", "-o", str(png_path), str(svg_path)], check=True)


def contact_sheet(pictures, out_path, columns_px=1200):
    """All pictures on a dark checker, left to right, wrapping rows; labels are not drawn."""
    with tempfile.TemporaryDirectory() as tmp:
        placed, x, y, row_h = [], 8, 8, 0
        for pic in pictures:
            svg = Path(tmp) / "p.svg"
            png = Path(tmp) / f"{len(placed)}.png"
            svg.write_text(pic.svg, encoding="utf-8")
            render(svg, png)
            if x + pic.width + 8 > columns_px:
                x, y, row_h = 8, y + row_h + 8, 0
            placed.append((png, x, y))
            x += pic.width + 8
            row_h = max(row_h, pic.height)
        height = y + row_h + 8
        rows = []
        for j in range(height):
            row = bytearray()
            for i in range(columns_px):
                g = 40 if ((i // 8 + j // 8) % 2) else 52
                row += bytes((g, g, g + 24, 255))
            rows.append(row)
        for png, px, py in placed:
            w, h, src = pngio.read_png(png)
            for j in range(h):
                line = src[j]
                dst = rows[py + j]
                for i in range(w):
                    a = line[i * 4 + 3]
                    if a >= 128:
                        dst[(px + i) * 4:(px + i) * 4 + 4] = bytes((*line[i * 4:i * 4 + 3], 255))
        pngio.write_png(out_path, columns_px, height, rows)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--sheet", metavar="PNG")
    parser.add_argument("--only", metavar="PREFIX", help="with --sheet: pictures whose path starts so")
    parser.add_argument("--root", type=Path, default=IMAGES)
    args = parser.parse_args(argv)
    pictures = catalogue.all_pictures()
    if args.sheet:
        chosen = [p for p in pictures if not args.only or p.path.startswith(args.only)]
        contact_sheet(chosen, args.sheet)
        return 0
    files = outputs(pictures)
    if args.check:
        bad = stale(args.root, files)
        for rel in bad:
            print(f"out of date: content/images/{rel} (run tools/screengen/screengen.py)", file=sys.stderr)
        return 1 if bad else 0
    write(args.root, files)
    return 0


if __name__ == "__main__":
    sys.exit(main())
