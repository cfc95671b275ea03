#!/usr/bin/env python3
"""Draws the icons of the product bundle from an SVG icon font.

    iconbundle.py FONT.svg NAMES.yml LIST.txt OUT_DIR

Writes OUT_DIR/system/icon/<name>.svg for every name of LIST.txt and
OUT_DIR/zul.qrc, which lists them for rcc. A list line is an icon name as the
widgets ask for it, or "name = glyph" to draw it with another glyph of the
font; a bare name is the glyph of that name, else the font's alias of it, else
(for the widgets' "-t" names) the glyph without the "-t". A name that resolves
to no glyph stops the build: an icon the widgets ask for must not go blank.
"""

import os
import re
import sys
import xml.etree.ElementTree as ET

SVG_NS = "{http://www.w3.org/2000/svg}"
NAME_RE = re.compile(r"^[a-z0-9_]+(?:-[a-z0-9_]+)*$")
# Pixel size the icons load at: QPixmap reads an SVG at its own size, and
# QIcon scales it down, so it is a little above the largest button icon.
PIXELS = 64


def fail(text):
    sys.exit("iconbundle: " + text)


def read_font(path):
    """glyph name -> (advance, path data), plus the em box (ascent, descent)."""
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as error:
        fail("cannot read the icon font %s: %s" % (path, error))
    font = root.find(".//%sfont" % SVG_NS)
    face = root.find(".//%sfont-face" % SVG_NS)
    if font is None or face is None:
        fail("%s holds no SVG font" % path)
    default_advance = float(font.get("horiz-adv-x", "0"))
    ascent = float(face.get("ascent", "0"))
    descent = float(face.get("descent", "0"))
    glyphs = {}
    for glyph in font.iter("%sglyph" % SVG_NS):
        name = glyph.get("glyph-name")
        data = glyph.get("d")
        if name and data:
            glyphs[name] = (float(glyph.get("horiz-adv-x", default_advance)), data)
    return glyphs, ascent, descent


def read_aliases(path):
    """alias -> glyph name, from the font's icon list (YAML, read line by line)."""
    aliases = {}
    current = None
    in_aliases = False
    try:
        lines = open(path, encoding="utf-8").read().splitlines()
    except OSError as error:
        fail("cannot read the icon names %s: %s" % (path, error))
    for line in lines:
        stripped = line.strip()
        if line.startswith("  - name:"):
            current, in_aliases = None, False
        elif stripped.startswith("id:"):
            current = stripped[3:].strip()
        elif stripped == "aliases:":
            in_aliases = True
        elif in_aliases and stripped.startswith("- "):
            if current:
                aliases.setdefault(stripped[2:].strip(), current)
        elif stripped.endswith(":"):
            in_aliases = False
    return aliases


def read_list(path):
    """[(name, glyph or None, line number)] of the bundle's list."""
    entries = []
    seen = {}
    try:
        lines = open(path, encoding="utf-8").read().splitlines()
    except OSError as error:
        fail("cannot read the icon list %s: %s" % (path, error))
    for number, line in enumerate(lines, 1):
        text = line.split("#", 1)[0].strip()
        if not text:
            continue
        name, _, glyph = (part.strip() for part in text.partition("="))
        if not NAME_RE.match(name) or (glyph and not NAME_RE.match(glyph)):
            fail("%s:%d: \"%s\" is no icon name (lower-case letters, digits, \"_\" and \"-\")" % (path, number, text))
        if name in seen:
            fail("%s:%d: \"%s\" is listed twice (first on line %d)" % (path, number, name, seen[name]))
        seen[name] = number
        entries.append((name, glyph or None, number))
    return entries


def resolve(name, glyph, glyphs, aliases):
    candidates = [glyph] if glyph else [name] + ([name[:-2]] if name.endswith("-t") else [])
    for candidate in candidates:
        if candidate in glyphs:
            return candidate
        if aliases.get(candidate) in glyphs:
            return aliases[candidate]
    return None


