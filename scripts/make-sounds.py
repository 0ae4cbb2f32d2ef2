#!/usr/bin/env python3
"""Makes the program's sound effects: data/program/wave/*.wav.

The effects are synthesised here (a seeded generator: the same bytes on every run); the countdown
numbers and the byo-yomi period announcements are spoken by espeak-ng in Mandarin. The files are
committed, so building the program needs neither this script nor espeak-ng; run it again only to
change a sound:  python3 scripts/make-sounds.py
"""

import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 22050
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "program", "wave")


def write(name, samples):
    """Writes mono 16-bit PCM, normalised to 90% of full scale."""
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = 0.9 * 32767 / peak
    with wave.open(os.path.join(OUT, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(round(s * scale))) for s in samples))


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def decaying_tone(freq, seconds, decay, partials=((1, 1.0),), attack=0.002):
    out = []
    for i in range(int(seconds * RATE)):
        t = i / RATE
        env = min(1.0, t / attack) * math.exp(-t / decay)
        out.append(env * sum(a * math.sin(2 * math.pi * freq * k * t) for k, a in partials))
    return out


def noise_burst(rng, seconds, decay, smooth):
    """Noise through a one-pole low-pass (smooth near 1: darker), exponentially decaying."""
    out, y = [], 0.0
    for i in range(int(seconds * RATE)):
        y = smooth * y + (1 - smooth) * rng.uniform(-1, 1)
        out.append(y * math.exp(-(i / RATE) / decay))
    return out


def mix(*tracks):
    n = max(len(t) for t in tracks)
    return [sum(t[i] for t in tracks if i < len(t)) for i in range(n)]


def concat(*parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def chime(freqs, step, ring):
    """Notes struck one after another, each ringing on (a bell-like set of partials)."""
    bell = ((1, 1.0), (2, 0.35), (3, 0.12), (4.2, 0.06))
    tracks = []
    for i, f in enumerate(freqs):
        tracks.append(silence(i * step) + decaying_tone(f, ring, ring / 4, bell))
    return mix(*tracks)


def stone(rng):
    # A hard stone on a wooden board: a sharp noisy crack and a short woody resonance.
    crack = noise_burst(rng, 0.05, 0.006, 0.2)
    body = decaying_tone(1150, 0.12, 0.02, ((1, 1.0), (2.3, 0.4), (3.9, 0.15)))
    low = decaying_tone(310, 0.12, 0.03)
    return mix([3 * s for s in crack], body, [0.6 * s for s in low])


def click(rng):
    return mix(noise_burst(rng, 0.02, 0.002, 0.1), decaying_tone(2600, 0.03, 0.004))


def error():
    def square(freq, seconds):
        out = []
        for i in range(int(seconds * RATE)):
            t = i / RATE
            env = min(1.0, t / 0.005) * min(1.0, (seconds - t) / 0.02)
            out.append(env * (1.0 if math.sin(2 * math.pi * freq * t) >= 0 else -1.0) * 0.5)
        return out

    return concat(square(330, 0.12), silence(0.04), square(247, 0.22))


def applause(rng):
    # Many hands: short claps at random times, thickening, then thinning out.
    seconds = 2.6
    out = [0.0] * int(seconds * RATE)
    for _ in range(420):
        start = rng.uniform(0, seconds - 0.05)
        density = math.sin(math.pi * start / seconds)
        if rng.random() > density:
            continue
        clap = noise_burst(rng, 0.03, rng.uniform(0.004, 0.009), rng.uniform(0.0, 0.5))
        gain = rng.uniform(0.3, 1.0)
        begin = int(start * RATE)
        for i, s in enumerate(clap):
            if begin + i < len(out):
                out[begin + i] += gain * s
    return out


def camera(rng):
    return concat(click(rng), silence(0.06), noise_burst(rng, 0.09, 0.03, 0.6))


def spoken(text, name):
    """espeak-ng in Mandarin (22050 Hz, 16-bit mono), its silence before and after cut off."""
    target = os.path.join(OUT, name)
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "speech.wav")
        subprocess.run(["espeak-ng", "-v", "cmn", "-s", "160", "-w", raw, text], check=True)
        with wave.open(raw, "rb") as w:
            rate = w.getframerate()
            frames = w.readframes(w.getnframes())
    samples = [v[0] for v in struct.iter_unpack("<h", frames)]
    # espeak-ng pads the speech with silence; a countdown word must fit in its second.
    loud = [i for i, v in enumerate(samples) if abs(v) > 300]
    margin = rate // 50
    samples = samples[max(0, loud[0] - margin):loud[-1] + margin] if loud else samples
    with wave.open(target, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", v) for v in samples))


def main():
    if shutil.which("espeak-ng") is None:
        sys.exit("make-sounds: espeak-ng is needed for the spoken numbers (apt-get install espeak-ng)")
    os.makedirs(OUT, exist_ok=True)
    rng = random.Random(20261211)
    write("stone.wav", stone(rng))
    write("click.wav", click(rng))
    write("error.wav", error())
    write("elearn.wav", chime([523.25, 659.25, 783.99], 0.12, 0.9))  # logged in
    write("17.wav", chime([392.0, 523.25, 659.25, 1046.5], 0.14, 1.2))  # a game starts
    write("16.wav", chime([1046.5, 783.99, 659.25, 523.25], 0.16, 1.3))  # a game ends
    write("Applaud.wav", applause(rng))
    write("camera.wav", camera(rng))
    for n, text in enumerate(["一", "二", "三", "四", "五", "六", "七", "八", "九"], start=1):
        spoken(text, f"{n}.wav")
    spoken("第一次讀秒", "12.wav")
    spoken("第二次讀秒", "13.wav")
    spoken("最後一次讀秒", "14.wav")


if __name__ == "__main__":
    main()
