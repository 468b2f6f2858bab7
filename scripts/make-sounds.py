#!/usr/bin/python3
"""Writes Tunelo's feedback sounds into data/ (or the folder given as the first argument).

Each sound is synthesised from sine partials, so the files are the same on every run and belong
to us. All are 22050 Hz mono 16-bit PCM, short, and fade in and out so that they never click.

    /usr/bin/python3 scripts/make-sounds.py [FOLDER]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
FADE_IN = 0.004   # seconds; long enough to avoid a click, short enough to keep the attack
FADE_OUT = 0.015


def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def tone(freq, seconds, partials=((1, 1.0),), decay=0.0, glide_to=None):
    """A tone of `seconds` with harmonic `partials` ((multiple, level), ...).

    `decay` is an exponential decay rate per second (0: steady); `glide_to` slides the
    fundamental linearly to that frequency over the tone, keeping the phase continuous.
    """
    count = int(round(seconds * RATE))
    out = []
    phase = 0.0
    for n in range(count):
        t = n / RATE
        f = freq if glide_to is None else freq + (glide_to - freq) * n / max(count - 1, 1)
        phase += 2.0 * math.pi * f / RATE
        value = sum(level * math.sin(multiple * phase) for multiple, level in partials)
        out.append(value * math.exp(-decay * t))
    return out


def fade(samples, fade_in=FADE_IN, fade_out=FADE_OUT):
    """Raised-cosine fade at both ends."""
    out = list(samples)
    n_in = min(int(fade_in * RATE), len(out) // 2)
    n_out = min(int(fade_out * RATE), len(out) // 2)
    for i in range(n_in):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(n_out):
        out[len(out) - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    return out


def mix(length_seconds, *parts):
    """Adds (start_seconds, samples) parts into one buffer."""
    out = [0.0] * int(round(length_seconds * RATE))
    for start, samples in parts:
        offset = int(round(start * RATE))
        for i, value in enumerate(samples):
            if offset + i < len(out):
                out[offset + i] += value
    return out


def normalise(samples, peak):
    top = max(abs(v) for v in samples) or 1.0
    return [v * peak / top for v in samples]


def error_buzz():
    # Two short low buzzes: odd harmonics give the hard, square-like edge of a refusal.
    buzz_partials = ((1, 1.0), (3, 0.45), (5, 0.25), (7, 0.12))
    one = fade(tone(165.0, 0.13, buzz_partials), 0.004, 0.02)
    return fade(normalise(mix(0.32, (0.0, one), (0.17, one)), 0.55))


def not_found():
    # Falling two-tone, high then low: "nothing there".
    partials = ((1, 1.0), (2, 0.2))
    high = fade(tone(784.0, 0.14, partials, decay=3.0), 0.005, 0.03)
    low = fade(tone(523.25, 0.22, partials, decay=5.0), 0.005, 0.06)
    return fade(normalise(mix(0.40, (0.0, high), (0.16, low)), 0.6))


def done_chime():
    # Rising major arpeggio with bell-like decay: a job has finished.
    bell = ((1, 1.0), (2, 0.3), (3, 0.12))
    notes = [(0.00, 523.25), (0.09, 659.25), (0.18, 783.99), (0.27, 1046.5)]
    parts = [(start, fade(tone(freq, 0.60 - start, bell, decay=6.0), 0.003, 0.05))
             for start, freq in notes]
    return fade(normalise(mix(0.60, *parts), 0.6), FADE_IN, 0.08)


def ouch_blip():
    # A quick downward swoop: the look-up stopped finding anything.
    return fade(normalise(tone(950.0, 0.14, ((1, 1.0), (2, 0.15)), decay=8.0, glide_to=320.0),
                          0.5), 0.003, 0.03)


def scroll_tick():
    # Two soft clicks of a high, fast-decaying tone: the list glides into view.
    tick = fade(tone(1900.0, 0.035, ((1, 1.0), (2, 0.2)), decay=90.0), 0.002, 0.01)
    return fade(normalise(mix(0.10, (0.0, tick), (0.05, tick)), 0.3), 0.002, 0.01)


def info_ping():
    # One clear bell note with a faint fifth above it.
    partials = ((1, 1.0), (1.5, 0.18), (2, 0.25))
    return fade(normalise(tone(1318.5, 0.45, partials, decay=7.0), 0.55), 0.003, 0.06)


SOUNDS = {
    "error.wav": error_buzz,
    "ngev.wav": not_found,
    "Opti.wav": done_chime,
    "oww.wav": ouch_blip,
    "Scrlwin.wav": scroll_tick,
    "Info.wav": info_ping,
}


def write_wave(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767)))))
                      for v in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", "data"))
    os.makedirs(folder, exist_ok=True)
    for name, make in SOUNDS.items():
        samples = make()
        path = os.path.join(folder, name)
        write_wave(path, samples)
        print(f"{path}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    main()
