#!/usr/bin/python3
"""Prints the time in seconds of every note-on (velocity above 0) of a MIDI file, one a line, as
mido, an independent reader, works them out from the file's tempo map."""
import sys

import mido

now = 0.0
for message in mido.MidiFile(sys.argv[1]):
    now += message.time
    if message.type == "note_on" and message.velocity > 0:
        print("%.9f" % now)
