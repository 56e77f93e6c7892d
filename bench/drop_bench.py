#!/usr/bin/env python3
"""What the main window adds to packing: one drop of the benchmark corpus on
the real main window (tests' drop_driver.exe, the same code path as a user's
drop) against the archiver called directly through the program's ZipItem
(zipitem.exe), both under Wine in the same run, each the best of --repeat.

    bench/drop_bench.py [--work DIR] [--build DIR] [--repeat N]
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import archiver_bench  # noqa: E402  (the corpus and the Wine helpers)


def win(path):
    return "Z:" + path.replace("/", "\\")


def timed(args, env=None):
    t = time.perf_counter()
    subprocess.run(args, env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.perf_counter() - t


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--work", default="/tmp/tarnel-bench")
    ap.add_argument("--build", default=os.path.join(archiver_bench.TOP, "build"))
    ap.add_argument("--repeat", type=int, default=3)
    args = ap.parse_args()

    wine = archiver_bench.Wine(args.build)
    corpus = archiver_bench.make_corpus(args.work)
    files, size = archiver_bench.tree_size(corpus)
    print("corpus: %d files, %.1f MB" % (files, size / archiver_bench.MB))
    work = os.path.join(args.work, "drop")
    shutil.rmtree(work, ignore_errors=True)
    prog, out = os.path.join(work, "prog"), os.path.join(work, "out")
    os.makedirs(prog)
    os.makedirs(out)
    for f in ("drop_driver.exe", "zipitem.exe", "Hobrin.dll", "zip32j.dll"):
        shutil.copy(os.path.join(wine.bin, f), prog)
    with open(os.path.join(prog, "drop_driver.ini"), "wb") as f:
        f.write(("[Main]\r\nOutputMode=1\r\nSingles=1\r\nOutDir=%s\r\n" % win(out)).encode("cp932"))
    scenario = os.path.join(work, "scenario.txt")
    with open(scenario, "wb") as f:
        f.write(("drop %s\r\n" % win(corpus)).encode("cp932"))
    direct = os.path.join(work, "direct.txt")
    with open(direct, "wb") as f:
        f.write(("%s\n%s\n\n" % (win(corpus), win(os.path.join(out, "direct")))).encode("cp932"))
    env = dict(os.environ, DROP_SCENARIO=win(scenario), DROP_RESULT=win(os.path.join(work, "r.txt")))
    run = [wine.run, wine.prefix]

    subprocess.run(["tar", "cf", "/dev/null", corpus])
    best = {"drop": None, "direct": None}
    for _ in range(args.repeat):
        for name in ("direct", "drop"):
            for leftover in os.listdir(out):
                os.unlink(os.path.join(out, leftover))
            if name == "drop":
                t = timed(run + [os.path.join(prog, "drop_driver.exe")], env)
                archive = os.path.join(out, os.path.basename(corpus) + ".zip")
            else:
                t = timed(run + [os.path.join(prog, "zipitem.exe"), win(direct)])
                archive = os.path.join(out, "direct.zip")
            archiver_bench.seven_zip_test(archive)
            if best[name] is None or t < best[name][0]:
                best[name] = (t, os.path.getsize(archive))
    d, w = best["direct"], best["drop"]
    print("%-34s %8s %12s" % ("", "wall s", "archive MB"))
    print("%-34s %8.2f %12.1f" % ("archiver called directly (ZipItem)", d[0], d[1] / archiver_bench.MB))
    print("%-34s %8.2f %12.1f" % ("drop on the main window", w[0], w[1] / archiver_bench.MB))
    print("window adds %.2f s (%.1f%%)" % (w[0] - d[0], 100.0 * (w[0] - d[0]) / d[0]))
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
