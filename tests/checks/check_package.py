#!/usr/bin/env python3
"""The driver package: its INF, GPD and plug-in configuration file, with each other and with the
plug-in; the exit status is 1 on a fault.

    python3 tests/checks/check_package.py build/tarvik-embosser-driver.zip

What the plug-in reads and writes (media types, paper sources, sides, defaults, where it loads the
sibling libraries from) is read from src/, so that the package cannot
drift away from it unnoticed.
"""

import re
import sys
import zipfile

from product import ROOT, Problems, defines, report, strings

PRINTER_CLASS = {"Signature": '"$Windows NT$"', "Class": "Printer",
                 "ClassGUID": "{4D36E979-E325-11CE-BFC1-08002BE10318}"}
# The standard papers of the GPD language this package uses: their forms, in micrometres.
STANDARD_PAPERS = {"LETTER": ("Letter", 215900, 279400), "LEGAL": ("Legal", 215900, 355600),
                   "EXECUTIVE": ("Executive", 184150, 266700), "A3": ("A3", 297000, 420000),
                   "A4": ("A4", 210000, 297000), "A5": ("A5", 148000, 210000)}
DUPLEX = {"DMDUP_SIMPLEX": "NONE", "DMDUP_VERTICAL": "VERTICAL", "DMDUP_HORIZONTAL": "HORIZONTAL"}
# Where the plug-in loads a library from ("\3\name": the printer driver folder), and the INF's
# destinations for that folder.
FOLDERS = {"\\\\3": ["66000", "11,spool\\drivers\\x64\\3"], "": ["11"]}


def found(pattern, relative):
    """Every match of the pattern in a source file; none is a fault of this check."""
    matches = re.findall(pattern, (ROOT / relative).read_text())
    return matches or sys.exit("%r was not found in %s" % (pattern, relative))


def plugin():
    """The plug-in's side of the agreement, parsed from src/."""
    names, table, context = defines(), strings(), "src/settings/settings_context.cpp"
    media = dict(sum((found(r"constexpr DWORD (kMedia\w+) = (\d+);", header) for header in (
        "src/media/custom_media_types.h", "src/settings/stored_values.h")), []))
    default = dict(found(r'ReadConfigDword\(\w+, TEXT\("(\w+)"\), &context->\w+, (\w+)\)', context))
    size = found(r"kDefaultPaperSize\[2\] = \{(\d+), (\d+)\}",
                 "src/settings/load_corrections.cpp")[0]
    folders = {name.lower(): FOLDERS[folder] for path in sorted((ROOT / "src").rglob("*.cpp"))
               for folder, name in re.findall(r'TEXT\("((?:\\\\3)?)\\\\(qv\w+\.dll)"\)',
                                              path.read_text())}
    module = found(r"LIBRARY (\S+)", "src/resources/qvembui.def")[0].lower()
    return {
        "media": {int(number): table.get(names.get("IDS_MEDIA" + re.sub(
            r"([A-Z])", r"_\1", name[6:]).upper(), 0)) for name, number in media.items()},
        "media types": ({int(n) for n in media.values()}, int(media.get(
            default["MediaType"], default["MediaType"]))),
        "paper sources": (set(found(r"DMBIN_(\w+)", "src/media/paper_page.cpp")),
                          default["PaperSource"].replace("DMBIN_", "")),
        "sides": ({DUPLEX[m] for m in found(r"DMDUP_\w+", "src/pages/layout_page.cpp") +
                   found(r"DMDUP_\w+", "src/settings/load_corrections.cpp")},
                  "NONE" if default["InterPoint"] == "0" else "VERTICAL"),
        "orientation": "PORTRAIT" if default["Orientation"] == "1" else "LANDSCAPE",
        "paper size": tuple(map(int, size)),
        "module": module, "folders": folders, "siblings": set(folders) - {module},
    }


