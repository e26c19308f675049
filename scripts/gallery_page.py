#!/usr/bin/env python3
"""The main job's gallery: build/screens/index.html from the pictures the gallery program took
(shots.txt: "name<TAB>caption" per picture, in the order taken) and what was stored
(summary.txt: "section<TAB>name<TAB>value" per value). Prints the same summary in the terminal.

    python3 scripts/gallery_page.py build/screens
"""
import html
import os
import sys


# The pictures' groups, by the first digit of their names.
GROUPS = {
    "0": "The printing preferences",
    "1": "The pictures, switch by switch (the preferences opened again, then cancelled)",
    "2": "The printer's properties",
}


def read_rows(path, fields):
    rows = []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            parts = line.rstrip("\r\n").split("\t")
            if len(parts) == fields:
                rows.append(parts)
    return rows


def sections_of(summary):
    sections = {}
    for section, name, value in summary:
        sections.setdefault(section, []).append((name, value))
    return sections


def page(shots, sections):
    out = [
        "<!DOCTYPE html>",
        '<html lang="en"><head><meta charset="utf-8">',
        "<title>Tarvik Embosser: the printing preferences and the printer's properties</title>",
        "<style>body{font-family:sans-serif;margin:2em;max-width:1400px}"
        "figure{display:inline-block;vertical-align:top;margin:0 1.5em 1.5em 0}"
        "figcaption{max-width:420px;margin-top:.3em}"
        "table{border-collapse:collapse;margin-bottom:1.5em}"
        "td,th{border:1px solid #bbb;padding:.2em .6em;text-align:left}</style>",
        "</head><body>",
        "<h1>Tarvik Embosser: qvembui.dll's pages under Wine</h1>",
        "<p>The printing preferences, opened as an application opens them "
        "(DocumentPropertiesW with DM_IN_PROMPT), and the printer's properties, each with a short "
        "session at the keyboard. Every page and dialog met on the way:</p>",
    ]
    group = None
    for number, (name, caption) in enumerate(shots, 1):
        if GROUPS.get(name[:1]) and name[:1] != group:
            group = name[:1]
            out.append(f"<h2>{html.escape(GROUPS[group])}</h2>")
        text = html.escape(caption)
        out.append(
            f'<figure><img src="{html.escape(name)}.png" alt="{text}">'
            f"<figcaption>{number}. {text}</figcaption></figure>"
        )
    out.append("<h2>What was stored</h2>")
    for section, values in sections.items():
        out.append(f"<h3>{html.escape(section)}</h3><table>")
        out.append("<tr><th>Name</th><th>Value</th></tr>")
        for name, value in values:
            out.append(f"<tr><td>{html.escape(name)}</td><td>{html.escape(value)}</td></tr>")
        out.append("</table>")
    out.append("</body></html>")
    return "\n".join(out) + "\n"


def terminal(sections):
    lines = []
    for section, values in sections.items():
        lines.append(section + ":")
        width = max(len(name) for name, _ in values)
        for name, value in values:
            lines.append(f"  {name.ljust(width)}  {value}")
    return "\n".join(lines)


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    folder = sys.argv[1]
    shots = read_rows(os.path.join(folder, "shots.txt"), 2)
    sections = sections_of(read_rows(os.path.join(folder, "summary.txt"), 3))
    missing = [name for name, _ in shots if not os.path.isfile(os.path.join(folder, name + ".png"))]
    if missing:
        print("pictures missing: " + ", ".join(missing), file=sys.stderr)
        return 1
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as out:
        out.write(page(shots, sections))
    print(terminal(sections))
    return 0


if __name__ == "__main__":
    sys.exit(main())
