#!/usr/bin/env python3
"""Thumbnails of 12-megapixel JPEGs with EXIF: zorbelle-cli --thumbnails
against Debian's vipsthumbnail (libvips-tools) making the same size, both on
every core; then a second run over the unchanged tree against a run without
thumbnails; peak memory; and how close each thumbnail comes (PSNR) to a
Lanczos-3 reduction of the whole picture, on the photo-like picture and on a
zone plate (fine detail up to the finest the picture holds).

usage: thumbnail_benchmark.py CLI [PICTURES] [BOX]   (default 500 pictures, box 120)"""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time


def run(cmd, env=None):
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    if proc.returncode != 0:
        sys.exit(f"{' '.join(cmd[:3])}... failed with {proc.returncode}")
    return time.perf_counter() - start


def peak_mib(cmd, env):
    """GNU time's figure: the largest single process, helpers included."""
    proc = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, env=env, text=True)
    return int(proc.stderr.strip().splitlines()[-1]) / 1024.0


def exif_segment(orientation):
    tiff = b"MM\x00\x2a\x00\x00\x00\x08" + struct.pack(">H", 1)
    tiff += struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0) + b"\x00" * 4
    payload = b"Exif\x00\x00" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload


def make_photo(folder, base):
    """A photo-like 4000 x 3000 JPEG from libvips."""
    steps = [["vips", "gaussnoise", "n.v", "4000", "3000", "--mean", "128", "--sigma", "50"],
             ["vips", "gaussblur", "n.v", "b.v", "1.5"],
             ["vips", "bandjoin", "b.v b.v b.v", "c.v"],
             ["vips", "cast", "c.v", "u.v", "uchar"],
             ["vips", "copy", "u.v", "s.v", "--interpretation", "srgb"],
             ["vips", "jpegsave", "s.v", base, "--Q", "90"]]
    for step in steps:
        subprocess.run(step, cwd=folder, check=True)
    for f in ("n.v", "b.v", "c.v", "u.v", "s.v"):
        os.remove(os.path.join(folder, f))


def make_zone_plate(folder, base):
    """Rings from coarse at the centre to the finest at the corners."""
    steps = [["vips", "zone", "z.v", "4000", "3000"],
             ["vips", "linear", "z.v", "l.v", "127.5", "127.5"],
             ["vips", "cast", "l.v", "u.v", "uchar"],
             ["vips", "bandjoin", "u.v u.v u.v", "c.v"],
             ["vips", "copy", "c.v", "s.v", "--interpretation", "srgb"],
             ["vips", "jpegsave", "s.v", base, "--Q", "95"]]
    for step in steps:
        subprocess.run(step, cwd=folder, check=True)
    for f in ("z.v", "l.v", "u.v", "c.v", "s.v"):
        os.remove(os.path.join(folder, f))


def make_pictures(folder, count):
    """The photo-like JPEG copied with EXIF orientations 1, 6, 3 and 8 in turn."""
    base = os.path.join(folder, "base.jpg")
    make_photo(folder, base)
    jpeg = open(base, "rb").read()
    os.remove(base)
    tree = os.path.join(folder, "tree")
    os.makedirs(tree)
    for i in range(count):
        segment = exif_segment((1, 6, 3, 8)[i % 4])
        with open(os.path.join(tree, f"photo{i:04d}.jpg"), "wb") as out:
            out.write(jpeg[:2] + segment + jpeg[2:])
    return tree


def ppm_samples(picture, folder):
    """Width, height and the RGB bytes of a picture, through libvips."""
    ppm = os.path.join(folder, "sample.ppm")
    subprocess.run(["vips", "copy", picture, ppm], check=True)
    data = open(ppm, "rb").read()
    os.remove(ppm)
    fields, at = [], 0
    while len(fields) < 4:  # P6, width, height, maximum; "#" starts a comment line
        while data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            at = data.index(b"\n", at)
            continue
        end = at
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[at:end])
        at = end
    return int(fields[1]), int(fields[2]), data[at + 1:]


def psnr(picture, reference, folder):
    width, height, got = ppm_samples(picture, folder)
    ref_width, ref_height, want = ppm_samples(reference, folder)
    if (width, height) != (ref_width, ref_height):
        sys.exit(f"{picture} is {width}x{height}, the reference {ref_width}x{ref_height}")
    squares = sum((a - b) * (a - b) for a, b in zip(got, want))
    return 10 * math.log10(255 * 255 * len(got) / max(squares, 1))


