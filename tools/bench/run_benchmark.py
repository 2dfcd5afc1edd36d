#!/usr/bin/env python3
"""Times whole runs of zorbelle-cli (gallery + allfile.txt) against the floor
of the same work on the same tree: `find TREE -type f`, and the floor program
(floor.cpp, built here) that walks with readdir and reads the first 4 KiB of
every picture, on one thread and on FLOOR_THREADS threads. Each figure is the
median of 5; ratios are taken against figures of the same invocation. The
processor time of each command (all its threads) is shown beside its wall time.

Warm rows run with the page cache filled; cold rows drop it before every
command, which needs root (otherwise they say "not measured"). The run is
timed with reading ahead on (the default) and off (ZORBELLE_READ_AHEAD=0),
into an output folder that has no pages yet (a first run, which writes them
all; a run over the unchanged tree leaves them alone), and, warm, with the
search root typed in the wrong letter case.

usage: run_benchmark.py CLI [FILES ...]   (default: 25000 100000 100000png)
FILES ending in "png" is a tree with as many PNG files as pictures, which
the run (without the newer formats) passes over.
Trees are made in $ZORBELLE_BENCH_DIR (kept) or a temporary folder;
ZORBELLE_BENCH_WARM_ONLY=1 leaves out the cold rows."""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RUNS = 5
FLOOR_THREADS = 16
DROP_CACHES = "/proc/sys/vm/drop_caches"


def can_drop_caches():
    return os.geteuid() == 0 and os.access(DROP_CACHES, os.W_OK)


def drop_caches():
    os.sync()
    with open(DROP_CACHES, "w") as f:
        f.write("3\n")


def timed(cmd, env=None, cold=False, cpu=None):
    """Wall time of one command; its processor time (user + system, all
    threads) is appended to cpu when given."""
    if cold:
        drop_caches()
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        sys.exit(f"{' '.join(cmd)} failed with {code}")
    if cpu is not None:
        cpu.append(usage.ru_utime + usage.ru_stime)
    return elapsed


def peak_memory(cmd, env):
    """Peak resident memory in MiB, from GNU time: a forked child's own
    figure would count the interpreter it was forked from."""
    if not os.path.exists("/usr/bin/time"):
        return float("nan")
    proc = subprocess.run(["/usr/bin/time", "-f", "%M"] + cmd, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, env=env, text=True)
    return int(proc.stderr.strip().splitlines()[-1]) / 1024.0


def build_floor(work):
    floor = os.path.join(work, "floor")
    subprocess.run(["g++", "-O2", "-std=c++20", "-pthread", "-o", floor,
                    os.path.join(HERE, "floor.cpp")], check=True)
    return floor


def pages(out):
    """Every output file's bytes, by name."""
    folder = os.path.join(out, "_Zorbelle")
    result = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            result[name] = f.read()
    return result


def wrong_case(path):
    """The same path with its last name's letter case swapped."""
    head, name = os.path.split(path)
    return os.path.join(head, name.swapcase())


def bench(cli, floor, size, work):
    flavour = "png" if size.endswith("png") else ""
    files = int(size.removesuffix("png"))
    tree = os.path.join(work, f"tree{size}")
    name = f"{files:>7} files" + (", png" if flavour else "")
    if not os.path.isdir(tree):
        subprocess.run([sys.executable, os.path.join(HERE, "make_tree.py"), tree, str(files), "6",
                        flavour], check=True)
    out = os.path.join(work, "out")
    os.makedirs(out, exist_ok=True)
    env = dict(os.environ, ZORBELLE_DRIVES=f"c={out};z=/",
               XDG_CONFIG_HOME=os.path.join(work, "config"))
    env.pop("ZORBELLE_READ_AHEAD", None)
    env_off = dict(env, ZORBELLE_READ_AHEAD="0")
    run = [cli, "--all-files", "--no-same-folder", "--yes", "--gallery"]

    def no_pages():
        shutil.rmtree(os.path.join(out, "_Zorbelle"), ignore_errors=True)

    # (label, command, environment, what to do first, untimed). A run over
    # the unchanged tree leaves its pages alone; the first run writes them.
    commands = [
        ("run", run + [tree], env, None),
        ("run, read-ahead off", run + [tree], env_off, None),
        ("run, no pages yet", run + [tree], env, no_pages),
        ("find -type f", ["find", tree, "-type", "f"], None, None),
        ("floor, 1 thread", [floor, "1", tree], None, None),
        (f"floor, {FLOOR_THREADS} threads", [floor, str(FLOOR_THREADS), tree], None, None),
    ]
    timed(run + [tree], env_off)
    without = pages(out)
    timed(run + [tree], env)
    same = "yes" if pages(out) == without else "NO"
    print(f"{name}: output with read-ahead on and off byte-identical: {same}")
    for cache in ("warm", "cold"):
        if cache == "cold" and os.environ.get("ZORBELLE_BENCH_WARM_ONLY") == "1":
            continue
        if cache == "cold" and not can_drop_caches():
            print(f"{name}, cold: not measured (dropping the page cache needs root)")
            continue
        cold = cache == "cold"
        for _, cmd, e, _ in commands:
            timed(cmd, e)  # fills the cache, and the run's settings
        times = {label: [] for label, _, _, _ in commands}
        cpus = {label: [] for label, _, _, _ in commands}
        for _ in range(RUNS):  # interleaved, so that noise spreads over all
            for label, cmd, e, first in commands:
                if first:
                    first()
                times[label].append(timed(cmd, e, cold, cpus[label]))
        medians = {label: statistics.median(t) for label, t in times.items()}
        one = medians["floor, 1 thread"]
        many = medians[f"floor, {FLOOR_THREADS} threads"]
        for label, cmd, e, first in commands:
            m = medians[label]
            line = (f"{name}, {cache}: {label:<22} {m * 1000:8.1f} ms   "
                    f"x{m / one:5.2f} floor 1   x{m / many:5.2f} floor {FLOOR_THREADS}   "
                    f"cpu {statistics.median(cpus[label]) * 1000:7.1f} ms")
            if label.startswith("run"):
                if first:
                    first()
                line += f"   peak {peak_memory(cmd, e):5.1f} MiB"
            print(line, flush=True)
    # The root in the wrong letter case, against the right case, warm.
    wrong = run + [wrong_case(tree)]
    timed(wrong, env)
    right_times, wrong_times = [], []
    for _ in range(RUNS):
        right_times.append(timed(run + [tree], env))
        wrong_times.append(timed(wrong, env))
    r, w = statistics.median(right_times), statistics.median(wrong_times)
    print(f"{name}, warm: run, root in wrong case {w * 1000:8.1f} ms   "
          f"x{w / r:5.2f} the right-case run", flush=True)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = os.path.abspath(sys.argv[1])
    sizes = sys.argv[2:] or ["25000", "100000", "100000png"]
    work = os.environ.get("ZORBELLE_BENCH_DIR") or tempfile.mkdtemp(prefix="zorbelle-bench-")
    try:
        floor = build_floor(work)
        for size in sizes:
            bench(cli, floor, size, work)
    finally:
        if not os.environ.get("ZORBELLE_BENCH_DIR"):
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
