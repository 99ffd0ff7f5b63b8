#!/usr/bin/env python3
"""Writes the good-read sound "barcode.wav": a short two-tone beep, 16-bit mono PCM."""
import math
import struct
import sys
import wave

RATE = 22050


def tone(frequency, seconds, volume=0.5):
    count = int(RATE * seconds)
    fade = int(RATE * 0.005)
    for i in range(count):
        envelope = min(1.0, i / fade, (count - i) / fade)
        yield volume * envelope * math.sin(2 * math.pi * frequency * i / RATE)


def main(path):
    samples = list(tone(2700, 0.06)) + list(tone(3200, 0.06))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(s * 32767)) for s in samples))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "barcode.wav")
