"""MP3 bitrate and length columns of a built list beside what ffprobe
reports, for files made by lame from a synthetic signal.

The list takes the bitrate from the first MPEG-1 Layer III header (or the
Xing average, which counts the whole file) and derives the length from the
file size and the rounded bitrate, so tags and the rounding account for
small differences: the check allows 1 kbit/s and 2 s beyond them. Files the
list cannot read (MPEG-2, MPEG-2.5, a first frame after byte 5000) must be
"unknown" and nothing else is. The MPEG-2 and 2.5 files hold 0xFF 0xFA by
chance inside their frames, and the "_art" files hold cover art with frame
headers by chance: none of them may be taken for the stream's first frame."""

import json
import math
import re
import struct
import wave

import peers
from peers import Failure

RATE = 44100


def write_signal(path, seconds):
    """A stereo tone sweep with a quiet pseudo-random hiss, one second of it
    repeated: enough content for the encoder's choices to vary."""
    seed = 12345
    frames = bytearray()
    for i in range(RATE):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        t = i / RATE
        v = (0.4 * math.sin(2 * math.pi * 440 * t) +
             0.2 * math.sin(2 * math.pi * 1234 * t * (1 + t)) +
             0.1 * (seed / 0x7FFFFFFF - 0.5))
        left = int(v * 32767)
        frames += struct.pack("<hh", left, int(left * 0.6))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames) * seconds)


def picture(size):
    """Cover art as compressed data looks: bytes without order, among them
    0xFF 0xFB, which a frame search can take for a frame header."""
    seed, data = 99, bytearray()
    while len(data) < size:
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        data.append(seed >> 16 & 0xFF)
    for at in range(100, size - 4, 700):
        data[at:at + 4] = b"\xff\xfb\x50\x44"  # a 64 kbit/s header
    return bytes(data)


def id3v2(total, art=False):
    """An ID3v2.3 tag of total bytes: a title frame, with art a picture
    frame, then zero padding."""
    def frame(name, body):
        return name + struct.pack(">I", len(body)) + b"\x00\x00" + body
    frames = frame(b"TIT2", b"\x00Integration test title")
    if art:
        frames += frame(b"APIC", b"\x00image/png\x00\x03\x00" + picture(total - 200))
    size = total - 10
    syncsafe = bytes([(size >> 21) & 0x7F, (size >> 14) & 0x7F, (size >> 7) & 0x7F, size & 0x7F])
    return b"ID3\x03\x00\x00" + syncsafe + frames + b"\x00" * (size - len(frames))


def id3v1():
    return (b"TAG" + b"Title".ljust(30, b"\x00") + b"Artist".ljust(30, b"\x00") +
            b"Album".ljust(30, b"\x00") + b"2026" + b"Comment".ljust(30, b"\x00") + b"\x0c")


# name, lame options, seconds of signal, ID3v2 bytes, ID3v1, VBR (Xing average)
CASES = [
    ("cbr032", ["--resample", "44.1", "-b", "32"], 10, 0, False, False),
    ("cbr064", ["--resample", "44.1", "-b", "64"], 10, 0, False, False),
    ("cbr128", ["-b", "128"], 10, 0, False, False),
    ("cbr192", ["-b", "192"], 10, 0, False, False),
    ("cbr320", ["-b", "320"], 10, 0, False, False),
    ("vbr_v0", ["-V", "0"], 10, 0, False, True),
    ("vbr_v5", ["-V", "5"], 10, 0, False, True),
    ("abr_112", ["--abr", "112"], 10, 0, False, True),
    ("mono_cbr96", ["-m", "m", "-b", "96"], 10, 0, False, False),
    ("mono_vbr_v5", ["-m", "m", "-V", "5"], 10, 0, False, True),
    ("joint_cbr128", ["-m", "j", "-b", "128"], 10, 0, False, False),
    ("mpeg2_22khz", ["--resample", "22.05", "-b", "64"], 10, 0, False, False),
    ("mpeg25_8khz", ["--resample", "8", "-b", "16"], 10, 0, False, False),
    ("id3v2_1k", ["-b", "128"], 10, 1024, False, False),
    ("id3v2_4k", ["-b", "128"], 10, 4096, False, False),
    ("id3v2_8k", ["-b", "128"], 10, 8192, False, False),
    ("id3v2_4k_art", ["-b", "128"], 10, 4096, False, False),
    ("id3v2_8k_art", ["-b", "128"], 10, 8192, False, False),
    ("id3v1_end", ["-b", "128"], 10, 0, True, False),
    ("long_15min_vbr", ["--resample", "44.1", "-m", "m", "-V", "7"], 900, 0, False, True),
]


MPEG1_RATES = (32000, 44100, 48000)


