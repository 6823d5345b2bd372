#!/usr/bin/python3
"""heard.py RECORDING CLIP.wav...: where each clip is heard in a recording (16-bit stereo raw at
16 kHz, as parec makes it; the left channel). For each clip, from its first loud 10 ms on, prints: the second it is
heard best at in the recording, how alike the two are there (normalised correlation, 1 for the
same), how alike the clip's first 50 ms are to the recording there, and how loud the recording is
in those 50 ms against the clip."""
import sys, wave
import numpy as np

RATE = 16000
recording = np.fromfile(sys.argv[1], '<i2').astype(float)[::2]
energy = np.concatenate([[0], np.cumsum(recording ** 2)])
for path in sys.argv[2:]:
    with wave.open(path) as w:
        clip = np.frombuffer(w.readframes(w.getnframes()), '<i2').astype(float)
        clip = clip.reshape(-1, w.getnchannels()).mean(axis=1)
        rate = w.getframerate()
    if rate != RATE:
        size = round(len(clip) * RATE / rate)
        clip = np.fft.irfft(np.fft.rfft(clip), size) * size / len(clip)
    loud = [i for i in range(0, len(clip), 160) if np.sqrt(np.mean(clip[i:i + 160] ** 2)) > 300]
    clip = clip[loud[0]:]
    n = len(recording) + len(clip)
    fit = np.fft.irfft(np.fft.rfft(recording, n) * np.conj(np.fft.rfft(clip, n)), n)[:len(recording) - len(clip) + 1]
    # Stretches much quieter than the clip are not it.
    fit /= np.maximum(np.sqrt(energy[len(clip):] - energy[:-len(clip)]), np.linalg.norm(clip) / 4) * np.linalg.norm(clip)
    at = int(np.argmax(fit))
    head, there = clip[:RATE // 20], recording[at:at + RATE // 20]
    alike = head @ there / (np.linalg.norm(head) * np.linalg.norm(there) + 1e-9)
    print(f"{at / RATE:.3f} {fit[at]:.2f} {alike:.2f} {np.linalg.norm(there) / np.linalg.norm(head):.2f}")
