#!/usr/bin/env python3
"""Format selection beside Free Pascal's own formatter, ptop, on the same files in one run.

For every Pascal file under ROOT (default /usr/share/fpcsrc) it runs `ptop FILE OUT` and
`tavrill-text format < FILE`, each as its own process, and sums their wall and processor times.
It then reads ptop's output with the checker's lexer (scripts/format-check.py) and counts the
files where ptop failed (an exit code, a crash, a time-out, no output) or changed the tokens
(other tokens, or the same in another order; ptop may move line breaks, so lines are not
compared, and Pascal ignores the letter case of words, so neither is that). Last, tavrill-text formats all files concatenated into one input, with its peak memory.

    bench/format-vs-ptop.py [tavrill-text, default build/bench/bin/tavrill-text] [ROOT] [--ptop-only]
"""
import importlib.util
import os
import re
import resource
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
checker = importlib.util.spec_from_file_location("check", os.path.join(here, "..", "scripts", "format-check.py"))
check = importlib.util.module_from_spec(checker)
checker.loader.exec_module(check)


WORD = re.compile(rb"&?[A-Za-z_\x80-\xff][A-Za-z0-9_\x80-\xff]*")


def words_folded(text):
    return [t.lower() if WORD.fullmatch(t) else t for _, t in check.tokens(text)]


def children_cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime


def timed(command, **kwargs):
    c0, t0 = children_cpu(), time.perf_counter()
    try:
        result = subprocess.run(command, capture_output=True, timeout=60, **kwargs)
    except subprocess.TimeoutExpired:
        result = None
    return result, time.perf_counter() - t0, children_cpu() - c0


def main():
    tool = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "bench", "bin", "tavrill-text")
    root = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/fpcsrc"
    ptop_only = "--ptop-only" in sys.argv
    files = check.pascal_files([root])
    if not files:
        print(f"no Pascal files under {root}")
        return 77
    wall = {"ptop": 0.0, "ours": 0.0}
    cpu = {"ptop": 0.0, "ours": 0.0}
    ptop_failed, ptop_changed, total = [], [], 0
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "out.pas")
        for path in files:
            with open(path, "rb") as f:
                source = f.read()
            total += len(source)
            if os.path.exists(out):
                os.remove(out)
            result, w, c = timed(["ptop", path, out])
            wall["ptop"] += w
            cpu["ptop"] += c
            formatted = open(out, "rb").read() if os.path.exists(out) else b""
            if result is None or result.returncode != 0 or (source.strip() and not formatted.strip()):
                ptop_failed.append(path)
            elif words_folded(source) != words_folded(formatted):
                ptop_changed.append(path)
            if ptop_only:
                continue
            _, w, c = timed([tool, "format"], input=source)
            wall["ours"] += w
            cpu["ours"] += c
        if ptop_only:
            print(f"ptop failed on {len(ptop_failed)} files and changed the tokens of {len(ptop_changed)} more")
            for p in ptop_failed[:5] + ptop_changed[:5]:
                print("    e.g. " + p)
            return 0
        print(f"{len(files)} files, {total / 1e6:.1f} MB, one process per file")
        for name in ("ptop", "ours"):
            print(f"  {name:5} wall {wall[name]:7.2f} s   processor {cpu[name]:7.2f} s")
        print(f"  tavrill-text faster by {wall['ptop'] / wall['ours']:.1f}x (wall), "
              f"{cpu['ptop'] / cpu['ours']:.1f}x (processor)")
        print(f"  ptop failed on {len(ptop_failed)} files and changed the tokens of {len(ptop_changed)} more")
        for p in ptop_failed[:5] + ptop_changed[:5]:
            print("    e.g. " + p)
        joined = os.path.join(work, "all.pas")
        with open(joined, "wb") as j:
            for path in files:
                with open(path, "rb") as f:
                    j.write(f.read())
        with open(joined, "rb") as stdin, open(os.devnull, "wb") as stdout:
            best = None
            for _ in range(3):
                t0 = time.perf_counter()
                subprocess.run([tool, "format"], stdin=stdin, stdout=stdout, check=True)
                stdin.seek(0)
                best = min(best or 1e9, time.perf_counter() - t0)
            peak = subprocess.run(["/usr/bin/time", "-f", "%M", tool, "format"], stdin=stdin, stdout=stdout,
                                  stderr=subprocess.PIPE, check=True).stderr.decode().strip().splitlines()[-1]
        size = os.path.getsize(joined)
        print(f"all files concatenated ({size / 1e6:.1f} MB) through tavrill-text format: best of 3 {best:.2f} s "
              f"wall, {size / 1e6 / best:.0f} MB/s, peak {int(peak) / 1024:.0f} MiB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
