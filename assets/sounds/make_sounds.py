#!/usr/bin/env python3
"""Synthesises the program's three sounds: 16-bit PCM, mono, 22050 Hz, each under a second.

Run from anywhere; writes boom.wav, glassshatter.wav and msgtype.wav beside this script. The output is
deterministic, so regenerating gives the same files.
"""
import math
import os
import random
import struct
import wave

RATE = 22050


def write(name, samples):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = 0.85 * 32767 / peak
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def fade_edges(samples, ms=3):
    n = min(len(samples) // 2, int(RATE * ms / 1000))
    for i in range(n):
        samples[i] *= i / n
        samples[-1 - i] *= i / n
    return samples


def boom():
    # A low thump: a sine gliding from 110 Hz down to 38 Hz under a fast exponential decay, with a soft click of
    # filtered noise at the start for the attack.
    rng = random.Random(1)
    length = int(RATE * 0.6)
    out = []
    phase = 0.0
    lowpassed = 0.0
    for i in range(length):
        t = i / RATE
        freq = 38 + 72 * math.exp(-t * 9)
        phase += 2 * math.pi * freq / RATE
        body = math.sin(phase) * math.exp(-t * 6.5)
        lowpassed += 0.08 * (rng.uniform(-1, 1) - lowpassed)
        attack = lowpassed * math.exp(-t * 60) * 2.5
        out.append(body + attack)
    return fade_edges(out)


def glass_shatter():
    # A burst of noise for the break, then high inharmonic partials that ring and die away at their own rates,
    # with a few late tinkles.
    rng = random.Random(2)
    length = int(RATE * 0.9)
    partials = [(2350, 7.0), (3710, 9.0), (4890, 11.0), (6120, 8.0), (7430, 13.0), (8800, 15.0)]
    tinkles = [(rng.uniform(0.12, 0.6), rng.uniform(3000, 9000)) for _ in range(7)]
    out = []
    previous = 0.0
    for i in range(length):
        t = i / RATE
        noise = rng.uniform(-1, 1)
        highpassed = noise - previous
        previous = noise
        burst = highpassed * math.exp(-t * 14) * 0.9
        ring = sum(math.sin(2 * math.pi * f * t + k) * math.exp(-t * d) for k, (f, d) in enumerate(partials)) / 4
        tinkle = 0.0
        for start, f in tinkles:
            if t >= start:
                u = t - start
                tinkle += math.sin(2 * math.pi * f * u) * math.exp(-u * 40) * 0.35
        out.append(burst + ring * 0.6 + tinkle)
    return fade_edges(out)


def msg_type():
    # A short blip: two quick tones, like a key click followed by a soft beep.
    length = int(RATE * 0.12)
    out = []
    for i in range(length):
        t = i / RATE
        click = math.sin(2 * math.pi * 2600 * t) * math.exp(-t * 180)
        blip = math.sin(2 * math.pi * 1320 * t) * math.exp(-t * 30) * (0.6 if t > 0.02 else 0.0)
        out.append(click + blip)
    return fade_edges(out)


if __name__ == "__main__":
    write("boom.wav", boom())
    write("glassshatter.wav", glass_shatter())
    write("msgtype.wav", msg_type())