PATH_TOKEN = re.compile(r"[MmLlHhVvCcSsQqTtAaZz]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?")
PATH_ARGS = {"M": 2, "L": 2, "H": 1, "V": 1, "C": 6, "S": 4, "Q": 4, "T": 2, "A": 7, "Z": 0}


def bounds(data):
    """Box of the path's points (control points included), in font units."""
    xs, ys = [], []
    x = y = start_x = start_y = 0.0
    command = None
    numbers = []

    def flush(cmd, args):
        nonlocal x, y, start_x, start_y
        upper = cmd.upper()
        relative = cmd != upper
        if upper == "H":
            x = args[0] + (x if relative else 0)
        elif upper == "V":
            y = args[0] + (y if relative else 0)
        elif upper == "A":
            x, y = args[5] + (x if relative else 0), args[6] + (y if relative else 0)
        else:
            base_x, base_y = (x, y) if relative else (0.0, 0.0)
            for i in range(0, len(args), 2):
                xs.append(args[i] + base_x)
                ys.append(args[i + 1] + base_y)
            x, y = args[-2] + base_x, args[-1] + base_y
            if upper == "M":
                start_x, start_y = x, y
        xs.append(x)
        ys.append(y)

    for token in PATH_TOKEN.findall(data):
        if token.isalpha():
            if token in "Zz":
                x, y = start_x, start_y
                command = None
            else:
                command = token
            numbers = []
            continue
        if command is None:
            continue
        numbers.append(float(token))
        if len(numbers) == PATH_ARGS[command.upper()]:
            flush(command, numbers)
            numbers = []
            # Further pairs after a move are lines.
            if command == "M":
                command = "L"
            elif command == "m":
                command = "l"
    if not xs:
        return None
    return min(xs), min(ys), max(xs), max(ys)


def icon_svg(data, ascent, descent):
    box = bounds(data)
    em = ascent - descent
    if box is None:
        fail("a glyph has no drawable path")
    left, bottom, right, top = box
    # The font's em square keeps all icons at one scale; a glyph larger than
    # it widens the square. The glyph is centred in it either way.
    side = max(em, right - left, top - bottom)
    dx = (side - (right - left)) / 2 - left
    dy = (side - (top - bottom)) / 2 + top
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %g %g">'
            '<path transform="translate(%g %g) scale(1 -1)" d="%s"/></svg>\n'
            % (PIXELS, PIXELS, side, side, dx, dy, " ".join(data.split())))


def write_if_changed(path, text):
    try:
        if open(path, encoding="utf-8").read() == text:
            return
    except OSError:
        pass
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def main(argv):
    if len(argv) != 5:
        fail("usage: iconbundle.py FONT.svg NAMES.yml LIST.txt OUT_DIR")
    font_path, names_path, list_path, out_dir = argv[1:]
    glyphs, ascent, descent = read_font(font_path)
    aliases = read_aliases(names_path)
    entries = read_list(list_path)
    icon_dir = os.path.join(out_dir, "system", "icon")
    os.makedirs(icon_dir, exist_ok=True)
    files = []
    for name, glyph, number in entries:
        found = resolve(name, glyph, glyphs, aliases)
        if found is None:
            fail("%s:%d: the icon font has no glyph \"%s\"; name one with \"%s = <glyph>\""
                 % (list_path, number, glyph or name, name))
        write_if_changed(os.path.join(icon_dir, name + ".svg"), icon_svg(glyphs[found][1], ascent, descent))
        files.append("system/icon/%s.svg" % name)
    qrc = ['<!DOCTYPE RCC><RCC version="1.0">', '<qresource prefix="/">']
    qrc += ["    <file>%s</file>" % f for f in files]
    qrc += ["</qresource>", "</RCC>", ""]
    write_if_changed(os.path.join(out_dir, "zul.qrc"), "\n".join(qrc))


if __name__ == "__main__":
    main(sys.argv)
