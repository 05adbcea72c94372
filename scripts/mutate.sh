#!/bin/sh
# How sharp are the unit tests? Plants single-line faults (mutants), one at a time, in the .cpp
# files of the portable core, rebuilds the native unit tests and runs them: a mutant is caught
# when the tests fail. A mutant that does not compile is not counted.
#
#   scripts/mutate.sh [--sample 60] [--seed 1] [--build build/native] [--list]
#
# --list prints the sites the sample is drawn from and stops. Every planted file is put back
# afterwards, also on Ctrl+C; a copy of the file being planted waits in <build>/mutate-backup/
# and is put back at the next start should the script itself be killed.
cd "$(dirname "$0")/.." || exit 1
exec python3 - "$@" <<'EOF'
import argparse, os, random, re, shutil, signal, subprocess, sys, time
from pathlib import Path

CORE = ["src/base", "src/text", "src/blocks", "src/stash", "src/bridge", "src/app"]

# (pattern, replacement): one fault each. The blanks around the binary operators keep templates,
# shifts and includes out, since clang-format sets the operators between blanks.
OPERATORS = [
    (r" < ", " <= "), (r" <= ", " < "), (r" > ", " >= "), (r" >= ", " > "),
    (r" == ", " != "), (r" != ", " == "), (r" && ", " || "), (r" \|\| ", " && "),
    (r" \+ 1\b", " - 1"), (r" - 1\b", " + 1"), (r"\+\+", "--"),
    (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
    (r"(?<=[(\s])!(?=[\w(*])", ""),                   # drop a negation
    (r"\breturn (?!;)[^;]+;", "return {};"),          # replace a returned value
    (r"\bbreak;", ";"), (r"\bcontinue;", ";"),
]


def code_mask(line):
    """The line with string and character literals and any // comment blanked out."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            out.append(" ")
            if c == "\\":
                out.append(" ")
                i += 1
            elif c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def sites(root):
    found = []
    for folder in CORE:
        for path in sorted((root / folder).glob("*.cpp")):
            in_block_comment = False
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                stripped = line.strip()
                if in_block_comment or stripped.startswith("/*"):
                    in_block_comment = "*/" not in stripped
                    continue
                if stripped.startswith(("#", "//", "static_assert", "assert")):
                    continue
                masked = code_mask(line)
                for pattern, replacement in OPERATORS:
                    for m in re.finditer(pattern, masked):
                        found.append((str(path.relative_to(root)), number, m.start(), m.end(), replacement))
    return found


def mutate(text, site):
    _, number, start, end, replacement = site
    lines = text.split("\n")
    line = lines[number - 1]
    lines[number - 1] = line[:start] + replacement + line[end:]
    return "\n".join(lines), line.strip(), lines[number - 1].strip()


def run(cmd, timeout):
    try:
        return subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


def interrupt(*_):
    """SIGTERM ends the run as Ctrl+C does, through the finally that puts the file back."""
    raise KeyboardInterrupt


def main():
    p = argparse.ArgumentParser(description="plant single-line faults in the core and count how many the unit tests catch")
    p.add_argument("--sample", type=int, default=60)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--build", default="build/native")
    p.add_argument("--list", action="store_true")
    args = p.parse_args()

    root = Path.cwd()
    build = root / args.build
    backup = build / "mutate-backup"
    for saved in backup.rglob("*.cpp") if backup.exists() else []:
        shutil.copyfile(saved, root / saved.relative_to(backup))
        print(f"put back {saved.relative_to(backup)} from an interrupted run")
    shutil.rmtree(backup, ignore_errors=True)

    every = sites(root)
    if args.list:
        for s in every:
            print(f"{s[0]}:{s[1]}: {s[4]!r}")
        print(f"{len(every)} sites")
        return 0
    chosen = random.Random(args.seed).sample(every, min(args.sample, len(every)))
    tests = build / "bin/tavrill_unit_tests"
    build_cmd = ["cmake", "--build", str(build), "--target", "tavrill_unit_tests", "-j2"]
    if run(build_cmd, 1800) != 0:
        print("the unmutated tree does not build", file=sys.stderr)
        return 2
    if run([str(tests)], 600) != 0:
        print("the unit tests fail before any fault is planted", file=sys.stderr)
        return 2

    signal.signal(signal.SIGTERM, interrupt)
    caught, survivors, unbuilt = 0, [], 0
    started = time.time()
    try:
        for n, site in enumerate(chosen, 1):
            path = root / site[0]
            original = path.read_text(encoding="utf-8")
            mutant, before, after = mutate(original, site)
            saved = backup / site[0]
            saved.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(path, saved)
            try:
                path.write_text(mutant, encoding="utf-8")
                if run(build_cmd, 600) != 0:
                    verdict = "no build"
                    unbuilt += 1
                else:
                    # A hang or a crash is caught as well as a failed expectation.
                    code = run([str(tests), "--gtest_fail_fast", "--gtest_brief=1"], 120)
                    verdict = "caught" if code != 0 else "SURVIVED"
                    if code != 0:
                        caught += 1
                    else:
                        survivors.append(f"{site[0]}:{site[1]}: {before}  ->  {after}")
            finally:
                path.write_text(original, encoding="utf-8")
                saved.unlink()
            print(f"[{n}/{len(chosen)}] {verdict:8} {site[0]}:{site[1]}: {after}", flush=True)
    except KeyboardInterrupt:
        print("interrupted; every file is back as it was", file=sys.stderr)
    finally:
        shutil.rmtree(backup, ignore_errors=True)

    counted = caught + len(survivors)
    print(f"\nseed {args.seed}, {len(chosen)} mutants of {len(every)} sites, {unbuilt} did not build, "
          f"{int(time.time() - started)} s")
    if survivors:
        print("survivors:\n  " + "\n  ".join(survivors))
    print(f"caught {caught} of {counted}" + (f" ({100 * caught / counted:.0f}%)" if counted else ""))
    return 0


sys.exit(main())
EOF
