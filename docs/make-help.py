#!/usr/bin/env python3
"""Makes the help page tav_help.html from the user sections of README.md, so that the two never
tell different stories. The build runs it:

    make-help.py README.md tav_help.html "1.09 beta"

The sections are the parts of README.md between the marks <!-- help ... --> and <!-- /help -->.
Only the Markdown that the README uses is understood: headings, paragraphs, lists (with indented
continuation lines), tables, fenced code, `code`, **bold**, *italic*, \\-escapes and links.
Pictures are left out and links into the source tree become plain text, so the page needs no other
file; it has no scripts. The page is written with CR LF line ends."""
import html
import re
import sys

START = re.compile(r"^<!-- help\b.*-->\s*$")
END = re.compile(r"^<!-- /help -->\s*$")

STYLE = """
body { font-family: Segoe UI, Tahoma, sans-serif; font-size: 10.5pt; max-width: 52em; margin: 1.5em auto;
       padding: 0 1em; color: #111; line-height: 1.45; }
h1 { font-size: 1.6em; border-bottom: 2px solid #008b8b; padding-bottom: .2em; }
h2 { font-size: 1.3em; margin-top: 1.6em; color: #004f4f; }
h3 { font-size: 1.1em; margin-top: 1.3em; }
table { border-collapse: collapse; margin: .6em 0; }
th, td { border: 1px solid #bbb; padding: .25em .5em; text-align: left; vertical-align: top; }
th { background: #e8f4f4; }
code, pre { font-family: Consolas, Courier New, monospace; background: #f3f3f3; }
pre { padding: .5em .8em; overflow-x: auto; }
nav { background: #f7fbfb; border: 1px solid #cde; padding: .3em 1em; }
nav li.h3 { margin-left: 1.5em; }
"""


def user_sections(lines):
    """The lines between the help marks; an error when the marks are missing or unbalanced."""
    taken, inside, found = [], False, False
    for number, line in enumerate(lines, 1):
        if START.match(line):
            if inside:
                raise SystemExit(f"README.md:{number}: help section opened twice")
            inside = found = True
        elif END.match(line):
            if not inside:
                raise SystemExit(f"README.md:{number}: help section closed but not opened")
            inside = False
            taken.append("")
        elif inside:
            taken.append(line)
    if inside or not found:
        raise SystemExit("README.md: the help sections are not marked as <!-- help --> ... <!-- /help -->")
    return taken


def inline(text):
    """Markdown spans of one block of text to HTML."""
    out, pieces = [], re.split(r"(`[^`]*`)", text)
    for piece in pieces:
        if piece.startswith("`") and piece.endswith("`") and len(piece) >= 2:
            out.append("<code>" + html.escape(piece[1:-1], quote=False) + "</code>")
            continue
        escapes = []

        def keep(match):
            escapes.append(match.group(1))
            return f"\0{len(escapes) - 1}\0"

        piece = re.sub(r"\\([\\`*_{}\[\]()#+\-.!|<>])", keep, piece)
        piece = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", piece)  # pictures are other files
        piece = html.escape(piece, quote=False)
        piece = re.sub(r"\[([^\]]+)\]\((https?://[^)\s]+)\)", r'<a href="\2">\1</a>', piece)
        piece = re.sub(r"\[([^\]]+)\]\([^)]*\)", r"\1", piece)  # files of the source tree
        piece = re.sub(r"\*\*(.+?)\*\*", r"<strong>\1</strong>", piece)
        piece = re.sub(r"(?<![\w*])\*(?!\s)(.+?)(?<!\s)\*(?![\w*])", r"<em>\1</em>", piece)
        piece = re.sub(r"\0(\d+)\0", lambda m: html.escape(escapes[int(m.group(1))], quote=False), piece)
        out.append(piece)
    return "".join(out)


