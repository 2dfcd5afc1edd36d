#!/usr/bin/env python3
"""Makes a benchmark tree: FILES files, a fifth of them pictures with real
headers (JPEG, GIF, BMP), spread over folders nested DEPTH deep.

usage: make_tree.py ROOT [FILES [DEPTH [png]]]
With "png", another fifth are PNG files, which a run without the newer
formats passes over: reading them ahead would be wasted."""
import os
import struct
import sys
import zlib

SAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "pictures")


def picture_bytes():
    with open(os.path.join(SAMPLES, "animals", "fox.gif"), "rb") as f:
        gif = f.read()
    with open(os.path.join(SAMPLES, "animals", "owl.bmp"), "rb") as f:
        bmp = f.read()
    with open(os.path.join(SAMPLES, "旅行", "山.jpg"), "rb") as f:
        jpg = f.read()
    return [(".jpg", jpg), (".gif", gif), (".jpeg", jpg), (".bmp", bmp), (".JPG", jpg)]


def png_bytes(width=16, height=16):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + bytes([n % 256 for n in range(width * 3)]) for _ in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows))
            + chunk(b"IEND", b""))


def main():
    root = sys.argv[1]
    files = int(sys.argv[2]) if len(sys.argv) > 2 else 100_000
    depth = int(sys.argv[3]) if len(sys.argv) > 3 else 6
    pngs = len(sys.argv) > 4 and sys.argv[4] == "png"
    pictures = picture_bytes()
    png = png_bytes()
    per_folder = 50
    folders = []
    # A tree with a fan-out of 4 until it has enough folders, no deeper than depth.
    level = [root]
    while len(folders) * per_folder < files:
        nxt = []
        for parent in level:
            for k in range(4):
                path = os.path.join(parent, f"d{k}")
                folders.append(path)
                nxt.append(path)
        level = nxt if len(folders) < 4 ** depth else level
    os.makedirs(root, exist_ok=True)
    n = 0
    for folder in folders:
        os.makedirs(folder, exist_ok=True)
        for i in range(per_folder):
            if n >= files:
                return
            if n % 5 == 0:
                ext, data = pictures[(n // 5) % len(pictures)]
                name = f"p{n}{ext}"
            elif pngs and n % 5 == 1:
                name, data = f"g{n}.png", png
            else:
                name, data = f"f{n}.txt", b"x" * (n % 200)
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
            n += 1


if __name__ == "__main__":
    main()
