#!/usr/bin/env python3
"""Writes the nine default alert sounds s1.wav ... s9.wav (22 050 Hz, 16-bit mono).

The sounds are synthesised here so that they carry no third-party rights: bell-like tones are sums of
inharmonic partials with exponential decay, the others plain sine tones with short fades. Run it
again only to change a sound; the WAV files are committed.
"""
import math
import struct
import wave
from pathlib import Path

RATE = 22050

# Partials of a small bell (ratio to the fundamental, relative loudness, decay per second).
BELL = [(1.0, 1.0, 3.0), (2.0, 0.55, 4.0), (2.76, 0.45, 5.5), (5.40, 0.25, 8.0), (8.93, 0.12, 12.0)]
# A softer, wooden struck bar.
MARIMBA = [(1.0, 1.0, 9.0), (3.93, 0.35, 22.0), (9.2, 0.08, 40.0)]


def note(freq, start, length, partials, gain=1.0):
    return (freq, start, length, partials, gain)


def render(notes, total):
    samples = [0.0] * int(total * RATE)
    for freq, start, length, partials, gain in notes:
        first = int(start * RATE)
        count = min(int(length * RATE), len(samples) - first)
        for i in range(count):
            t = i / RATE
            attack = min(1.0, t / 0.004)  # a 4 ms attack keeps the onset free of clicks
            value = 0.0
            for ratio, loudness, decay in partials:
                value += loudness * math.exp(-decay * t) * math.sin(2 * math.pi * freq * ratio * t)
            samples[first + i] += gain * attack * value
    return samples


def tone(freq_from, freq_to, start, length, gain=1.0):
    """A sine tone (optionally gliding) with 10 ms fades in and out."""
    def make(samples):
        first = int(start * RATE)
        count = int(length * RATE)
        phase = 0.0
        for i in range(count):
            t = i / RATE
            freq = freq_from + (freq_to - freq_from) * (i / count)
            phase += 2 * math.pi * freq / RATE
            fade = min(1.0, t / 0.01, (length - t) / 0.01)
            samples[first + i] += gain * fade * math.sin(phase)
    return make


def write(name, samples):
    peak = max(abs(s) for s in samples) or 1.0
    scale = 0.7 * 32767 / peak  # leave headroom: these play over whatever else is sounding
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    with wave.open(str(Path(__file__).with_name(name)), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


C5, D5, E5, G5, A5, C6 = 523.25, 587.33, 659.25, 783.99, 880.0, 1046.5

write("s1.wav", render([note(E5, 0.0, 0.9, BELL), note(C5, 0.35, 0.9, BELL)], 1.25))
write("s2.wav", render([note(C5, 0.0, 0.5, MARIMBA), note(E5, 0.12, 0.5, MARIMBA), note(G5, 0.24, 0.5, MARIMBA)], 0.75))
write("s3.wav", render([note(A5, 0.0, 1.3, BELL)], 1.3))

s4 = [0.0] * int(0.45 * RATE)
tone(880, 880, 0.0, 0.12)(s4)
tone(880, 880, 0.2, 0.12)(s4)
write("s4.wav", s4)

write("s5.wav", render([note(G5, 0.0, 0.5, MARIMBA), note(E5, 0.14, 0.5, MARIMBA), note(C5, 0.28, 0.6, MARIMBA)], 0.9))
write("s6.wav", render([note(C5, 0.0, 1.1, BELL, 0.8), note(E5, 0.0, 1.1, BELL, 0.7), note(G5, 0.0, 1.1, BELL, 0.6)], 1.1))
write("s7.wav", render([note(C6, 0.0, 0.15, MARIMBA), note(C6, 0.18, 0.15, MARIMBA)], 0.35))

s8 = [0.0] * int(0.5 * RATE)
tone(500, 1000, 0.0, 0.5)(s8)
write("s8.wav", s8)

write("s9.wav", render([note(E5, 0.0, 0.7, BELL), note(C5, 0.35, 0.7, BELL), note(D5, 0.7, 0.7, BELL),
                        note(G5 / 2, 1.05, 1.0, BELL)], 1.9))