def anchor(title, used):
    name = re.sub(r"[^a-z0-9]+", "-", re.sub(r"`", "", title.lower())).strip("-") or "section"
    while name in used:
        name += "-"
    used.add(name)
    return name


def cells(row):
    row = row.strip()
    row = row[1:] if row.startswith("|") else row
    row = row[:-1] if row.endswith("|") and not row.endswith("\\|") else row
    return [c.strip() for c in re.split(r"(?<!\\)\|", row)]


LIST_ITEM = re.compile(r"^(\s*)([-*]|\d+\.)\s+(.*)$")


def blocks_to_html(lines, headings):
    """The body of the page; `headings` collects (level, anchor, title) for the contents."""
    out, i, used = [], 0, set()
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
        elif line.startswith("```"):
            code = []
            i += 1
            while i < len(lines) and not lines[i].startswith("```"):
                code.append(lines[i])
                i += 1
            i += 1
            out.append("<pre><code>" + html.escape("\n".join(code), quote=False) + "</code></pre>")
        elif re.match(r"^#{1,4} ", line):
            level = len(line) - len(line.lstrip("#"))
            title = line[level:].strip()
            name = anchor(title, used)
            headings.append((level, name, title))
            out.append(f'<h{level} id="{name}">{inline(title)}</h{level}>')
            i += 1
        elif line.lstrip().startswith("|"):
            rows = []
            while i < len(lines) and lines[i].lstrip().startswith("|"):
                rows.append(cells(lines[i]))
                i += 1
            body = rows[2:] if len(rows) > 1 and all(re.fullmatch(r":?-+:?", c) for c in rows[1]) else rows[1:]
            table = ["<table>", "<tr>" + "".join(f"<th>{inline(c)}</th>" for c in rows[0]) + "</tr>"]
            table += ["<tr>" + "".join(f"<td>{inline(c)}</td>" for c in r) + "</tr>" for r in body]
            out.append("\n".join(table + ["</table>"]))
        elif LIST_ITEM.match(line):
            ordered = LIST_ITEM.match(line).group(2)[0].isdigit()
            items = []
            while i < len(lines) and lines[i].strip():
                match = LIST_ITEM.match(lines[i])
                if match and not match.group(1):
                    items.append(match.group(3))
                else:
                    items[-1] += " " + lines[i].strip()
                i += 1
            tag = "ol" if ordered else "ul"
            out.append(f"<{tag}>\n" + "\n".join(f"<li>{inline(t)}</li>" for t in items) + f"\n</{tag}>")
        else:
            para = []
            while i < len(lines) and lines[i].strip() and not re.match(r"^(#{1,4} |```|\s*\||[-*] |\d+\. )", lines[i]):
                para.append(lines[i].strip())
                i += 1
            text = inline(" ".join(para)).strip()
            if text:
                out.append(f"<p>{text}</p>")
    return "\n".join(out)


def page(readme_lines, version):
    headings = []
    body = blocks_to_html(user_sections(readme_lines), headings)
    contents = "\n".join(f'<li class="h{level}"><a href="#{name}">{inline(title)}</a></li>'
                         for level, name, title in headings if level in (2, 3))
    title = f"Delphi Tavrill {html.escape(version)}: Help"
    return "\n".join([
        "<!DOCTYPE html>",
        '<html lang="en">',
        "<head>",
        '<meta charset="utf-8">',
        f"<title>{title}</title>",
        "<style>" + STYLE + "</style>",
        "</head>",
        "<body>",
        f"<h1>{title}</h1>",
        f"<nav><ul>\n{contents}\n</ul></nav>",
        body,
        "</body>",
        "</html>",
        "",
    ])


def main(argv):
    if len(argv) != 4:
        raise SystemExit("usage: make-help.py README.md tav_help.html VERSION")
    with open(argv[1], encoding="utf-8") as f:
        lines = f.read().splitlines()
    text = page(lines, argv[3])
    with open(argv[2], "w", encoding="utf-8", newline="\r\n") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv)
