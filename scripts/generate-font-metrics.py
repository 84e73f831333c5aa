#!/usr/bin/env python3
"""Writes src/frame/font_metrics_table.cpp: the character metrics of the three label fonts.

The frame measures its labels in "PragmaticaC", "FreeSet" and "AGCenturion". Those fonts are not
free; the metrics of their characters come from free stand-ins of the same kind, the URW base 35
fonts (Debian package fonts-urw-base35, `apt-get install -y fonts-urw-base35`):

  1 "PragmaticaC"  NimbusSans-Regular   a Helvetica-style grotesque, like Pragmatica
  2 "FreeSet"      NimbusSans-Regular   FreeSet is a humanist sans of normal width; among the free
                                        sans faces the normal-width grotesque comes closest on
                                        average (the narrow one only matches FreeSet's narrow "1")
  3 "AGCenturion"  C059-Roman           a Century Schoolbook design, like AGCenturion

The characters the labels actually use were measured in the real fonts; those rows (REAL_ROWS
below) are exact and replace the stand-in's. For every other defined character the stand-in's
advance width and ink box (AFM "WX" and "B llx lly urx ury", thousandths of the size) are taken.

The labels are drawn in fonts that Windows has and that Linux maps to metric twins: Arial
(Liberation Sans) for "PragmaticaC" and "FreeSet", Times New Roman (Liberation Serif) for
"AGCenturion". Since the labels were measured in the real fonts, the label style spaces the drawn
letters so that each label's ink is as long as the real font's: this script also writes that
letter spacing, from the drawn faces' own metrics (Debian package fonts-liberation, read with
python3-fonttools), into src/qgis/templates/FrameLabels.qml, on the line after each marker
comment "letter spacing for <family>".

Usage: scripts/generate-font-metrics.py [AFM_FOLDER]   (run from anywhere; prints the
largest and mean difference between stand-in and real rows per font)
"""
import os
import sys

AFM_FOLDER = "/usr/share/fonts/type1/urw-base35"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "frame",
                      "font_metrics_table.cpp")
LABEL_STYLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "qgis",
                           "templates", "FrameLabels.qml")
TTF_FOLDER = "/usr/share/fonts/truetype/liberation"

# The family that draws each label font where the real one is not installed, and the metric twin
# of that family whose metrics are read: (family, TrueType file, label fonts).
DRAWN = [
    ("Arial", "LiberationSans-Regular.ttf", ["PragmaticaC", "FreeSet"]),
    ("Times New Roman", "LiberationSerif-Regular.ttf", ["AGCenturion"]),
]

FONTS = [  # (name in the attribute tables, stand-in AFM)
    ("PragmaticaC", "NimbusSans-Regular"),
    ("FreeSet", "NimbusSans-Regular"),
    ("AGCenturion", "C059-Roman"),
]

# The cp1251 codes that have metrics in each font.
def codes(*ranges):
    out = []
    for r in ranges:
        out.extend(range(r[0], r[1] + 1) if isinstance(r, tuple) else [r])
    return out

DEFINED = [
    codes((32, 126), (161, 172), 174, (176, 180), 182, (184, 255)),
    codes((32, 126), (161, 172), 174, (176, 180), 182, (184, 255)),
    codes((32, 126), 163, 164, (166, 169), 171, 172, 174, (176, 179), 182, 184, 185, (187, 190),
          (192, 255)),
]

# Rows measured in the real fonts: advance, llx, lly, urx, ury.
REAL_ROWS = [
    {  # PragmaticaC: the characters of sheet names
        "0": (582, 45, -21, 536, 721), "1": (578, 129, 0, 383, 700), "2": (584, 59, 0, 535, 721),
        "3": (581, 41, -21, 527, 721), "4": (586, 26, 0, 560, 700), "5": (581, 47, -21, 534, 700),
        "6": (581, 44, -21, 536, 721), "7": (581, 35, 0, 546, 700), "8": (584, 55, -21, 528, 721),
        "9": (581, 44, -21, 536, 721), "-": (422, 79, 225, 343, 310), ",": (311, 106, -148, 205, 109),
        "I": (264, 85, 0, 179, 700), "J": (520, 22, -21, 448, 700), "K": (667, 85, 0, 671, 700),
        "L": (529, 85, 0, 535, 700), "M": (890, 85, 0, 805, 700), "N": (740, 85, 0, 655, 700),
        "O": (758, 44, -21, 713, 721), "P": (639, 85, 0, 607, 700), "Q": (758, 44, -74, 713, 721),
        "R": (681, 85, 0, 636, 700), "S": (656, 45, -21, 611, 721), "T": (575, 13, 0, 562, 700),
        "U": (696, 71, -21, 624, 700), "V": (594, -4, 0, 598, 700), "X": (610, 0, 0, 610, 700),
    },
    {  # FreeSet: the characters of coordinate labels
        " ": (351, 0, 0, 0, 0), "0": (590, 59, -8, 530, 708), "1": (359, 40, 0, 259, 700),
        "2": (523, 50, 0, 473, 708), "3": (546, 35, -8, 466, 708), "4": (593, 40, 0, 553, 700),
        "5": (558, 80, -8, 488, 700), "6": (574, 60, -8, 514, 708), "7": (470, 20, 0, 450, 700),
        "8": (613, 70, -8, 543, 708), "9": (579, 60, -8, 519, 708),
        "\u00b0": (336, 56, 490, 280, 714), "'": (194, 50, 527, 144, 700),
    },
    {  # AGCenturion: the characters of coordinate labels
        " ": (250, 0, 0, 0, 0), "0": (500, 32, -11, 480, 725), "1": (500, 82, 0, 444, 725),
        "2": (500, 28, 0, 462, 725), "3": (500, 30, -11, 462, 725), "4": (500, 25, 0, 477, 725),
        "5": (500, 43, -11, 472, 714), "6": (500, 41, -11, 486, 725), "7": (500, 38, -11, 474, 714),
        "8": (500, 32, -11, 481, 725), "9": (500, 28, -11, 473, 725),
        "\u00b0": (500, 70, 425, 370, 725), "'": (211, 60, 326, 149, 743),
    },
]

