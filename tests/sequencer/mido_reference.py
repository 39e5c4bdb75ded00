#!/usr/bin/python3
"""Reads MIDI files with mido, an independent reader, and prints one tab-separated line per file
with what the analysis is compared against:

    PATH  ok  END:Z END:Z ...  COUNT:NOTES:VELOCITIES x 16

per track the tick of its End of Track (or of its last message) and Z = 1 when its first event
is at tick 0; per channel the note-ons with a velocity above 0 and the sums of their note
numbers and velocities. A file mido refuses gives "PATH  error  REASON"."""
import sys

import mido


def describe(path):
    try:
        midi = mido.MidiFile(path)
    except Exception as error:  # mido refuses the file: report why
        reason = (type(error).__name__ + ": " + str(error)).replace("\t", " ").replace("\n", " ")
        return "\t".join([path, "error", reason])
    tracks = []
    channels = [[0, 0, 0] for _ in range(16)]
    for track in midi.tracks:
        tick = 0
        end = None
        first_at_zero = bool(track) and track[0].time == 0
        for message in track:
            tick += message.time
            if message.type == "note_on" and message.velocity > 0:
                entry = channels[message.channel]
                entry[0] += 1
                entry[1] += message.note
                entry[2] += message.velocity
            if message.type == "end_of_track" and end is None:
                end = tick
        tracks.append("%d:%d" % (tick if end is None else end, first_at_zero))
    notes = " ".join("%d:%d:%d" % tuple(entry) for entry in channels)
    return "\t".join([path, "ok", " ".join(tracks), notes])


for name in sys.argv[1:]:
    print(describe(name))