def readable(ref, tag):
    """Whether the list can read the stream: MPEG-1 (its sample rates) with
    the first frame starting in the first 5000 bytes (lame's output starts
    with a frame, so it starts after the ID3v2 tag)."""
    return ref["rate"] in MPEG1_RATES and tag < 5000


def list_columns(list_text):
    """name -> (bitrate or None, length in seconds or None) from a text list
    with MP3 information and song lengths."""
    columns = {}
    for line in list_text.splitlines():
        m = re.match(r"^(\S+\.mp3)\s+(\?\?\?k|\d+k)\s*(\d+:\d\d)?\s*$", line)
        if not m:
            continue
        if m.group(2) == "???k":
            columns[m.group(1)] = (None, None)
        else:
            minutes, seconds = m.group(3).split(":")
            columns[m.group(1)] = (int(m.group(2)[:-1]), int(minutes) * 60 + int(seconds))
    return columns


def ffprobe(box, path):
    out = box.run(["ffprobe", "-v", "error", "-print_format", "json", "-show_format",
                   "-show_streams", path]).stdout
    info = json.loads(out)
    stream = info["streams"][0]
    return {"bitrate": int(stream.get("bit_rate") or info["format"]["bit_rate"]) / 1000.0,
            "length": float(info["format"]["duration"]),
            "rate": int(stream["sample_rate"]), "channels": int(stream["channels"])}


def make_files(box, music):
    short = box.root / "short.wav"
    write_signal(short, 10)
    long = box.root / "long.wav"
    write_signal(long, 900)
    for name, options, seconds, tag, tag_end, _ in CASES:
        encoded = box.root / f"{name}.enc"
        source = long if seconds == 900 else short
        box.run(["lame", "--quiet", "--noreplaygain", *options, source, encoded], timeout=120)
        data = encoded.read_bytes()
        if tag:
            data = id3v2(tag, art=name.endswith("_art")) + data
        if tag_end:
            data += id3v1()
        (music / f"{name}.mp3").write_bytes(data)


def compare(box, music, columns):
    rows, failures = [], []
    for name, _, _, tag, tag_end, vbr in CASES:
        path = music / f"{name}.mp3"
        ours = columns.get(f"{name}.mp3")
        ref = ffprobe(box, path)
        rows.append((name, ours, ref))
        if ours is None:
            failures.append(f"{name}: no row in the list")
            continue
        bitrate, length = ours
        if not readable(ref, tag):
            if bitrate is not None:
                failures.append(f"{name}: expected unknown, the list shows {bitrate}k")
            continue
        if bitrate is None:
            failures.append(f"{name}: the list shows unknown, ffprobe reads {ref['bitrate']:.1f}k")
            continue
        tag_bytes = tag + (128 if tag_end else 0)
        # A Xing average counts the tags as stream; a length counts them as
        # sound; a rounded average changes the length by up to half a kbit/s.
        rate_slack = 1 + (tag_bytes * 8 / ref["length"] / 1000 if vbr else 0)
        length_slack = 2 + tag_bytes * 8 / (bitrate * 1000)
        if vbr:
            length_slack += ref["length"] * 0.5 / bitrate
        if abs(bitrate - ref["bitrate"]) > rate_slack:
            failures.append(f"{name}: bitrate {bitrate}k, ffprobe {ref['bitrate']:.1f}k")
        if abs(length - ref["length"]) > length_slack:
            failures.append(f"{name}: length {length} s, ffprobe {ref['length']:.1f} s "
                            f"(allowed {length_slack:.1f} s)")
    return rows, failures


def print_table(rows):
    print("| file | list bitrate | list length | ffprobe bitrate | ffprobe length | stream |")
    print("|---|---|---|---|---|---|")
    for name, ours, ref in rows:
        rate, length = ours or (None, None)
        shown_rate = f"{rate}k" if rate is not None else "???k"
        shown_length = f"{length // 60}:{length % 60:02d}" if length is not None else "unknown"
        print(f"| {name}.mp3 | {shown_rate} | {shown_length} | {ref['bitrate']:.1f}k | "
              f"{ref['length']:.2f} s | {ref['rate']} Hz, {ref['channels']} ch |")


def main():
    peers.need_programs("lame", "ffprobe")
    with peers.Sandbox("mp3") as box:
        music = box.root / "music"
        music.mkdir()
        make_files(box, music)
        out = box.root / "music.txt"
        peers.build_list(box, music, out, IncludeMP3Info=1, IncludeSongLength=1)
        columns = list_columns(out.read_text(errors="replace"))
        rows, failures = compare(box, music, columns)
        print_table(rows)
        if failures:
            raise Failure("\n".join(failures))
    print("the list's MP3 figures agree with ffprobe")


if __name__ == "__main__":
    peers.main(main)
