#!/usr/bin/env python3
"""Checks the Windows driver package of the Tarvik Embosser.

    python3 scripts/check_package.py build/tarvik-embosser-driver.zip   (or a folder)
    python3 scripts/check_package.py --self-test

The package holds an INF that installs the printer with the system's universal printer driver, a
GPD that describes the printer to that driver, the plug-in configuration file naming qvembui.dll,
the DLL itself and, optionally, our stand-ins for the sibling libraries under standins/. The
check reads what the plug-in itself reads and writes (media type numbers, paper sources, sides,
the papers its queries expect, where it looks for the sibling libraries) from its sources, so the
package and the plug-in cannot drift apart unnoticed.

--self-test plants one fault at a time into a copy of package/ and sees each check report it.
"""

import pathlib
import re
import sys
import unittest
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = ROOT / "src"
PRINTER_CLASS_GUID = "{4D36E979-E325-11CE-BFC1-08002BE10318}"
# The devmode's form name holds 31 characters and its terminator.
FORM_NAME_CHARS = 31
MICROMETRES_PER_INCH = 25400
# The standard paper names of the GPD language that this package uses, by their DMPAPER number.
STANDARD_PAPERS = {"LETTER": 1, "LEGAL": 5, "EXECUTIVE": 7, "A3": 8, "A4": 9, "A5": 11}
DUPLEX_OPTIONS = {"DMDUP_SIMPLEX": "NONE", "DMDUP_VERTICAL": "VERTICAL",
                  "DMDUP_HORIZONTAL": "HORIZONTAL"}


# --- What the plug-in reads and writes, from its sources ------------------------------------

def read(relative):
    return (ROOT / relative).read_text(encoding="utf-8")


def config_default(text, value_name):
    match = re.search(r'ReadConfigDword\(\w+, TEXT\("%s"\), &context->\w+, (\w+)\)'
                      % value_name, text)
    if not match:
        sys.exit("the plug-in's default of \"%s\" was not found" % value_name)
    return match.group(1)


def plugin_facts():
    """The plug-in's side of the agreement, parsed from src/."""
    facts = {}
    media = {}
    for header in ("src/media/custom_media_types.h", "src/settings/printer_data_store.h"):
        for name, number in re.findall(r"constexpr DWORD (kMedia\w+) = (\d+);", read(header)):
            media[name] = int(number)
    ids = dict(re.findall(r"#define (IDS_\w+) (\d+)", read("src/resources/resource.h")))
    strings = dict(re.findall(r'^\s*(IDS_\w+)\s+"((?:[^"]|"")*)"', read("src/resources/strings.rc"),
                              re.M))
    facts["media"] = {}
    for name, number in media.items():
        words = re.findall(r"[A-Z][a-z0-9]*", name[len("kMedia"):])
        text_id = "IDS_MEDIA_" + "_".join(w.upper() for w in words)
        facts["media"][number] = strings.get(text_id) if text_id in ids else None

    context = read("src/settings/settings_context.cpp")
    media_default = config_default(context, "MediaType")
    facts["media_default"] = int(media_default) if media_default.isdigit() \
        else media[media_default]
    facts["bins"] = set(re.findall(r"DMBIN_(\w+)", read("src/media/paper_page.cpp")))
    facts["bin_default"] = config_default(context, "PaperSource").replace("DMBIN_", "")
    facts["duplex"] = {DUPLEX_OPTIONS[m] for m in
                       re.findall(r"DMDUP_\w+", read("src/pages/layout_page.cpp") + context)}
    facts["duplex_default"] = "NONE" if config_default(context, "InterPoint") == "0" else "VERTICAL"
    facts["orientation_default"] = ("PORTRAIT" if config_default(context, "Orientation") == "1"
                                    else "LANDSCAPE")
    size = re.search(r"kDefaultPaperSize\[2\] = \{(\d+), (\d+)\}", context)
    facts["default_paper_size"] = (int(size.group(1)), int(size.group(2)))
    facts["fallback_form"] = re.search(r'kFallbackFormName\[\] = TEXT\("([^"]+)"\)',
                                       read("src/media/form_queries.cpp")).group(1)
    facts["module"] = re.search(r"LIBRARY (\S+)", read("src/resources/qvembui.def")).group(1)
    # Where the plug-in finds itself and its sibling libraries: "\3\name" lies in the printer
    # driver folder, "\name" in the system's.
    facts["folders"] = {}
    for path in sorted(SOURCES.rglob("*.cpp")):
        for folder, name in re.findall(r'TEXT\("((?:\\\\3)?)\\\\(qv\w+\.dll)"\)', path.read_text()):
            facts["folders"][name.lower()] = "driver" if folder else "system"
    facts["siblings"] = set(facts["folders"]) - {facts["module"].lower()}
    forms = re.findall(r'\{(\d+), u"([^"]+)", (\d+), (\d+)\}',
                       read("winsim/src/winspool_forms.cpp"))
    facts["forms"] = {int(n): (name, int(w), int(h)) for n, name, w, h in forms}
    return facts


