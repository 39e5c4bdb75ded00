#!/usr/bin/python3
"""Cross-checks mmlc's output with an independent reader (mido).

Usage: mido_check.py MMLC WORK_DIR [RUN_DIR]
Compiles a text whose notes are known, then checks what mido reads: the notes per channel
(count and average), the "repeat" cue on every track at the mark, and tracks that end
together. With RUN_DIR, every .mid there must read cleanly and keep its tracks together.
Exits 77 (skipped) when mido is not installed.
"""
import os
import subprocess
import sys

try:
    import mido
except ImportError:
    print("mido is not installed: skipped")
    sys.exit(77)

TEXT = """#tempo 120
#track 1 "Tune"
@0 o4 c e g L c e g
#track 3
n36 n38 r L n40 n41 r
"""


def summary(path):
    song = mido.MidiFile(path)
    notes = {}
    cues, ends = [], []
    for track in song.tracks:
        tick, cue = 0, None
        for msg in track:
            tick += msg.time
            if msg.type == "note_on" and msg.velocity > 0:
                notes.setdefault(msg.channel, []).append(msg.note)
            if msg.type == "cue_marker" and msg.text.startswith("repeat"):
                cue = tick
        cues.append(cue)
        ends.append(tick)
    return song, notes, cues, ends


def main():
    mmlc, work = sys.argv[1], sys.argv[2]
    source = os.path.join(work, "mido_check.mml")
    target = os.path.join(work, "mido_check.mid")
    with open(source, "w") as f:
        f.write(TEXT)
    subprocess.run([mmlc, source, "-o", target], check=True)

    song, notes, cues, ends = summary(target)
    failures = []
    if song.type != 1 or song.ticks_per_beat != 480:
        failures.append("not format 1 at 480 ticks per quarter")
    expected = {0: (6, (60 + 64 + 67) * 2 // 6), 2: (4, (36 + 38 + 40 + 41) // 4)}
    got = {ch: (len(n), sum(n) // len(n)) for ch, n in notes.items()}
    if got != expected:
        failures.append(f"notes per channel {got}, expected {expected}")
    if cues != [1440] * 3 or ends != [2880] * 3:
        failures.append(f"cues {cues} and ends {ends}, expected 1440 and 2880 on all three tracks")

    if len(sys.argv) > 3:
        run_dir = sys.argv[3]
        for name in sorted(os.listdir(run_dir)):
            if not name.endswith(".mid"):
                continue
            _, _, cues, ends = summary(os.path.join(run_dir, name))
            if len(set(cues)) != 1 or len(set(ends)) != 1:
                failures.append(f"{name}: tracks do not loop together (cues {cues}, ends {ends})")
            if name.startswith("tolvstg") and cues[0] is None:
                failures.append(f"{name}: no repeat cue")

    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