def load_package(path):
    """{path in the package, lower case: the text of an INF, GPD or INI file, else the bytes}."""
    with zipfile.ZipFile(path) as archive:
        return {n.lower(): archive.read(n).decode("utf-8-sig") if n.lower().endswith((
            ".inf", ".gpd", ".ini")) else archive.read(n) for n in archive.namelist()
            if n[-1] != "/"}


def parse_inf(text):
    """{section name: [(key or None, value)]}, comments removed, all but the keys in lower case."""
    sections, current = {}, None
    for raw in text.splitlines():
        line = re.match(r'(?:"[^"]*"|[^";])*', raw)[0].strip()
        key, sep, value = line.partition("=")
        if re.fullmatch(r"\[[^\]]+\]", line):
            current = sections.setdefault(line[1:-1].strip().lower(), [])
        elif line and current is not None:
            current.append((key.strip(), value.strip().lower()) if sep else (None, line.lower()))
    return sections


def inf_problems(sections, package, facts, model):
    need = Problems()

    def get(name, key):
        return [v for k, v in sections.get(name, []) if k and k.lower() == key]

    def lists(name, key):
        return [i.strip() for v in get(name, key) for i in v.split(",") if i.strip()]

    for key, value in PRINTER_CLASS.items():
        need(get("version", key.lower()) == [value.lower()], "[Version] %s is not %s", key, value)
    need(get("version", "provider") and get("version", "driverver"), "no Provider or DriverVer")
    tokens = set(re.findall(r"%(\w+)%", repr(sections).lower()))
    defined = {k.lower() for k, _ in sections.get("strings", []) if k}
    need(tokens <= defined, "[Strings] lacks %s", sorted(tokens - defined))
    installs = {}
    for _, value in sections.get("manufacturer", []):
        base, *decorations = [part.strip() for part in value.split(",")]
        need("ntamd64" in decorations, "the manufacturer %s has no NTamd64 models", base)
        installs.update({k.strip('"'): v.split(",")[0].strip()
                         for k, v in sections.get(base + ".ntamd64", [])})
    need(installs and set(installs) == {model}, "the INF's models %s are not the GPD's "
         "*ModelName %s", sorted(installs), model)

    def copied_by(install):
        names = lists(install, "copyfiles")
        need(all(n[0] == "@" or n in sections for n in names), "[%s] copies a missing list",
             install)
        return [(n[1:], None) for n in names if n[0] == "@"] + [
            (file, n) for n in names for _, file in sections.get(n, [])]

    own = {name for install in installs.values() for name, _ in copied_by(install)}
    for install in installs.values():
        need("ntprint.inf" in get(install, "include") and "unidrv.oem" in lists(install, "needs")
             and {"unidrv_data", "unidrv_bidi_data"} & set(get(install, "datasection")),
             "[%s] does not include NTPRINT.INF, need UNIDRV.OEM and take Unidrv's data", install)
        need(set(get(install, "datafile")) <= own, "[%s]'s data file is not copied", install)
    need(facts["module"] in own and any(n.endswith(".ini") for n in own), "the printer's "
         "installation does not copy the plug-in and its configuration file")
    need(not own & facts["siblings"], "the printer's own installation copies an optional sibling "
         "library: %s", sorted(own & facts["siblings"]))
    sources = {k.lower(): [i.strip() for i in v.split(",")]
               for k, v in sections.get("sourcedisksfiles", []) if k}
    destinations = {k.lower(): v.replace(" ", "") for k, v in sections.get("destinationdirs", [])}
    for install in [name for name in sections if get(name, "copyfiles")]:
        for name, file_list in copied_by(install):
            where = destinations.get(file_list, destinations.get("defaultdestdir"))
            need(where and where in facts["folders"].get(name, [where]), "%s goes to %s, not "
                 "where the plug-in looks for it", name, where)
            need(name in sources, "%s is copied but not in [SourceDisksFiles]", name)
    disks = {k: (v.split(",") + [""] * 4)[3].strip().strip("\\").replace("\\", "/")
             for k, v in sections.get("sourcedisksnames", [])}
    sibling_disks = {sources[name][0] for name in facts["siblings"] if name in sources}
    places = {}
    for name, (disk, *folder) in sources.items():
        need(disk in disks, "%s comes from the undefined disk %s", name, disk)
        places[name] = "/".join(filter(None, (disks.get(disk), (folder or [""])[0].strip("\\"),
                                              name)))
        optional = disk in sibling_disks
        need(not optional or name in facts["siblings"] and "/" in places[name], "%s lies on the "
             "sibling libraries' disk, which must be their own folder", name)
        need(places[name] in package or optional, "%s is named by the INF but not in the package",
             places[name])
    unnamed = {p for p in package if not p.endswith(".inf")} - set(places.values())
    need(not unnamed, "the INF does not name %s of the package", sorted(unnamed))
    return need