# --- The package ----------------------------------------------------------------------------

def load_package(path):
    """{relative path as in the package, lower case: bytes}."""
    path = pathlib.Path(path)
    if path.is_dir():
        return {str(p.relative_to(path)).replace("\\", "/").lower(): p.read_bytes()
                for p in path.rglob("*") if p.is_file()}
    with zipfile.ZipFile(path) as archive:
        return {name.lower(): archive.read(name) for name in archive.namelist()
                if not name.endswith("/")}


def text_of(data):
    if data.startswith(b"\xff\xfe"):
        return data[2:].decode("utf-16-le")
    return data.decode("utf-8-sig")


# --- INF --------------------------------------------------------------------------------------

def parse_inf(text):
    """{section name, lower case: [(key or None, value)]}, comments removed."""
    sections, current = {}, None
    for raw in text.splitlines():
        line, quoted = "", False
        for ch in raw:
            if ch == '"':
                quoted = not quoted
            elif ch == ";" and not quoted:
                break
            line += ch
        line = line.strip()
        if not line:
            continue
        match = re.fullmatch(r"\[([^\]]+)\]", line)
        if match:
            current = sections.setdefault(match.group(1).strip().lower(), [])
        elif current is not None:
            key, sep, value = line.partition("=")
            current.append((key.strip(), value.strip()) if sep else (None, line))
    return sections


def inf_values(section, key):
    return [v for k, v in section if k and k.lower() == key.lower()]


def split_list(value):
    return [item.strip() for item in value.split(",") if item.strip()]


