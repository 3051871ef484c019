#!/usr/bin/env python3
"""Make the two reel-spin loops as 16-bit stereo PCM at 44100 Hz.

Both sounds are played looped, so each is built to be exactly periodic over
its own length: every click is written modulo the loop length (a click near
the end spills over to the start), and every steady component is a sum of
sines with a whole number of cycles in the loop. The last sample therefore
runs into the first like any two neighbouring samples, with no seam.
The clicks sit half a step away from the ends, so the join falls in a quiet tail.

  spin_fast.wav  4212 frames: fast ratchet of the first seconds of a spin,
                 4 clicks per loop (about 42 a second) over a light whirr.
  spin_slow.wav 17808 frames: slower rolling as the reels run down,
                 4 deeper clicks per loop (about 10 a second) over a soft rumble.

The header is the canonical 44-byte RIFF/WAVE one (fmt + data, nothing else).
Standard library only; the fixed seeds make the output byte-for-byte stable.

usage: make_sounds.py OUTPUT_DIR
"""
import math
import os
import random
import struct
import sys

RATE = 44100
PEAK = 10 ** (-4.0 / 20)  # normalise to -4 dBFS: never clips, leaves headroom


def add_click(buf, start, n, partials, noise_amp, noise_decay, rng, gain):
    """Add a short percussive click at sample `start`, wrapped around the loop.

    partials: (frequency Hz, amplitude, decay time constant s) of damped sines.
    """
    length = int(RATE * 0.04)  # 40 ms is far past every decay used here
    attack = int(RATE * 0.0004)  # soft 0.4 ms onset keeps the click from snapping
    phases = [rng.uniform(0, 2 * math.pi) for _ in partials]
    lp = 0.0
    for i in range(length):
        t = i / RATE
        env_on = min(1.0, (i + 1) / attack)
        v = 0.0
        for (f, a, tau), ph in zip(partials, phases):
            v += a * math.exp(-t / tau) * math.sin(2 * math.pi * f * t + ph)
        # a little filtered noise for the texture of plastic on metal
        lp += 0.35 * (rng.uniform(-1, 1) - lp)
        v += noise_amp * math.exp(-t / noise_decay) * lp
        buf[(start + i) % n] += gain * env_on * v


def add_band(buf, n, lo, hi, amp, tilt, rng):
    """Add periodic band-limited noise: sines at every whole-cycle frequency
    k * RATE / n between lo and hi Hz, random phases, amplitude ~ f**-tilt."""
    base = RATE / n
    comps = []
    for k in range(max(1, math.ceil(lo / base)), int(hi / base) + 1):
        f = k * base
        comps.append((k, (f / lo) ** (-tilt), rng.uniform(0, 2 * math.pi)))
    norm = amp / math.sqrt(sum(a * a for _, a, _ in comps) / 2)
    for k, a, ph in comps:
        w = 2 * math.pi * k / n
        for i in range(n):
            buf[i] += norm * a * math.sin(w * i + ph)


def modulate(buf, n, cycles, depth, phase=0.0):
    """Multiply by a smooth pulse with a whole number of cycles per loop."""
    for i in range(n):
        x = 0.5 + 0.5 * math.cos(2 * math.pi * cycles * i / n + phase)
        buf[i] *= 1.0 - depth + depth * x ** 3


def smooth(buf, n, coeff):
    """One-pole low-pass run around the loop twice, so it settles periodically."""
    y = 0.0
    out = [0.0] * n
    for _ in range(2):
        for i in range(n):
            y += coeff * (buf[i] - y)
            out[i] = y
    return out


def spin_fast(n=4212):
    rng = random.Random(1009)
    chans = []
    for ch in range(2):
        clicks = [0.0] * n
        step = n // 4
        gains = (1.0, 0.72, 0.88, 0.66) if ch == 0 else (0.8, 0.9, 0.7, 0.84)
        jitter = (0, 17, -9, 12)
        delay = 0 if ch == 0 else 11  # 0.25 ms between the ears
        for j in range(4):
            add_click(clicks, j * step + step // 2 + jitter[j] + delay, n,
                      [(2350 + 40 * j, 0.55, 0.0022), (1320, 0.7, 0.0035),
                       (610, 0.45, 0.006)],
                      0.35, 0.0015, rng, gains[j])
        clicks = smooth(clicks, n, 0.55)
        whirr = [0.0] * n
        add_band(whirr, n, 180, 1600, 0.09, 0.6, rng)
        modulate(whirr, n, 4, 0.5, -0.6)
        hum = [0.0] * n
        add_band(hum, n, 60, 180, 0.05, 0.0, rng)
        chans.append([c + w + h for c, w, h in zip(clicks, whirr, hum)])
    return chans


def spin_slow(n=17808):
    rng = random.Random(1011)
    chans = []
    for ch in range(2):
        clicks = [0.0] * n
        step = n // 4
        gains = (1.0, 0.8, 0.92, 0.76) if ch == 0 else (0.84, 0.95, 0.78, 0.9)
        jitter = (0, 40, -25, 30)
        delay = 0 if ch == 0 else 13
        for j in range(4):
            add_click(clicks, j * step + step // 2 + jitter[j] + delay, n,
                      [(1450 + 30 * j, 0.35, 0.003), (760, 0.7, 0.0065),
                       (270, 0.6, 0.012)],
                      0.25, 0.002, rng, gains[j])
        clicks = smooth(clicks, n, 0.4)
        rumble = [0.0] * n
        add_band(rumble, n, 40, 320, 0.1, 0.8, rng)
        modulate(rumble, n, 4, 0.45, -0.9)
        chans.append([c + r for c, r in zip(clicks, rumble)])
    return chans


def write_wav(path, chans):
    n = len(chans[0])
    peak = max(abs(v) for c in chans for v in c)
    scale = PEAK * 32767 / peak
    frames = bytearray()
    for i in range(n):
        for c in chans:
            frames += struct.pack("<h", int(round(c[i] * scale)))
    header = struct.pack("<4sI4s4sIHHIIHH4sI", b"RIFF", 36 + len(frames), b"WAVE",
                         b"fmt ", 16, 1, 2, RATE, RATE * 4, 4, 16,
                         b"data", len(frames))
    with open(path, "wb") as f:
        f.write(header + bytes(frames))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    write_wav(os.path.join(out, "spin_fast.wav"), spin_fast())
    write_wav(os.path.join(out, "spin_slow.wav"), spin_slow())


if __name__ == "__main__":
    main()