# Adobe glyph names of the ASCII characters 32..126.
ASCII_NAMES = (
    "space exclam quotedbl numbersign dollar percent ampersand quotesingle parenleft parenright "
    "asterisk plus comma hyphen period slash zero one two three four five six seven eight nine "
    "colon semicolon less equal greater question at A B C D E F G H I J K L M N O P Q R S T U V W "
    "X Y Z bracketleft backslash bracketright asciicircum underscore grave a b c d e f g h i j k l "
    "m n o p q r s t u v w x y z braceleft bar braceright asciitilde").split()

# Adobe glyph names of the other characters of the upper half of cp1251.
OTHER_NAMES = {
    0x00A4: "currency", 0x00A6: "brokenbar", 0x00A7: "section", 0x00A9: "copyright",
    0x00AB: "guillemotleft", 0x00AC: "logicalnot", 0x00AE: "registered", 0x00B0: "degree",
    0x00B1: "plusminus", 0x00B6: "paragraph", 0x00BB: "guillemotright", 0x2116: "afii61352",
    0x0401: "afii10023", 0x0451: "afii10071", 0x0402: "afii10051", 0x0403: "afii10052",
    0x0404: "afii10053", 0x0405: "afii10054", 0x0406: "afii10055", 0x0407: "afii10056",
    0x0408: "afii10057", 0x0409: "afii10058", 0x040A: "afii10059", 0x040B: "afii10060",
    0x040C: "afii10061", 0x040E: "afii10062", 0x040F: "afii10145", 0x0490: "afii10050",
    0x0452: "afii10099", 0x0453: "afii10100", 0x0454: "afii10101", 0x0455: "afii10102",
    0x0456: "afii10103", 0x0457: "afii10104", 0x0458: "afii10105", 0x0459: "afii10106",
    0x045A: "afii10107", 0x045B: "afii10108", 0x045C: "afii10109", 0x045E: "afii10110",
    0x045F: "afii10193", 0x0491: "afii10098",
}


def glyph_names(code):
    """The AFM names under which the glyph of a cp1251 code may appear, most usual first."""
    if 32 <= code <= 126:
        return [ASCII_NAMES[code - 32]]
    cp = ord(bytes([code]).decode("cp1251"))
    names = []
    if 0x0410 <= cp <= 0x042F:  # А..Я; Ё (afii10023) sits between Е and Ж
        names.append("afii%d" % (10017 + cp - 0x0410 + (1 if cp >= 0x0416 else 0)))
    elif 0x0430 <= cp <= 0x044F:  # а..я; ё (afii10071) sits between е and ж
        names.append("afii%d" % (10065 + cp - 0x0430 + (1 if cp >= 0x0436 else 0)))
    elif cp in OTHER_NAMES:
        names.append(OTHER_NAMES[cp])
    names.append("uni%04X" % cp)
    return names


def read_afm(path):
    glyphs = {}
    with open(path, encoding="latin-1") as f:
        for line in f:
            if not line.startswith("C "):
                continue
            fields = {}
            for item in line.split(";"):
                item = item.strip()
                if item:
                    key, _, value = item.partition(" ")
                    fields[key] = value.strip()
            box = [round(float(v)) for v in fields["B"].split()]
            glyphs[fields["N"]] = (round(float(fields["WX"])), *box)
    return glyphs


def drawn_metrics(path, characters):
    """Advance, left side bearing and right side bearing of each character in thousandths."""
    from fontTools.ttLib import TTFont  # python3-fonttools
    font = TTFont(path)
    scale = 1000.0 / font["head"].unitsPerEm
    cmap, hmtx, glyf = font.getBestCmap(), font["hmtx"], font["glyf"]
    out = {}
    for ch in characters:
        glyph = cmap[ord(ch)]
        advance = hmtx[glyph][0]
        outline = glyf[glyph]
        left, right = (outline.xMin, advance - outline.xMax) if outline.numberOfContours else (0, 0)
        out[ch] = (advance * scale, left * scale, right * scale)
    return out