def check_inf(sections, package, facts, gpd_model):
    problems = []
    version = sections.get("version", [])
    expected = {"Signature": '"$Windows NT$"', "Class": "Printer", "ClassGUID": PRINTER_CLASS_GUID}
    for key, value in expected.items():
        if [v.lower() for v in inf_values(version, key)] != [value.lower()]:
            problems.append("[Version] %s is not %s" % (key, value))
    for key in ("Provider", "DriverVer"):
        if not inf_values(version, key):
            problems.append("[Version] lacks %s" % key)
    strings = {k.lower(): v.strip('"') for k, v in sections.get("strings", []) if k}
    for name, entries in sections.items():
        for key, value in entries:
            for token in re.findall(r"%(\w+)%", (key or "") + "=" + value):
                if token.lower() not in strings:
                    problems.append("[%s] uses %%%s%%, which [Strings] lacks" % (name, token))

    models = []
    for _, value in sections.get("manufacturer", []):
        base, *decorations = split_list(value)
        if "ntamd64" not in [d.lower() for d in decorations]:
            problems.append("the manufacturer %s has no NTamd64 models" % base)
        models += sections.get((base + ".NTamd64").lower(), [])
    if not models:
        problems.append("no printer model for 64-bit Windows")

    installs = {}
    for name, value in models:
        model = name.strip('"')
        install = split_list(value)[0].lower()
        installs[model] = install
        if model != gpd_model:
            problems.append("the INF's model \"%s\" is not the GPD's *ModelName \"%s\""
                            % (model, gpd_model))
        section = sections.get(install)
        if section is None:
            problems.append("the model \"%s\" installs the missing section [%s]" % (model, install))
            continue
        if "ntprint.inf" not in [v.lower() for v in inf_values(section, "Include")]:
            problems.append("[%s] does not include NTPRINT.INF" % install)
        needs = [n.lower() for v in inf_values(section, "Needs") for n in split_list(v)]
        if "unidrv.oem" not in needs:
            problems.append("[%s] does not need UNIDRV.OEM, the core driver" % install)
        if not {v.upper() for v in inf_values(section, "DataSection")} & {"UNIDRV_DATA",
                                                                            "UNIDRV_BIDI_DATA"}:
            problems.append("[%s] takes no Unidrv data section" % install)

    # Every file the install sections copy, and the disk it comes from.
    disks = {}
    for name in ("sourcedisksnames.amd64", "sourcedisksnames"):
        for key, value in sections.get(name, []):
            fields = value.split(",") + ["", "", "", ""]
            disks.setdefault(key, fields[3].strip().strip("\\").replace("\\", "/").lower())
    source_files = {}
    for key, value in sections.get("sourcedisksfiles", []):
        if not key or not split_list(value):
            problems.append("[SourceDisksFiles] names no disk for %s" % (key or value))
        else:
            source_files[key.lower()] = split_list(value)
    destinations = {k.lower(): v for k, v in sections.get("destinationdirs", []) if k}

    def copied_by(install):
        files = []
        for value in inf_values(sections.get(install, []), "CopyFiles"):
            for item in split_list(value):
                if item.startswith("@"):
                    files.append((item[1:].lower(), None))
                elif item.lower() in sections:
                    files += [(line.lower(), item.lower()) for _, line in sections[item.lower()]]
                else:
                    problems.append("[%s] copies the missing file list [%s]" % (install, item))
        return files

    sibling_disks = {source_files[name][0] for name in facts["siblings"] if name in source_files}
    model_files = {name for install in installs.values() for name, _ in copied_by(install)}
    for name in sorted(model_files & facts["siblings"]):
        problems.append("the printer's own installation copies the sibling library %s, which is "
                        "optional" % name)
    if facts["module"].lower() not in model_files:
        problems.append("the printer's installation does not copy %s" % facts["module"])
    for install in installs.values():
        for data_file in inf_values(sections.get(install, []), "DataFile"):
            if data_file.lower() not in model_files:
                problems.append("the data file %s is not copied" % data_file)
    inis = sorted(n for n in model_files if n.endswith(".ini"))
    if not inis:
        problems.append("the printer's installation copies no plug-in configuration file")

    # Every install section's files: their destinations, and the disks they come from.
    copied = set()
    for install in [name for name, entries in sections.items() if inf_values(entries, "CopyFiles")]:
        for file_name, file_list in copied_by(install):
            copied.add(file_name)
            actual = destinations.get(file_list, destinations.get("defaultdestdir"))
            if actual is None:
                problems.append("the file list [%s] has no destination" % file_list)
            elif file_name in facts["folders"]:
                # The printer driver folder is DIRID 66000 for the driver's own files.
                folder = facts["folders"][file_name]
                expected = {"driver": ["66000", "11,spool\\drivers\\x64\\3"],
                            "system": ["11"]}[folder]
                if actual.replace(" ", "").lower() not in expected:
                    problems.append("%s goes to %s, but the plug-in looks for it in the %s folder"
                                    % (file_name, actual, folder))
    for file_name in sorted(copied - source_files.keys()):
        problems.append("%s is copied but not in [SourceDisksFiles]" % file_name)

    def place(file_name):
        """The file's path in the package, or None when its disk is not defined."""
        disk, *subdir = source_files[file_name]
        if disk not in disks:
            return None
        return "/".join(p for p in (disks[disk], (subdir or [""])[0].strip("\\"), file_name) if p)

    for file_name, (disk, *_) in sorted(source_files.items()):
        where = place(file_name)
        if where is None:
            problems.append("%s comes from the undefined disk %s" % (file_name, disk))
            continue
        optional = disk in sibling_disks
        if optional and file_name not in facts["siblings"]:
            problems.append("%s shares the sibling libraries' disk, so it could go missing"
                            % file_name)
        if optional and "/" not in where:
            problems.append("the sibling libraries' disk is the package's own folder")
        if where not in package and not (optional and file_name in facts["siblings"]):
            problems.append("%s is named by the INF but missing from the package" % where)
    named = {place(name) for name in source_files}
    for path in sorted(package):
        if not path.endswith(".inf") and path not in named:
            problems.append("%s is in the package but the INF does not name it" % path)
    return problems, inis


# --- GPD --------------------------------------------------------------------------------------

class GpdError(Exception):
    pass


