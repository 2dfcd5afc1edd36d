#!/usr/bin/env python3
"""Times a whole run of zorbelle-cli --all-files against `find TREE -type f`
on the same tree, warm cache, and reports peak memory.

usage: run_benchmark.py CLI [FILES ...]   (default sizes: 25000 100000)"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def timed(cmd, env=None):
    start = time.perf_counter()
    proc = subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    elapsed = time.perf_counter() - start
    if proc.returncode != 0:
        sys.exit(f"{cmd[0]} failed with {proc.returncode}")
    return elapsed


def peak_memory(cmd, env):
    """Peak resident memory in MiB, from GNU time: a forked child's own
    figure would count the interpreter it was forked from."""
    if not shutil.which("time") and not os.path.exists("/usr/bin/time"):
        return float("nan")
    proc = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, env=env, text=True)
    return int(proc.stderr.strip().splitlines()[-1]) / 1024.0


def bench(cli, files, work):
    tree = os.path.join(work, f"tree{files}")
    if not os.path.isdir(tree):
        subprocess.run([sys.executable, os.path.join(HERE, "make_tree.py"), tree, str(files), "6"],
                       check=True)
    out = os.path.join(work, "out")
    os.makedirs(out, exist_ok=True)
    env = dict(os.environ, ZORBELLE_DRIVES=f"c={out};z=/",
               XDG_CONFIG_HOME=os.path.join(work, "config"))
    find = ["find", tree, "-type", "f"]
    for label, options in (("gallery + allfile.txt", ["--gallery"]),
                           ("allfile.txt only     ", ["--no-gallery"])):
        zorbelle = [cli, "--all-files", "--no-same-folder", "--yes"] + options + [tree]
        timed(find)
        timed(zorbelle, env)  # warm both
        finds, runs = [], []
        for _ in range(5):
            finds.append(timed(find))
            runs.append(timed(zorbelle, env))
        peak = peak_memory(zorbelle, env)
        f, z = statistics.median(finds), statistics.median(runs)
        print(f"{files:>7} files, {label}: find {f*1000:7.1f} ms   zorbelle {z*1000:7.1f} ms   "
              f"ratio {z/f:4.2f}   peak memory {peak:5.1f} MiB")


def main():
    cli = os.path.abspath(sys.argv[1])
    sizes = [int(s) for s in sys.argv[2:]] or [25000, 100000]
    work = os.environ.get("ZORBELLE_BENCH_DIR") or tempfile.mkdtemp(prefix="zorbelle-bench-")
    try:
        for files in sizes:
            bench(cli, files, work)
    finally:
        if not os.environ.get("ZORBELLE_BENCH_DIR"):
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
