#!/usr/bin/env python3
"""Writes resources/beep.wav: the default alarm sound, a short tone and a pause, made to loop."""
import math
import os
import struct
import wave

RATE = 22050
TONE_S = 0.25
PAUSE_S = 0.25
FREQ = 880.0
FADE = int(RATE * 0.01)

samples = []
tone = int(RATE * TONE_S)
for i in range(tone):
    envelope = min(1.0, i / FADE, (tone - i) / FADE)
    samples.append(int(0.5 * 32767 * envelope * math.sin(2 * math.pi * FREQ * i / RATE)))
samples += [0] * int(RATE * PAUSE_S)

target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "beep.wav")
with wave.open(target, "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(2)
    out.setframerate(RATE)
    out.writeframes(struct.pack("<%dh" % len(samples), *samples))
