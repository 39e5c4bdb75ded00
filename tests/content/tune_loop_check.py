#!/usr/bin/python3
"""Plays the built tunes the way the game's player does, without sound, and checks them.

Usage: tune_loop_check.py RUN_DIR
Each track is walked on its own: at its End of Track a stage tune jumps back to the event
after that track's "repeat" cue, as the player does. Three loops are played after the
first pass. A stage tune passes when every track loops with the same period, when the
state a loop starts from (tempo, metre, programs, controllers, sounding notes) is the
state the first pass had at the mark, when no note-off arrives for a note that is not
sounding, when a loop lasts 60-180 seconds after a short intro, and when tracks that share a
channel open with the same volume (the later one would silently override the other). The ending passes when
it has no loop mark, all tracks end together with nothing left sounding, and it lasts
55-75 seconds. Exits 77 (skipped) when mido is not installed.
"""
import os
import sys

try:
    import mido
except ImportError:
    print("mido is not installed: skipped")
    sys.exit(77)

LOOPS = 3
KEPT_CONTROLLERS = (0, 7, 10, 11, 32, 64, 91, 93)


class Track:
    """One track chunk as absolute-tick events, with the index of its loop cue."""

    def __init__(self, messages):
        self.events = []  # (tick, message)
        self.cue_index = None
        tick = 0
        for msg in messages:
            tick += msg.time
            if msg.type == "cue_marker" and msg.text.startswith("repeat"):
                self.cue_index = len(self.events)
            self.events.append((tick, msg))
        self.end = tick
        self.advances = any(msg.time > 0 for msg in messages)

    @property
    def cue_tick(self):
        return None if self.cue_index is None else self.events[self.cue_index][0]

    def period(self):
        start = 0 if self.cue_index is None else self.cue_tick
        return self.end - start

    def walk(self, repeat, stop_tick):
        """Yields (absolute tick, message) as the player reads them, looping when asked;
        a jump back to the loop start is yielded as (tick it resumes from, None)."""
        offset = 0
        index = 0
        while True:
            for tick, msg in self.events[index:]:
                if offset + tick > stop_tick:
                    return
                yield offset + tick, msg
            if not repeat or not self.advances:
                return
            start = 0 if self.cue_index is None else self.cue_tick
            offset += self.end - start
            index = 0 if self.cue_index is None else self.cue_index + 1
            yield offset + start, None


class Player:
    """The picture a listener's synthesizer has of the song at each moment."""

    def __init__(self):
        self.tempo = 500000
        self.metre = (4, 4)
        self.programs = {}
        self.controls = {}
        self.sounding = {}  # (channel, note) -> count
        self.orphans = []

    def apply(self, tick, msg):
        if msg.type == "set_tempo":
            self.tempo = msg.tempo
        elif msg.type == "time_signature":
            self.metre = (msg.numerator, msg.denominator)
        elif msg.type == "program_change":
            self.programs[msg.channel] = msg.program
        elif msg.type == "control_change" and msg.control in KEPT_CONTROLLERS:
            self.controls[(msg.channel, msg.control)] = msg.value
        elif msg.type == "note_on" and msg.velocity > 0:
            key = (msg.channel, msg.note)
            self.sounding[key] = self.sounding.get(key, 0) + 1
        elif msg.type in ("note_off", "note_on"):
            key = (msg.channel, msg.note)
            if self.sounding.get(key, 0) == 0:
                self.orphans.append((tick, msg.channel + 1, msg.note))
            else:
                self.sounding[key] -= 1
                if self.sounding[key] == 0:
                    del self.sounding[key]

    def snapshot(self):
        return (self.tempo, self.metre, dict(self.programs), dict(self.controls),
                dict(self.sounding))


def play(tracks, repeat, stop_tick):
    """Merges the tracks' walks in the player's order: by tick, then track by track."""
    streams = [list(t.walk(repeat, stop_tick)) for t in tracks]
    merged = []
    for number, stream in enumerate(streams):
        merged.extend((tick, number, order, msg) for order, (tick, msg) in enumerate(stream))
    merged = [e for e in merged if e[3] is not None]
    merged.sort(key=lambda e: (e[0], e[1], e[2]))
    return streams, merged


def seconds(merged, division, upto):
    """Seconds from the start to tick `upto`, following the tempo events as they play."""
    total, last, tempo = 0.0, 0, 500000
    for tick, _, _, msg in merged:
        if tick > upto:
            break
        total += (tick - last) * tempo / 1e6 / division
        last = tick
        if msg.type == "set_tempo":
            tempo = msg.tempo
    return total + (upto - last) * tempo / 1e6 / division


