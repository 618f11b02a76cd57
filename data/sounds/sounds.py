#!/usr/bin/env python3
"""Synthesises the program's event sounds into 16-bit PCM mono WAV files.

    sounds.py OUTDIR

Every sound is a few struck partials (bell-like or plucked) with short fades, so that
none starts or stops with a click. Recipes:
  welcome.wav  a rising four-note chime over a soft pad (about 1.4 s)
  open.wav     a quick rising sweep with a sparkle on top (launcher shown)
  menu.wav     a soft falling two-note glide (launcher hidden, list menu opening)
  press.wav    a short wooden tick (item and alert buttons)
  msg.wav      a two-note pluck, up a fifth (message balloon)
  alert.wav    two low bell strikes a tritone apart (the yes/no alert)
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 44100


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def mix(dst, src, at=0.0, gain=1.0):
    start = int(RATE * at)
    need = start + len(src)
    if need > len(dst):
        dst.extend([0.0] * (need - len(dst)))
    for i, v in enumerate(src):
        dst[start + i] += v * gain
    return dst


def bell(freq, seconds, decay, partials=((1, 1.0), (2.01, 0.45), (3.02, 0.2), (4.17, 0.1)), attack=0.004):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        t = i / RATE
        env = math.exp(-t / decay) * min(1.0, t / attack)
        v = sum(a * math.exp(-t * (k - 1) * 2.0) * math.sin(2 * math.pi * freq * k * t) for k, a in partials)
        out.append(v * env)
    return out


def sweep(f0, f1, seconds, decay):
    n = int(RATE * seconds)
    out, phase = [], 0.0
    for i in range(n):
        t = i / RATE
        f = f0 * (f1 / f0) ** (t / seconds)
        phase += 2 * math.pi * f / RATE
        env = math.exp(-t / decay) * min(1.0, t / 0.01)
        out.append(env * (math.sin(phase) + 0.3 * math.sin(2 * phase)))
    return out


def tick(seconds=0.06):
    rnd = random.Random(5)
    n = int(RATE * seconds)
    out, lp = [], 0.0
    for i in range(n):
        t = i / RATE
        lp += 0.35 * (rnd.uniform(-1, 1) - lp)
        env = math.exp(-t / 0.008)
        out.append(env * (0.6 * lp + 0.8 * math.sin(2 * math.pi * 1850 * t) * math.exp(-t / 0.004)
                          + 0.5 * math.sin(2 * math.pi * 620 * t)))
    return out


def finish(samples, peak=0.6, fade=0.02):
    """Normalises to the peak and fades the tail out."""
    top = max(abs(v) for v in samples) or 1.0
    n = len(samples)
    f = int(RATE * fade)
    out = []
    for i, v in enumerate(samples):
        g = peak / top
        if i >= n - f:
            g *= (n - i) / f
        out.append(v * g)
    return out


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, v)) * 32767)) for v in samples))


def note(semitones_from_a4):
    return 440.0 * 2 ** (semitones_from_a4 / 12.0)


def welcome():
    s = silence(1.45)
    for k, (semi, at) in enumerate(((-9, 0.0), (-5, 0.14), (-2, 0.28), (3, 0.42))):  # C E G C
        mix(s, bell(note(semi), 1.45 - at, 0.5 + 0.1 * k), at, 0.8)
    pad = [math.sin(2 * math.pi * note(-21) * i / RATE) * math.sin(math.pi * i / len(s)) for i in range(len(s))]
    mix(s, pad, 0.0, 0.25)
    return finish(s, 0.62, 0.15)


def open_():
    s = sweep(330, 990, 0.32, 0.18)
    mix(s, bell(note(15), 0.3, 0.09), 0.16, 0.35)
    return finish(s, 0.5, 0.05)


def menu():
    s = bell(note(7), 0.3, 0.1, partials=((1, 1.0), (2.0, 0.25)))
    mix(s, bell(note(0), 0.28, 0.11, partials=((1, 1.0), (2.0, 0.25))), 0.07)
    return finish(s, 0.42, 0.05)


def press():
    return finish(tick(), 0.45, 0.01)


def msg():
    s = bell(note(5), 0.5, 0.16, partials=((1, 1.0), (3.0, 0.15)))
    mix(s, bell(note(12), 0.4, 0.16, partials=((1, 1.0), (3.0, 0.15))), 0.11)
    return finish(s, 0.5, 0.05)


def alert():
    s = bell(note(-14), 0.62, 0.22)
    mix(s, bell(note(-8), 0.45, 0.2), 0.17)
    return finish(s, 0.6, 0.06)


SOUNDS = {"welcome.wav": welcome, "open.wav": open_, "menu.wav": menu, "press.wav": press,
          "msg.wav": msg, "alert.wav": alert}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make in SOUNDS.items():
        write(os.path.join(out, name), make())
    return 0


if __name__ == "__main__":
    sys.exit(main())
