#!/usr/bin/env python3
"""Checks the generated help page: it stands alone (no scripts, no other files), it has CR LF line
ends, and it names every menu item of the tool bar and every dialog by its caption, so that a
command added without a word in README.md fails here.

    check-help.py tav_help.html src/forms src/app/Commands.cpp"""
import glob
import html
import os
import re
import sys


def words(text):
    """Text as a user reads it: no access-key marks, single blanks."""
    return re.sub(r"\s+", " ", text.replace("&", "")).strip()


def main(page_path, forms, table):
    raw = open(page_path, "rb").read()
    page = raw.decode("utf-8")
    problems = []
    if b"\n" in raw.replace(b"\r\n", b""):
        problems.append("a line ends without CR LF")
    for pattern, what in [(r"<script", "a script"), (r"\bsrc\s*=", "a src= reference"), (r"<link", "a <link>"),
                          (r"url\(", "a url() in the style"), (r"href=\"(?!#|https?://)", "a link to a file")]:
        if re.search(pattern, page, re.I):
            problems.append(f"the page has {what}")
    text = words(html.unescape(re.sub(r"<[^>]+>", " ", page)))

    sources = {p: open(p, encoding="utf-8").read() for p in glob.glob(os.path.join(forms, "*.cpp"))}
    # Every row of the command table: {Menu, submenu, "caption", ...
    rows = open(table, encoding="utf-8").read()
    menu = re.findall(r"\{\s*(?:General|Blocks|Format|Help|Stash),\s*[^,]*,\s*\"([^\"]+)\"", rows)
    menu += re.findall(r"constexpr std::string_view k\w+Menu = \"([^\"]+)\"", rows)
    dialogs = [c for s in sources.values() for c in re.findall(r"caption\s*=\s*\"([^\"]+)\"", s)]
    if len(menu) < 20 or len(dialogs) < 8:
        problems.append(f"found only {len(menu)} menu items and {len(dialogs)} dialog captions in {forms}")
    for caption in menu + dialogs:
        if words(caption) not in text:
            problems.append(f"the page does not mention \"{words(caption)}\"")

    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3]))
