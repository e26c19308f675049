#!/usr/bin/env python3
"""The main job's gallery: build/screens/index.html from the pictures the gallery program took in
each language's folder (<language>/shots.txt: "name<TAB>caption" per picture, in the order taken)
and what each run stored (<language>/summary.txt: "section<TAB>name<TAB>value" per value). Each
picture is shown in every language side by side, with the first language's caption; the stored
values get one column per language. Prints the same summary in the terminal.

    python3 scripts/gallery_page.py build/screens en de
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


LANGUAGE_NAMES = {"en": "English", "de": "German", "en150": "English at 150 %"}


def sections_of(summaries):
    """{section: {name: [value per language]}} from each language's summary rows."""
    sections = {}
    for column, summary in enumerate(summaries):
        for section, name, value in summary:
            values = sections.setdefault(section, {}).setdefault(name, [""] * len(summaries))
            values[column] = value
    return sections


def page(shots, sections, languages):
    names = [LANGUAGE_NAMES.get(language, language) for language in languages]
    out = [
        "<!DOCTYPE html>",
        '<html lang="en"><head><meta charset="utf-8">',
        "<title>Tarvik Embosser: the printing preferences and the printer's properties</title>",
        "<style>body{font-family:sans-serif;margin:2em}"
        ".shot{margin:0 0 2em 0}.shot p{margin:.3em 0}"
        "figure{display:inline-block;vertical-align:top;margin:0 1.5em 0 0}"
        "figcaption{color:#555}"
        "table{border-collapse:collapse;margin-bottom:1.5em}"
        "td,th{border:1px solid #bbb;padding:.2em .6em;text-align:left}</style>",
        "</head><body>",
        "<h1>Tarvik Embosser: qvembui.dll's pages under Wine</h1>",
        "<p>The printing preferences, opened as an application opens them "
        "(DocumentPropertiesW with DM_IN_PROMPT), and the printer's properties, each with a short "
        "session at the keyboard, once for each language the printer was installed in ("
        + html.escape(", ".join(names))
        + "). Every page and dialog met on the way, the languages side by side:</p>",
    ]
    group = None
    for number, (name, caption) in enumerate(shots, 1):
        if GROUPS.get(name[:1]) and name[:1] != group:
            group = name[:1]
            out.append(f"<h2>{html.escape(GROUPS[group])}</h2>")
        text = html.escape(caption)
        out.append(f'<div class="shot"><p>{number}. {text}</p>')
        for language, language_name in zip(languages, names):
            source = html.escape(f"{language}/{name}.png")
            out.append(
                f'<figure><img src="{source}" alt="{text} ({language_name})">'
                f"<figcaption>{language_name}</figcaption></figure>"
            )
        out.append("</div>")
    out.append("<h2>What was stored</h2>")
    for section, values in sections.items():
        out.append(f"<h3>{html.escape(section)}</h3><table>")
        out.append(
            "<tr><th>Name</th>"
            + "".join(f"<th>{html.escape(n)} run</th>" for n in names)
            + "</tr>"
        )
        for name, row in values.items():
            cells = "".join(f"<td>{html.escape(value)}</td>" for value in row)
            out.append(f"<tr><td>{html.escape(name)}</td>{cells}</tr>")
        out.append("</table>")
    out.append("</body></html>")
    return "\n".join(out) + "\n"


def terminal(sections):
    lines = []
    for section, values in sections.items():
        lines.append(section + ":")
        width = max(len(name) for name in values)
        for name, row in values.items():
            shown = row[0] if all(value == row[0] for value in row) else " | ".join(row)
            lines.append(f"  {name.ljust(width)}  {shown}")
    return "\n".join(lines)


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    folder, languages = sys.argv[1], sys.argv[2:]
    shots = read_rows(os.path.join(folder, languages[0], "shots.txt"), 2)
    sections = sections_of(
        [read_rows(os.path.join(folder, language, "summary.txt"), 3) for language in languages]
    )
    missing = [
        f"{language}/{name}.png"
        for language in languages
        for name, _ in shots
        if not os.path.isfile(os.path.join(folder, language, name + ".png"))
    ]
    if not shots or missing:
        print("pictures missing: " + (", ".join(missing) or "all"), file=sys.stderr)
        return 1
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as out:
        out.write(page(shots, sections, languages))
    print(terminal(sections))
    return 0


if __name__ == "__main__":
    sys.exit(main())
