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
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{cmd[0]} failed with {status}")
    return elapsed, usage.ru_maxrss / 1024.0  # MiB


def bench(cli, files, work):
    tree = os.path.join(work, f"tree{files}")
    if not os.path.isdir(tree):
        subprocess.run([sys.executable, os.path.join(HERE, "make_tree.py"), tree, str(files), "6"],
                       check=True)
    out = os.path.join(work, "out")
    os.makedirs(out, exist_ok=True)
    env = dict(os.environ, ZORBELLE_DRIVES=f"c={out};z=/",
               XDG_CONFIG_HOME=os.path.join(work, "config"))
    zorbelle = [cli, "--all-files", "--no-same-folder", "--yes", tree]
    find = ["find", tree, "-type", "f"]
    timed(find)
    timed(zorbelle, env)  # warm both
    finds, runs, peaks = [], [], []
    for _ in range(5):
        finds.append(timed(find)[0])
        t, peak = timed(zorbelle, env)
        runs.append(t)
        peaks.append(peak)
    f, z = statistics.median(finds), statistics.median(runs)
    print(f"{files:>7} files: find {f*1000:7.1f} ms   zorbelle {z*1000:7.1f} ms   "
          f"ratio {z/f:4.2f}   peak memory {max(peaks):5.1f} MiB")


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