def tokenize_gpd(text):
    """Entries ("*Keyword", value) and braces, comments removed; braces inside quotes are text."""
    tokens, depth = [], 0
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.split("*%", 1)[0]
        entry, quoted = "", False
        for ch in line:
            if ch == '"':
                quoted = not quoted
            if ch in "{}" and not quoted:
                if entry.strip():
                    tokens.append(("entry", entry.strip(), number))
                entry = ""
                depth += 1 if ch == "{" else -1
                if depth < 0:
                    raise GpdError("line %d closes a brace that was never opened" % number)
                tokens.append((ch, ch, number))
            else:
                entry += ch
        if quoted:
            raise GpdError("line %d leaves a quoted string open" % number)
        if entry.strip():
            tokens.append(("entry", entry.strip(), number))
    if depth:
        raise GpdError("%d brace(s) left open at the end" % depth)
    return tokens


def parse_gpd(text):
    """A tree of (keyword, value, line, children) for the whole file."""
    tokens = tokenize_gpd(text)
    position = 0

    def block():
        nonlocal position
        nodes = []
        while position < len(tokens):
            kind, value, line = tokens[position]
            if kind == "}":
                position += 1
                return nodes
            if kind == "{":
                raise GpdError("line %d opens a block that belongs to no entry" % line)
            match = re.fullmatch(r"\*([\w?]+)\s*:\s*(.*)", value)
            if not match:
                raise GpdError("line %d is not an entry: %s" % (line, value))
            position += 1
            children = []
            if position < len(tokens) and tokens[position][0] == "{":
                position += 1
                children = block()
            nodes.append((match.group(1), match.group(2).strip(), line, children))
        return nodes

    return block()


def attribute(children, keyword):
    values = [v for k, v, _, _ in children if k == keyword]
    return values[0] if values else None


def pair(value):
    match = re.fullmatch(r"PAIR\((-?\d+),\s*(-?\d+)\)", value or "")
    return (int(match.group(1)), int(match.group(2))) if match else None