def check_shared_channels(name, tracks, failures):
    opening = {}  # channel -> {volume at tick 0 per track}
    for track in tracks:
        for tick, msg in track.events:
            if tick == 0 and msg.type == "control_change" and msg.control == 7:
                opening.setdefault(msg.channel, set()).add(msg.value)
    for channel, volumes in sorted(opening.items()):
        if len(volumes) > 1:
            failures.append(f"{name}: tracks on channel {channel + 1} open with volumes {sorted(volumes)}")


def check_stage_tune(name, song, failures):
    tracks = [Track(t) for t in song.tracks]
    check_shared_channels(name, tracks, failures)
    cues = {t.cue_tick for t in tracks}
    ends = {t.end for t in tracks}
    if None in cues or len(cues) != 1 or len(ends) != 1:
        failures.append(f"{name}: tracks do not share one loop mark and end (cues {sorted(cues, key=str)}, ends {sorted(ends)})")
        return
    cue, end = cues.pop(), ends.pop()
    period = end - cue
    periods = {t.period() for t in tracks if t.advances}
    if periods != {period}:
        failures.append(f"{name}: track loop periods {sorted(periods)} differ from {period}")

    stop = end + LOOPS * period
    streams, merged = play(tracks, True, stop)
    for number, stream in enumerate(streams):
        jumps = [tick for tick, msg in stream if msg is None]
        expected = [cue + k * period for k in range(1, LOOPS + 1)]
        if tracks[number].advances and jumps[:LOOPS] != expected:
            failures.append(f"{name}: track {number} loops back at {jumps[:LOOPS]}, expected {expected}")

    # The state each loop starts from must be the state the first pass had at the mark.
    player = Player()
    marks = [cue + k * period for k in range(LOOPS + 1)]
    states = []
    for index, (tick, _, _, msg) in enumerate(merged):
        player.apply(tick, msg)
        following = merged[index + 1][0] if index + 1 < len(merged) else None
        if tick in marks and following != tick:
            states.append(player.snapshot())
    if len(states) != LOOPS + 1:
        failures.append(f"{name}: reached the mark {len(states)} times, expected {LOOPS + 1}")
    for k, state in enumerate(states[1:], start=1):
        if state != states[0]:
            labels = ("tempo", "metre", "programs", "controllers", "sounding notes")
            differing = [label for label, a, b in zip(labels, states[0], state) if a != b]
            failures.append(f"{name}: loop {k} starts with different {', '.join(differing)}")
    if player.orphans:
        failures.append(f"{name}: note-offs for notes not sounding (tick, channel, note): {player.orphans[:5]}")

    division = song.ticks_per_beat
    intro = seconds(merged, division, cue)
    loops = [seconds(merged, division, cue + (k + 1) * period) - seconds(merged, division, cue + k * period)
             for k in range(LOOPS)]
    if max(loops) - min(loops) > 0.001:
        failures.append(f"{name}: loops last {loops} seconds, not the same each time")
    if not 60 <= loops[0] <= 180:
        failures.append(f"{name}: a loop lasts {loops[0]:.1f} s, not 60-180 s")
    if intro > 15:
        failures.append(f"{name}: the intro lasts {intro:.1f} s")
    print(f"{name}: intro {intro:.1f} s, loop {loops[0]:.1f} s x {LOOPS}, {len(tracks)} tracks in step")


def check_ending(name, song, failures):
    tracks = [Track(t) for t in song.tracks]
    check_shared_channels(name, tracks, failures)
    if any(t.cue_index is not None for t in tracks):
        failures.append(f"{name}: the ending must not carry a loop mark")
    ends = {t.end for t in tracks}
    if len(ends) != 1:
        failures.append(f"{name}: tracks end at different ticks {sorted(ends)}")
    end = max(ends)
    # Played once, every track ends by itself; asking for more time plays nothing more.
    streams, merged = play(tracks, False, end * 4)
    if any(msg is None for stream in streams for _, msg in stream):
        failures.append(f"{name}: a track starts again when played once")
    if max(tick for tick, _, _, _ in merged) != end:
        failures.append(f"{name}: events after the end")
    player = Player()
    for tick, _, _, msg in merged:
        player.apply(tick, msg)
    if player.sounding:
        failures.append(f"{name}: notes still sounding at the end: {sorted(player.sounding)}")
    if player.orphans:
        failures.append(f"{name}: note-offs for notes not sounding: {player.orphans[:5]}")
    length = seconds(merged, song.ticks_per_beat, end)
    if not 55 <= length <= 75:
        failures.append(f"{name}: lasts {length:.1f} s, not 55-75 s")
    print(f"{name}: plays once for {length:.1f} s and ends")


def main():
    run_dir = sys.argv[1]
    failures = []
    for stage in range(1, 6):
        name = f"tolvstg{stage}.mid"
        check_stage_tune(name, mido.MidiFile(os.path.join(run_dir, name)), failures)
    check_ending("tolvend.mid", mido.MidiFile(os.path.join(run_dir, "tolvend.mid")), failures)
    for failure in failures:
        print("FAIL:", failure)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