def expression_text(text):
    return "'" + text.replace("'", "''") + "'"


def spacing_expression(family, path):
    """The letter spacing, in points, that makes a label drawn in `family` as long as it was
    measured: its ink, from the first character's to the last one's, as wide as the real font's.

    A label of n characters drawn with spacing s between them has the ink width
    sum(advance) - left bearing of the first - right bearing of the last + (n - 1) s; the real
    font's is sum(advance) - llx of the first - advance of the last + urx of the last + 1
    (its ink plus one unit, as the frame measures it). For each character the map holds, in
    thousandths of the size: the difference of the advances, the difference at the left end when it
    comes first and at the right end when it comes last."""
    maps = []
    for name in next(fonts for fam, _, fonts in DRAWN if fam == family):
        real = REAL_ROWS[[f[0] for f in FONTS].index(name)]
        drawn = drawn_metrics(path, real.keys())
        entries = []
        for ch, (advance, llx, _, urx, _) in real.items():
            d_advance, d_left, d_right = drawn[ch]
            row = (advance - d_advance, d_left - llx, urx + 1 - advance + d_right)
            entries.append("%s, array(%s)" % (expression_text(ch),
                                              ", ".join("%g" % round(v, 1) for v in row)))
        maps.append("WHEN \"Font\" = %s THEN map(%s)" % (expression_text(name), ", ".join(entries)))
    return ("if(length(\"Text\") < 2 OR coalesce(nullif(var('mapbasis_font_' || \"Font\"), ''), "
            "%s) <> %s, 0, with_variable('m', CASE %s END, if(@m IS NULL, 0, to_real(\"Size\") "
            "/ 1000 / (length(\"Text\") - 1) * (array_sum(array_foreach(string_to_array("
            "\"Text\", ''), coalesce(array_get(map_get(@m, @element), 0), 0))) + "
            "coalesce(array_get(map_get(@m, left(\"Text\", 1)), 1), 0) + "
            "coalesce(array_get(map_get(@m, right(\"Text\", 1)), 2), 0)))))"
            % (expression_text(family), expression_text(family), " ".join(maps)))


def xml_attribute(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
            .replace('"', "&quot;"))


def write_label_spacing(folder):
    with open(LABEL_STYLE, encoding="utf-8", newline="") as f:
        lines = f.read().split("\n")
    for family, ttf, _ in DRAWN:
        marker = "<!-- letter spacing for %s" % family
        at = next(i for i, line in enumerate(lines) if marker in line)
        indent = lines[at + 1][:len(lines[at + 1]) - len(lines[at + 1].lstrip())]
        lines[at + 1] = (indent + '<Option type="QString" name="expression" value="%s"/>'
                         % xml_attribute(spacing_expression(family, os.path.join(folder, ttf))))
    with open(LABEL_STYLE, "w", encoding="utf-8", newline="") as f:
        f.write("\n".join(lines))
    print("wrote", os.path.normpath(LABEL_STYLE))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else AFM_FOLDER
    tables = []
    for font, (name, standin) in enumerate(FONTS):
        afm = read_afm(os.path.join(folder, standin + ".afm"))
        real = {ch.encode("cp1251")[0]: row for ch, row in REAL_ROWS[font].items()}
        table = {}
        for code in DEFINED[font]:
            found = [afm[n] for n in glyph_names(code) if n in afm]
            if not found:
                sys.exit("%s has no glyph for cp1251 code %d" % (standin, code))
            table[code] = found[0]
        diffs = [abs(a - b) for code, row in real.items() for a, b in zip(row, table[code])]
        worst = max(real, key=lambda c: max(abs(a - b) for a, b in zip(real[c], table[c])))
        print("%-11s from %-18s: largest difference %d units (code %d: real %s, stand-in %s), "
              "mean %.1f over %d rows" % (name, standin, max(diffs), worst, real[worst],
                                          table[worst], sum(diffs) / len(diffs), len(real)))
        table.update(real)
        tables.append(table)

    out = []
    out.append("// Generated by scripts/generate-font-metrics.py from the URW base 35 AFM files; do "
               "not edit.")
    out.append("// Advance width and ink box (llx, lly, urx, ury) in thousandths of the size, by "
               "cp1251 code.")
    out.append("// clang-format off")
    out.append('#include "frame/font_metrics.h"')
    out.append("")
    out.append("namespace mapbasis {")
    out.append("")
    out.append("const GlyphMetrics kFontMetricsTable[kFontCount][256] = {")
    for font, table in enumerate(tables):
        out.append("  {  // %d %s (stand-in %s)" % (font + 1, FONTS[font][0], FONTS[font][1]))
        for code in range(256):
            row = table.get(code, (0, 0, 0, 0, 0))
            out.append("    {%d, %d, %d, %d, %d},  // %d" % (*row, code))
        out.append("  },")
    out.append("};")
    out.append("")
    out.append("}  // namespace mapbasis")
    out.append("// clang-format on")
    with open(OUTPUT, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out) + "\n")
    print("wrote", os.path.normpath(OUTPUT))
    write_label_spacing(TTF_FOLDER)


if __name__ == "__main__":
    main()