def check_gpd(text, facts):
    problems = []
    first = text.lstrip("\ufeff").splitlines()[0] if text.strip() else ""
    if not first.startswith("*GPDSpecVersion:"):
        problems.append("*GPDSpecVersion is not the file's first entry")
    try:
        tree = parse_gpd(text)
    except GpdError as error:
        return problems + ["GPD syntax: %s" % error], None
    root = {k: v for k, v, _, _ in tree if k not in ("Feature", "Command")}
    for key in ("ModelName", "MasterUnits", "PrinterType"):
        if key not in root:
            problems.append("the GPD lacks *%s" % key)
    if root.get("PrinterType") not in ("PAGE", "SERIAL", "TTY"):
        problems.append("*PrinterType is not PAGE, SERIAL or TTY")
    units = pair(root.get("MasterUnits"))
    model = (root.get("ModelName") or "").strip('"')

    features = {}
    for keyword, name, line, children in tree:
        if keyword != "Feature":
            continue
        if name in features:
            problems.append("the feature %s is defined twice" % name)
        options = {}
        for k, option, option_line, option_children in children:
            if k == "Option":
                if option in options:
                    problems.append("%s has the option %s twice" % (name, option))
                options[option] = dict((a, v) for a, v, _, _ in option_children)
        default = attribute(children, "DefaultOption")
        if not options:
            problems.append("the feature %s has no options" % name)
        elif default is not None and default not in options:
            problems.append("the default option %s of %s does not exist" % (default, name))
        features[name] = (options, default or next(iter(options), None))
    for required in ("PaperSize", "Resolution", "InputBin"):
        if required not in features:
            problems.append("the GPD lacks the %s feature" % required)
            return problems, model

    # Papers: sizes in micrometres, printable areas inside the paper.
    papers = {}
    for option, attributes in features["PaperSize"][0].items():
        if option in STANDARD_PAPERS:
            form, width, height = facts["forms"][STANDARD_PAPERS[option]]
        else:
            name = (attributes.get("Name") or "").strip('"')
            dimensions = pair(attributes.get("PageDimensions"))
            if not name or not dimensions or not units:
                problems.append("the paper %s needs a *Name and *PageDimensions" % option)
                continue
            if len(name) > FORM_NAME_CHARS:
                problems.append("the paper name \"%s\" is longer than a devmode's %d characters"
                                % (name, FORM_NAME_CHARS))
            form = name
            width = dimensions[0] * MICROMETRES_PER_INCH // units[0]
            height = dimensions[1] * MICROMETRES_PER_INCH // units[1]
        papers[option] = (form, width, height)
        origin = pair(attributes.get("PrintableOrigin"))
        area = pair(attributes.get("PrintableArea"))
        if not origin or not area:
            problems.append("the paper %s lacks *PrintableOrigin or *PrintableArea" % option)
        elif units and (origin[0] + area[0] > width * units[0] // MICROMETRES_PER_INCH or
                        origin[1] + area[1] > height * units[1] // MICROMETRES_PER_INCH):
            problems.append("the printable area of %s reaches beyond the paper" % option)
    rounded = {option: (w // 100 * 100, h // 100 * 100) for option, (_, w, h) in papers.items()}
    default_paper = features["PaperSize"][1]
    if rounded.get(default_paper) != facts["default_paper_size"]:
        problems.append("the default paper %s is not the plug-in's default paper size %s um"
                        % (default_paper, "x".join(map(str, facts["default_paper_size"]))))
    if facts["fallback_form"].lower() not in {f.lower() for f, _, _ in papers.values()}:
        problems.append("no paper is \"%s\", the form the plug-in falls back to"
                        % facts["fallback_form"])

    for option, attributes in features["Resolution"][0].items():
        dpi, text_dpi = pair(attributes.get("DPI")), pair(attributes.get("TextDPI"))
        if not dpi or not text_dpi or any(t % d or (t // d) & (t // d - 1)
                                          for d, t in zip(dpi, text_dpi)):
            problems.append("the resolution %s needs *DPI equal to *TextDPI divided by a power "
                            "of two" % option)

    # The plug-in's values, one for one.
    bins, bin_default = features["InputBin"]
    if set(bins) != facts["bins"]:
        problems.append("the paper sources %s are not the plug-in's %s"
                        % (sorted(bins), sorted(facts["bins"])))
    if bin_default != facts["bin_default"]:
        problems.append("the default paper source %s is not the plug-in's %s"
                        % (bin_default, facts["bin_default"]))
    duplex, duplex_default = features.get("Duplex", ({}, None))
    if set(duplex) != facts["duplex"]:
        problems.append("the sides %s are not the plug-in's %s"
                        % (sorted(duplex), sorted(facts["duplex"])))
    if duplex_default != facts["duplex_default"]:
        problems.append("the default sides %s are not the plug-in's %s"
                        % (duplex_default, facts["duplex_default"]))
    orientation_default = features.get("Orientation", ({}, None))[1] or ""
    if not orientation_default.startswith(facts["orientation_default"]):
        problems.append("the default orientation %s is not the plug-in's %s"
                        % (orientation_default, facts["orientation_default"]))

    media, media_default = features.get("MediaType", ({}, None))
    numbers = {}
    for option, attributes in media.items():
        number = attributes.get("OptionID")
        if not (number or "").isdigit():
            problems.append("the media type %s has no *OptionID the plug-in could store" % option)
            continue
        if int(number) in numbers:
            problems.append("the media types %s and %s share the number %s"
                            % (numbers[int(number)], option, number))
        numbers[int(number)] = option
        text = facts["media"].get(int(number))
        if text and (attributes.get("Name") or "").strip('"') != text:
            problems.append("the media type %s is not named \"%s\" as on the Paper/Media page"
                            % (number, text))
    if set(numbers) != set(facts["media"]):
        problems.append("the media type numbers %s are not the plug-in's %s"
                        % (sorted(numbers), sorted(facts["media"])))
    if media_default and media.get(media_default, {}).get("OptionID") != \
            str(facts["media_default"]):
        problems.append("the default media type %s is not the plug-in's %d"
                        % (media_default, facts["media_default"]))
    return problems, model


# --- The plug-in configuration file -----------------------------------------------------------

def check_ini(name, text, facts):
    problems, section, entries = [], None, {}
    for raw in text.splitlines():
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        match = re.fullmatch(r"\[(.+)\]", line)
        if match:
            section = match.group(1)
            continue
        if section != "OEMFiles":
            problems.append("%s: \"%s\" lies outside [OEMFiles]" % (name, line))
            continue
        key, sep, value = raw.rstrip().partition("=")
        if not sep or key != key.strip() or value != value.strip() or key.startswith(" "):
            problems.append("%s: \"%s\" must be KEY=VALUE without spaces around '='"
                            % (name, raw.strip()))
        if re.search(r"[\\/:]", value):
            problems.append("%s: %s names a path, not a file" % (name, key.strip()))
        entries[key.strip()] = value.strip()
    for kind in ("OEMConfigFile", "OEMDriverFile"):
        numbers = sorted(int(k[len(kind):]) for k in entries if re.fullmatch(kind + r"\d+", k))
        if numbers != list(range(1, len(numbers) + 1)):
            problems.append("%s: the %s entries are not numbered 1, 2, ... %s"
                            % (name, kind, numbers))
    unknown = [k for k in entries if not re.fullmatch(r"OEM(Config|Driver)File\d+", k)]
    if unknown:
        problems.append("%s: unknown entries %s" % (name, unknown))
    if facts["module"].lower() not in [v.lower() for k, v in entries.items()
                                       if k.startswith("OEMConfigFile")]:
        problems.append("%s does not name %s as the user-interface plug-in"
                        % (name, facts["module"]))
    return problems


# --- The whole package ------------------------------------------------------------------------

def check_package(package, facts):
    infs = [p for p in package if p.endswith(".inf") and "/" not in p]
    if len(infs) != 1:
        return ["the package holds %d INF files at its top, not one" % len(infs)]
    sections = parse_inf(text_of(package[infs[0]]))
    gpds = [v.lower() for s in sections.values() for v in inf_values(s, "DataFile")]
    if len(set(gpds)) != 1 or gpds[0] not in package:
        return ["the INF's data file %s is not in the package" % (gpds or ["(none)"])[0]]
    problems, model = check_gpd(text_of(package[gpds[0]]), facts)
    inf_problems, inis = check_inf(sections, package, facts, model)
    problems += inf_problems
    for ini in inis:
        if ini in package:
            problems += check_ini(ini, text_of(package[ini]), facts)
    return list(dict.fromkeys(problems))


def main(argv):
    if argv[1:] == ["--self-test"]:
        unittest.main(argv=[argv[0]], verbosity=1)
    if len(argv) != 2:
        sys.exit(__doc__)
    problems = check_package(load_package(argv[1]), plugin_facts())
    for problem in problems:
        print("package: " + problem, file=sys.stderr)
    if problems:
        sys.exit(1)
    print("== %s: INF, GPD and plug-in configuration agree with each other and with the plug-in"
          % argv[1])


# --- Planted faults ---------------------------------------------------------------------------

class PlantedFaults(unittest.TestCase):
    """Each check reports the fault planted for it; the package as written has none."""

    @classmethod
    def setUpClass(cls):
        cls.facts = plugin_facts()
        cls.clean = load_package(ROOT / "package")
        cls.clean["qvembui.dll"] = b"MZ"

    def problems_with(self, name, old, new, count=1):
        package = dict(self.clean)
        text = text_of(package[name])
        self.assertEqual(count, text.count(old), old)
        package[name] = text.replace(old, new).encode()
        return check_package(package, self.facts)

    def assertReported(self, fragment, problems):
        self.assertTrue(any(fragment in p for p in problems), "%r not in %r" % (fragment, problems))

    def test_the_package_as_written_passes(self):
        self.assertEqual([], check_package(self.clean, self.facts))
        with_siblings = dict(self.clean)
        for name in self.facts["siblings"]:
            with_siblings["standins/" + name] = b"MZ"
        self.assertEqual([], check_package(with_siblings, self.facts))

    def test_inf_faults(self):
        cases = [
            ("Include=NTPRINT.INF\n", "", "does not include NTPRINT.INF"),
            ("Needs=UNIDRV.OEM", "Needs=TTFSUB.OEM", "does not need UNIDRV.OEM"),
            ("Class=Printer", "Class=Image", "[Version] Class"),
            ('"Tarvik Embosser"=', '"Tarvik Braille"=', "is not the GPD's *ModelName"),
            ("%Quorvane%=Quorvane,NTamd64", "%Quorvane%=Quorvane", "no NTamd64 models"),
            ("QVEMBUI.DLL=1", "QVEMBUI.DLL=3", "undefined disk 3"),
            ("TARVIK.INI=1\n", "", "tarvik.ini is copied but not in [SourceDisksFiles]"),
            ("CopyFiles=TARVIK_FILES", "CopyFiles=TARVIK_FILES,STANDIN_SYSTEM_FILES",
             "copies the sibling library qvdevapi.dll"),
            ("STANDIN_SYSTEM_FILES=11\n", "STANDIN_SYSTEM_FILES=66000\n",
             "the plug-in looks for it in the system folder"),
            ('Quorvane="Quorvane"', 'Maker="Quorvane"', "[Strings] lacks"),
            ("DefaultDestDir=66000", "DefaultDestDir=11",
             "qvembui.dll goes to 11, but the plug-in looks for it in the driver folder"),
            ("QVMONEXT.DLL=2", "QVMONEXT.DLL=1", "qvembui.dll shares the sibling libraries' disk"),
        ]
        for old, new, fragment in cases:
            with self.subTest(fault=new):
                self.assertReported(fragment, self.problems_with("tarvik.inf", old, new))

    def test_files_missing_or_unnamed(self):
        package = dict(self.clean)
        del package["qvembui.dll"]
        package["notes.txt"] = b""
        problems = check_package(package, self.facts)
        self.assertReported("qvembui.dll is named by the INF but missing", problems)
        self.assertReported("notes.txt is in the package but the INF does not name it", problems)

    def test_gpd_syntax_faults(self):
        cases = [
            ("*Option: TRACTOR\n    {", "*Option: TRACTOR\n    {{", "brace(s) left open"),
            ('    *Name: "Tractor Feed"\n    }', '    *Name: "Tractor Feed"\n    }}',
             "never opened"),
            ("*DefaultOption: FORMSOURCE", "*DefaultOption: CASSETTE", "CASSETTE of InputBin"),
            ("*Option: LEGAL", "*Option: LETTER", "has the option LETTER twice"),
            ('*GPDSpecVersion: "1.0"\n', '*% first\n*GPDSpecVersion: "1.0"\n', "first entry"),
            ("*DPI: PAIR(300, 300)", "*DPI: PAIR(200, 200)", "power of two"),
            ("*PrintableArea: PAIR(6300, 6600)", "*PrintableArea: PAIR(6500, 6600)",
             "beyond the paper"),
            ('*Name: "Braille 11 x 11.5 in"', '*Name: "Tractor braille paper 11 x 11.5 in"',
             "longer than a devmode's 31 characters"),
        ]
        for old, new, fragment in cases:
            with self.subTest(fault=new):
                self.assertReported(fragment, self.problems_with("tarvik.gpd", old, new))

    def test_gpd_disagreeing_with_the_plugin(self):
        cases = [
            ("*OptionID: 269", "*OptionID: 270", "are not the plug-in's"),
            ("*OptionID: 286", "*OptionID: 268", "share the number 268"),
            ('*Name: "Default 3 (Copy Paper)"', '*Name: "Copy Paper"',
             "is not named \"Default 3 (Copy Paper)\""),
            ("*DefaultOption: BRAILLE_PAPER", "*DefaultOption: COPY_PAPER",
             "default media type COPY_PAPER"),
            ("*Option: TRACTOR", "*Option: MANUAL", "paper sources"),
            ("*Option: VERTICAL", "*Option: HORIZONTAL", "sides"),
            ("*DefaultOption: NONE", "*DefaultOption: VERTICAL", "default sides"),
            ("*DefaultOption: A4", "*DefaultOption: LETTER", "default paper LETTER"),
            ("*Option: LETTER", "*Option: EXECUTIVE", "falls back to"),
        ]
        for old, new, fragment in cases:
            with self.subTest(fault=new):
                self.assertReported(fragment, self.problems_with("tarvik.gpd", old, new))

    def test_plugin_values_the_package_lacks(self):
        facts = dict(self.facts, media={**self.facts["media"], 300: None},
                     bins=self.facts["bins"] | {"MANUAL"})
        problems = check_package(self.clean, facts)
        self.assertReported("are not the plug-in's [256, 258", problems)
        self.assertReported("are not the plug-in's ['FORMSOURCE', 'MANUAL'", problems)

    def test_ini_faults(self):
        cases = [
            ("OEMConfigFile1=qvembui.dll", "OEMConfigFile1 = qvembui.dll", "without spaces"),
            ("OEMConfigFile1=qvembui.dll", "OEMConfigFile2=qvembui.dll", "numbered 1, 2"),
            ("OEMConfigFile1=qvembui.dll", "OEMConfigFile1=C:\\qvembui.dll", "names a path"),
            ("OEMConfigFile1=qvembui.dll", "OEMDriverFile1=qvembui.dll", "does not name"),
            ("[OEMFiles]", "[Files]", "outside [OEMFiles]"),
        ]
        for old, new, fragment in cases:
            with self.subTest(fault=new):
                self.assertReported(fragment, self.problems_with("tarvik.ini", old, new))


if __name__ == "__main__":
    main(sys.argv)
