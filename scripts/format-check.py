#!/usr/bin/env python3
"""Checks `tavrill-text format` on Object Pascal files: every file is formatted, the result is
formatted again, and

  1. the result holds the same tokens in the same order as the file, each on the same line, with
     the same line breaks (reserved words may change case; a comment spanning lines may change
     only blanks at the start of its continuation lines and at its line ends);
  2. formatting the result again changes nothing.

The tokens are read by this script's own small lexer, not by the formatter's, so that a fault
the two shared would not hide itself.

  format-check.py --tool build/native/bin/tavrill-text [--sample N] [--jobs N] [--ptop] ROOT...

--sample N checks a fixed spread of N files (every k-th of the sorted list). Exit code 0 all
passed, 1 a file failed, 77 no Pascal files found (ROOT missing), 2 bad arguments.
"""
import argparse
import os
import re
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

RESERVED = set(b"""and array as asm begin case class const constructor destructor dispinterface div do
downto else end except exports file finalization finally for function goto if implementation in
inherited initialization inline interface is label library mod nil not object of or out packed
procedure program property raise record repeat resourcestring set shl shr string then threadvar to
try type unit until uses var while with xor""".split())

LEXEME = re.compile(rb"""
  (?P<ws>[ \t]+)
| (?P<br>\r\n|\r|\n)
| (?P<line>//[^\r\n]*)
| (?P<brace>\{[^}]*\}?)
| (?P<paren>\(\*[\s\S]*?(?:\*\)|\Z))
| (?P<str>'(?:[^'\r\n]|'')*'?)
| (?P<chr>\#(?:\$[0-9A-Fa-f]*|[0-9]*))
| (?P<num>\$[0-9A-Fa-f]+|[0-9]+(?:\.[0-9]+)?(?:[eE][+-]?[0-9]+)?)
| (?P<word>&?[A-Za-z_\x80-\xff][A-Za-z0-9_\x80-\xff]*)
| (?P<sym>:=|<=|>=|<>|><|\.\.|\+=|-=|\*=|/=|\*\*|<<|>>|@@|\(\.|\.\)|[\s\S])
""", re.X)
BREAK = re.compile(rb"\r\n|\r|\n")


def multiline_string_end(text, start):
    """The end of a ''' string of whole lines starting at start, or None."""
    run = 0
    while start + run < len(text) and text[start + run] == 0x27:
        run += 1
    if run < 3 or run % 2 == 0:
        return None
    m = re.compile(rb"[ \t]*(?:\r\n|\r|\n)").match(text, start + run)
    if not m:
        return None
    closing = re.compile(rb"(?:\r\n|\r|\n)[ \t]*" + b"'" * run)
    c = closing.search(text, m.start())
    return c.end() if c else None


def tokens(text):
    """(line, token) pairs and the line breaks, in text order."""
    out, line, pos = [], 0, 0
    if text.startswith(b"\xef\xbb\xbf"):
        out.append((0, b"\xef\xbb\xbf"))
        pos = 3
    n = len(text)
    while pos < n:
        if text[pos] == 0x27:
            end = multiline_string_end(text, pos)
            if end is not None:
                tok = text[pos:end]
                out.append((line, tok))
                line += len(BREAK.findall(tok))
                pos = end
                continue
        m = LEXEME.match(text, pos)
        kind, tok = m.lastgroup, m.group()
        pos = m.end()
        if kind == "ws":
            continue
        if kind == "br":
            line += 1
            continue
        if kind == "word" and tok.lower() in RESERVED:
            tok = tok.lower()
        elif kind == "line":
            tok = tok.rstrip(b" \t")
        elif kind in ("brace", "paren"):
            parts = BREAK.split(tok)
            if len(parts) > 1:
                line_count = len(parts) - 1
                norm = [parts[0].rstrip(b" \t")] + [p.strip(b" \t") for p in parts[1:]]
                out.append((line, b"\n".join(norm)))
                line += line_count
                continue
        out.append((line, tok))
    return out


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i, x, y
    return min(len(a), len(b)), None, None


def check(tool, path, options):
    with open(path, "rb") as f:
        source = f.read()
    once = subprocess.run([tool, "format", *options], input=source, capture_output=True)
    if once.returncode != 0:
        return path, len(source), source.count(b"\n"), f"exit code {once.returncode}: {once.stderr[:200]!r}"
    twice = subprocess.run([tool, "format", *options], input=once.stdout, capture_output=True)
    lines = len(BREAK.findall(source)) + 1
    if BREAK.findall(source) != BREAK.findall(once.stdout):
        return path, len(source), lines, "line breaks differ"
    a, b = tokens(source), tokens(once.stdout)
    if a != b:
        i, x, y = first_difference(a, b)
        return path, len(source), lines, f"tokens differ at token {i}: {x!r} became {y!r}"
    if twice.stdout != once.stdout:
        i = next((k for k, (p, q) in enumerate(zip(once.stdout, twice.stdout)) if p != q),
                 min(len(once.stdout), len(twice.stdout)))
        line = once.stdout[:i].count(b"\n") + 1
        return path, len(source), lines, f"not idempotent: second pass differs on line {line}"
    return path, len(source), lines, None


def pascal_files(roots):
    found = []
    for root in roots:
        for folder, _, names in os.walk(root):
            for name in names:
                if name.lower().endswith((".pas", ".pp", ".inc", ".lpr", ".dpr", ".p")):
                    found.append(os.path.join(folder, name))
    return sorted(found)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tool", required=True)
    parser.add_argument("--sample", type=int, default=0)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--style", default="", help="extra options for the format verb, blank separated")
    parser.add_argument("roots", nargs="+")
    args = parser.parse_args()
    files = pascal_files(args.roots)
    if not files:
        print("no Pascal files under " + " ".join(args.roots) + ": skipped")
        return 77
    if args.sample and args.sample < len(files):
        step = len(files) / args.sample
        files = [files[int(i * step)] for i in range(args.sample)]
    options = args.style.split()
    started = time.time()
    failures, total_bytes, total_lines = [], 0, 0
    with ThreadPoolExecutor(max_workers=args.jobs) as pool:
        for path, size, lines, problem in pool.map(lambda p: check(args.tool, p, options), files):
            total_bytes += size
            total_lines += lines
            if problem:
                failures.append((path, problem))
                print(f"FAIL {path}: {problem}", flush=True)
    print(f"{len(files)} files, {total_lines} lines, {total_bytes} bytes: {len(failures)} failed "
          f"({time.time() - started:.1f} s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