def quality(cli, work, env, box, side):
    """PSNR of zorbelle's and vipsthumbnail's thumbnail of each test picture
    against libvips' exact Lanczos-3 reduction of the whole picture."""
    rows = []
    for name, make in (("photo-like", make_photo), ("zone plate", make_zone_plate)):
        folder = os.path.join(work, "quality")
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        picture = os.path.join(folder, "picture.jpg")
        make(folder, picture)
        width, height = 4000, 3000
        thumb_height = round(height * side / width)
        reference = os.path.join(work, "reference.png")
        subprocess.run(["vips", "reduce", picture, reference, str(width / side),
                        str(height / thumb_height), "--kernel", "lanczos3"], check=True)
        run([cli, "--yes", "--same-folder", f"--thumbnail={box}", "--thumbnails", folder], env)
        thumbs = os.path.join(folder, "_gazthumb")
        ours = [os.path.join(thumbs, f) for f in os.listdir(thumbs) if f.endswith(".jpg")]
        theirs = os.path.join(work, "vips-quality.jpg")
        subprocess.run(["vipsthumbnail", "--size", str(side), "-o", theirs, picture], check=True)
        rows.append((name, psnr(ours[0], reference, work), psnr(theirs, reference, work)))
        shutil.rmtree(folder)
    return rows


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 500
    box = int(sys.argv[3]) if len(sys.argv) > 3 else 120
    side = 2 * box  # zorbelle renders at twice the box
    cores = os.cpu_count() or 1
    work = tempfile.mkdtemp(prefix="zorbelle-thumbs-")
    try:
        tree = make_pictures(work, count)
        pictures = sorted(os.path.join(tree, f) for f in os.listdir(tree))
        env = dict(os.environ, ZORBELLE_DRIVES=f"c={work};z=/",
                   XDG_CONFIG_HOME=os.path.join(work, "config"))
        base = [cli, "--yes", "--same-folder", f"--thumbnail={box}"]
        subprocess.run(["cat"] + pictures, stdout=subprocess.DEVNULL, check=True)  # warm cache

        # One thread per vipsthumbnail and one process per core, as zorbelle
        # runs one helper per core: the same share of a busy machine.
        vips_env = dict(os.environ, VIPS_CONCURRENCY="1")
        per = (len(pictures) + cores - 1) // cores

        def vipsthumbnail():
            out = os.path.join(work, "vips")
            shutil.rmtree(out, ignore_errors=True)
            os.makedirs(out)
            start = time.perf_counter()
            procs = [subprocess.Popen(["vipsthumbnail", "--size", str(side), "--rotate", "-o",
                                       os.path.join(out, "%s.jpg")] + pictures[i:i + per],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                      env=vips_env)
                     for i in range(0, len(pictures), per)]
            if any(p.wait() != 0 for p in procs):
                sys.exit("vipsthumbnail failed")
            return time.perf_counter() - start

        def zorbelle():
            shutil.rmtree(os.path.join(tree, "_gazthumb"), ignore_errors=True)
            elapsed = run(base + ["--thumbnails", tree], env)
            made = [f for f in os.listdir(os.path.join(tree, "_gazthumb")) if f.endswith(".jpg")]
            if len(made) != count:
                sys.exit(f"zorbelle made {len(made)} thumbnails of {count}")
            return elapsed

        # Interleaved, best of two each, so that a busy moment hits both alike.
        vips, first = float("inf"), float("inf")
        for _ in range(2):
            vips = min(vips, vipsthumbnail())
            first = min(first, zorbelle())
        second = min(run(base + ["--thumbnails", tree], env) for _ in range(3))
        without = min(run(base + ["--no-thumbnails", tree], env) for _ in range(3))
        shutil.rmtree(os.path.join(tree, "_gazthumb"))
        peak = peak_mib(base + ["--thumbnails", tree], env)

        print(f"{count} JPEGs 4000x3000 with EXIF, box {box} (thumbnails {side} px), {cores} cores")
        print(f"  zorbelle --thumbnails   {first:7.2f} s  {count / first:7.1f} thumbnails/s")
        print(f"  vipsthumbnail x{cores}       {vips:7.2f} s  {count / vips:7.1f} thumbnails/s")
        print(f"  ratio zorbelle/vips     {vips / first:7.2f} x as fast")
        print(f"  second run, unchanged   {second:7.3f} s")
        print(f"  run without thumbnails  {without:7.3f} s  (second / without = "
              f"{second / without:.2f})")
        print(f"  peak memory, one process {peak:6.1f} MiB")
        for name, ours, theirs in quality(cli, work, env, box, side):
            print(f"  PSNR {name:<11} zorbelle {ours:5.1f} dB, vipsthumbnail {theirs:5.1f} dB")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
