#!/usr/bin/env python3
"""Generates the trees the scan benchmarks walk.

    make_scan_tree.py files TREE   200,000 files in 20,000 folders
    make_scan_tree.py mp3 TREE     10,000 small MP3 files (constant and
                                   variable bitrate) in 1,000 folders

Folders are nested three levels deep (20 x 20 x 50 = 20,000 leaf-ish
folders for the file tree), ten files each, with a mix of name lengths and
sizes. Generating the same tree twice gives the same names and sizes.
"""
import os
import random
import struct
import sys


def folders(root, shape):
    a, b, c = shape
    for i in range(a):
        for j in range(b):
            for k in range(c):
                yield os.path.join(root, f"Artist {i:02d}", f"Album {j:02d}", f"Disc {k:02d}")


def write(path, data):
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    try:
        os.write(fd, data)
    finally:
        os.close(fd)


def make_files(root):
    rng = random.Random(1)
    count = 0
    for folder in folders(root, (20, 20, 50)):
        os.makedirs(folder, exist_ok=True)
        for n in range(10):
            name = f"track {n:02d} - " + "x" * rng.randrange(1, 70) + rng.choice(
                [".txt", ".flac", ".ogg", ".jpg", ".pdf"])
            write(os.path.join(folder, name), b"z" * rng.randrange(0, 4096))
            count += 1
    print(f"{count} files in {root}")


def frame_header(bitrate_index=9, mode=0):
    # MPEG-1 Layer III, no CRC, 44.1 kHz.
    return bytes([0xFF, 0xFB, bitrate_index << 4, mode << 6])


def cbr_file(frames):
    frame = frame_header() + b"\0" * 413  # 417 bytes at 128 kbit/s
    return frame * frames


def xing_file(frames):
    first = bytearray(frame_header() + b"\0" * 413)
    first[36:48] = b"Xing" + struct.pack(">II", 0x0F, frames)
    return bytes(first) + (frame_header(11) + b"\0" * 623) * (frames - 1)


def make_mp3(root):
    rng = random.Random(2)
    count = 0
    for folder in folders(root, (10, 10, 10)):
        os.makedirs(folder, exist_ok=True)
        for n in range(10):
            frames = rng.randrange(5, 40)
            tag = b""
            if n % 3 == 0:
                tag = b"ID3\x03\0\0\0\0\x07\x76" + b"\0" * rng.randrange(100, 4000)
            data = tag + (xing_file(frames) if n % 2 else cbr_file(frames))
            write(os.path.join(folder, f"song {n:02d}.mp3"), data)
            count += 1
    print(f"{count} MP3 files in {root}")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("files", "mp3"):
        sys.exit(__doc__)
    kind, root = sys.argv[1], sys.argv[2]
    if os.path.exists(root):
        sys.exit(f"{root} exists already; remove it first")
    (make_files if kind == "files" else make_mp3)(root)


if __name__ == "__main__":
    main()