def parse_gpd(text):
    """The GPD as nested [keyword, value, children] lists, or the line that breaks its syntax."""
    stack, pending = [[]], None
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.split("*%", 1)[0]
        if line.count('"') % 2:
            return "line %d leaves a quoted string open" % number
        for piece in filter(None, (p.strip() for p in re.findall(r'[{}]|(?:"[^"]*"|[^{}"])+',
                                                                 line))):
            entry = re.fullmatch(r"\*([\w?]+)\s*:\s*(.*)", piece)
            if piece == "{" and pending:
                stack.append(pending[2])
            elif piece == "}" and len(stack) > 1:
                stack.pop()
            elif entry:
                stack[-1].append([entry[1], entry[2], []])
            else:
                return "line %d: %s is out of place" % (number, piece)
            pending = stack[-1][-1] if entry else None
    return "%d brace(s) left open" % (len(stack) - 1) if len(stack) > 1 else stack[0]


def pair(value):
    match = re.fullmatch(r"PAIR\((-?\d+),\s*(-?\d+)\)", value or "")
    return match and (int(match[1]), int(match[2]))


def gpd_problems(text, facts):
    """The problems and the *ModelName."""
    tree = parse_gpd(text)
    if isinstance(tree, str):
        return ["GPD syntax: " + tree], None
    need = Problems()
    root = {k: v for k, v, _ in tree}
    need(text.lstrip("\ufeff").startswith("*GPDSpecVersion:"), "*GPDSpecVersion is not first")
    need(root.get("PrinterType") in ("PAGE", "SERIAL", "TTY") and "ModelName" in root and
         pair(root.get("MasterUnits")), "*PrinterType, *ModelName or *MasterUnits is missing")
    units = pair(root.get("MasterUnits")) or (1, 1)
    features = {}
    for name, children in ((name, children) for k, name, children in tree if k == "Feature"):
        options = {}
        for option, attributes in ((v, a) for k, v, a in children if k == "Option"):
            need(option not in options, "%s has the option %s twice", name, option)
            options[option] = {k: v for k, v, _ in attributes}
        default = next((v for k, v, _ in children if k == "DefaultOption"), None)
        need(name not in features, "the feature %s is there twice", name)
        need(options and default in [None, *options], "%s has no options or lacks its default "
             "option %s", name, default)
        features[name] = (options, default or next(iter(options), None))
    if not {"PaperSize", "Resolution", "InputBin"} <= set(features):
        return need + ["the GPD lacks PaperSize, Resolution or InputBin"], root.get("ModelName")

    papers = {}
    for option, a in features["PaperSize"][0].items():
        name, size = (a.get("Name") or "").strip('"'), pair(a.get("PageDimensions"))
        form, width, height = STANDARD_PAPERS.get(option) or (
            name, *(s * 25400 // u for s, u in zip(size or (0, 0), units)))
        need(option in STANDARD_PAPERS or name and size, "%s lacks *Name or *PageDimensions",
             option)
        need(len(form) <= 31, "the paper name %s is longer than a devmode's 31 characters", form)
        origin, area = pair(a.get("PrintableOrigin")), pair(a.get("PrintableArea"))
        need(origin and area and origin[0] + area[0] <= width * units[0] // 25400 and
             origin[1] + area[1] <= height * units[1] // 25400,
             "the printable area of %s is missing or reaches beyond the paper", option)
        papers[option] = (form.lower(), width // 100 * 100, height // 100 * 100)
    need(papers.get(features["PaperSize"][1], ())[1:] == facts["paper size"],
         "the default paper is not the plug-in's %s um", facts["paper size"])
    for option, a in features["Resolution"][0].items():
        dpi, text_dpi = pair(a.get("DPI")), pair(a.get("TextDPI"))
        need(dpi and text_dpi and not any(t % d or (t // d) & (t // d - 1)
                                          for d, t in zip(dpi, text_dpi)),
             "the resolution %s needs *DPI equal to *TextDPI divided by a power of two", option)

    media, numbers = features.get("MediaType", ({}, None)), {}
    for option, a in media[0].items():
        number = int(a["OptionID"]) if a.get("OptionID", "").isdigit() else None
        need(number is not None and number not in numbers, "%s has no *OptionID or shares it "
             "with another", option)
        numbers[number] = option
        text = facts["media"].get(number)
        need(not text or (a.get("Name") or "").strip('"') == text, "the media type %s is not "
             "named %s as on the Paper/Media page", number, text)
    offered = {"paper sources": features["InputBin"], "sides": features.get("Duplex", ({}, None)),
               "media types": ({int(a.get("OptionID", -1)) for a in media[0].values()},
                               int(media[0].get(media[1], {}).get("OptionID", -1)))}
    for what, (options, default) in offered.items():
        need((set(options), default) == facts[what], "the %s %s (default %s) are not the "
             "plug-in's %s (default %s)", what, sorted(options), default, sorted(facts[what][0]),
             facts[what][1])
    need((features.get("Orientation", ({}, ""))[1] or "").startswith(facts["orientation"]),
         "the default orientation is not the plug-in's %s", facts["orientation"])
    return need, root.get("ModelName", "").strip('"')


def ini_problems(name, text, facts):
    """The plug-in configuration file: [OEMFiles], then OEMConfigFileN=file and OEMDriverFileN=file
    numbered from 1, one of them the plug-in."""
    lines = [line.rstrip() for line in text.splitlines() if line.strip()[:1] not in ("", "#")]
    entries = [re.fullmatch(r"OEM(Config|Driver)File(\d+)=([^\s\\/:]+)", line) for line in lines]
    need = Problems()
    need(lines[:1] == ["[OEMFiles]"] and all(entries[1:]), "%s is not its one section [OEMFiles] "
         "of OEMConfigFileN=file and OEMDriverFileN=file lines", name)
    for kind in ("Config", "Driver"):
        numbers = sorted(int(e[2]) for e in entries if e and e[1] == kind)
        need(numbers == list(range(1, len(numbers) + 1)), "%s: the OEM%sFile entries are not "
             "numbered 1, 2, ...", name, kind)
    need(facts["module"] in [e[3].lower() for e in entries if e and e[1] == "Config"],
         "%s does not name %s as the user-interface plug-in", name, facts["module"])
    return need


def package_problems(package, facts):
    infs = [p for p in package if p.endswith(".inf") and "/" not in p]
    if len(infs) != 1:
        return ["the package holds %d INF files at its top, not one" % len(infs)]
    sections = parse_inf(package[infs[0]])
    gpds = {v for s in sections.values() for k, v in s if k and k.lower() == "datafile"}
    if len(gpds) != 1 or not gpds <= set(package):
        return ["the INF's data files %s are not one file of the package" % sorted(gpds)]
    out, model = gpd_problems(package[gpds.pop()], facts)
    out += inf_problems(sections, package, facts, model)
    for ini in (n for n in package if n.endswith(".ini")):
        out += ini_problems(ini, package[ini], facts)
    return list(dict.fromkeys(out))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(report(sys.argv[1], package_problems(load_package(sys.argv[1]), plugin())))
