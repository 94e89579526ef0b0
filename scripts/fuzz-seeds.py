#!/usr/bin/env python3
"""Writes the seed inputs of every fuzzing harness: small valid archives, group
files, settings texts, tagged texts, filter conditions, typed numbers,
delimited texts, grid cell-stream blocks and clipboard texts for the grid.

    python3 scripts/fuzz-seeds.py <folder>     # makes <folder>/<harness>/...
"""
import io
import os
import struct
import shutil
import subprocess
import sys
import tempfile
import zipfile

# --- archives -----------------------------------------------------------------

DATE = (2020, 1, 2, 3, 4, 6)


def archive(items, comment=b"", method=zipfile.ZIP_DEFLATED, zip64=False, stream=False):
    """items: (name, data[, item comment]) triples or "name/" folders."""
    buf = io.BytesIO()

    class NoSeek(io.RawIOBase):  # makes zipfile write data descriptors
        def writable(self):
            return True

        def write(self, b):
            return buf.write(b)

    target = NoSeek() if stream else buf
    with zipfile.ZipFile(target, "w", method) as z:
        for item in items:
            if isinstance(item, str):
                z.writestr(zipfile.ZipInfo(item, DATE), b"")
                continue
            name, data = item[0], item[1]
            info = zipfile.ZipInfo(name, DATE)
            info.compress_type = method
            if len(item) > 2:
                info.comment = item[2]
            if stream:
                with z.open(info, "w", force_zip64=zip64) as f:
                    f.write(data)
            else:
                z.writestr(info, data)
        z.comment = comment
    return buf.getvalue()


def encrypted_archive():
    """Traditional encryption needs Info-ZIP's zip; None when it is missing."""
    if not shutil.which("zip"):
        return None
    with tempfile.TemporaryDirectory() as d:
        with open(os.path.join(d, "geheim.txt"), "wb") as f:
            f.write(b"Wit wint in 3 zetten.\n" * 4)
        out = os.path.join(d, "e.zip")
        subprocess.run(["zip", "-q", "-P", "geheim", out, "geheim.txt"], cwd=d, check=True)
        with open(out, "rb") as f:
            return f.read()


def archives():
    text = b"Groep A;Relnr.;Ro\r\n" * 20
    result = {
        "empty.zip": archive([]),
        "stored.zip": archive([("a.txt", b"hallo")], method=zipfile.ZIP_STORED),
        "deflated.zip": archive([("groep.csv", text, b"notitie")], comment=b"toernooi"),
        "folders.zip": archive(["map/", ("map/b.txt", b"b"), ("c.txt", b"cc")]),
        "zip64.zip": archive([("groot.txt", text)], zip64=True, stream=True),
        "descriptor.zip": archive([("s.txt", text)], stream=True),
        "utf8name.zip": archive([("caf\u00e9 \u00bd.txt", b"x")]),
    }
    enc = encrypted_archive()
    if enc:
        result["encrypted.zip"] = enc
    return result


# --- texts --------------------------------------------------------------------

GROUP_XML = (";<XML>\r\n;<SORTEER>\r\n;;WP;SB;ONDERLING\r\n;</SORTEER>\r\n"
             ";<ZVPOINTS>\r\n;;YES\r\n;</ZVPOINTS>\r\n;<ZVDATUM>\r\n;;2024-09-12\r\n"
             ";</ZVDATUM>\r\n;</XML>\r\n")
GROUPS = {
    "four.csv": ";Groep A;Relnr.;Ro;Geb.;MV;1;2;3;4;\r\n"
                "1;Speler A;;;;M;X;1; ; ;\r\n"
                "2;Speler B;;1850;1970;M;0;X;0.5; ;\r\n"
                "3;Speler C;;;;V; ;0.5;X; ;\r\n"
                "4;Speler D;5012345;;;M; ; ; ;X;\r\n" + GROUP_XML,
    "double.csv": ";Groep B;Relnr.;Ro;1;2;3;1;2;3\r\n"
                  "1;Jansen, Piet;8123456;2010;X;1;0;X;0.5;1\r\n"
                  "2;Vrij;;;0;X;1;0.5;X;0\r\n"
                  "3;de Vries, An;;1600;1;0;X;0;1;X\r\n",
    "noxml.csv": ";Groep C;Pl.;1;2;3\r\n1;A;;X;1;0\r\n2;B;;0;X;1\r\n#3;C;;1;0;X\r\n",
    # More lines than a group may have players: refused before any pairing.
    "many.csv": ";Groep D;1\r\n" + ";x\r\n" * 1000,
}

INIS = {
    "settings.ini": "[Algemeen]\r\nTaal=NL\r\nLaatsteMap=/home/td/Documenten\r\n"
                    "[Venster]\r\nLinks=10\r\nBoven = 20 \r\n; opmerking\r\n",
    "preamble.ini": "# handwerk\n\n[a]\nx=1\n[A]\nX=2\ny=\n[]\n=leeg\n",
}

HTMLS = [
    "hello world",
    "aaaaa <B>bb</B>cc",
    "a<B>b</B><I>c</I><U>d</U><S>e</S>f",
    '<FONT color="clRed" size="14" face="Arial">rood</FONT>',
    '<FONT bgcolor="#FF00FF">x</FONT>',
    "one<br>two\r\nthree",
    "<UL><LI>one<LI>two<UL><LI>b</UL></UL>",
    '<A href="http://x">link</A> en <A href="y">y</A>',
    'a<IMG src="idx:0" align="middle" alt="plaatje">b',
    "H<SUB>2</SUB>O x<SUP>2</SUP>",
    "&lt;b&gt;bold&lt;/b&gt; &amp; &nbsp; &copy;",
    'a<Z>secret</Z>b<SHAD>s</SHAD><E>e</E><HR>c',
    '<P align="right" bgcolor="clYellow">p</P><IND x="20">i',
    '<BODY bgcolor="clWhite" background="tegel">b</BODY>',
    "<#SUM> total",
    '<CONTROL type="EDIT" id="e1" value="waarde" width="50"> '
    '<CONTROL type="CHECK" id="c" value="TRUE"> <CONTROL type="COMBO" id="k">',
    '<HI>hi</HI><R>r</R><BL>bl</BL><BIG>x</BIG>',
]

FILTERS = [
    ("abc", "abc"), ("a*", "abc"), ("?b?", "abc"), ("!a*", "xyz"), ('"a b"', "a b"),
    (">5", "7"), (">=5 & <10", "7"), ("<3 | >8", "9"), ("=x", "x"), ("<>x", "y"),
    (">01-01-2020", "02-03-2021"), ("a*;b*", "bcd"), ("^c", "c"),
]

NUMBERS = ["12", "-3.5", "1e3", "-E3", "2k", "1.5m", "$1F", "%42", "&101", "!2.5e-3",
           "1,000", "1,k", "-", "1..2", "0x", "99999999999999999999", "$FFFFFFFF"]

CSVS = {
    "comma.csv": 'Naam,Rating,Club\r\n"Jansen, Piet",1850,ZV\r\nde Vries,1600,"De ""Toren"""\r\n',
    "semicolon.csv": ";Groep A;Relnr.;Ro\r\n1;Speler A;;1850\r\n2;\"Speler;B\";;\r\n",
    "multiline.csv": 'a,b,c\n"regel 1\nregel 2",x,"y\r\nz"\n1,2,3\n',
    "unclosed.csv": 'a;b\n"open;veld\nc;"d""e"\n"f"junk;g\n',
    "tabs.txt": 'een\ttwee\t"drie\tvier"\r\n"""q"\t\t\r\n',
    "mixed.csv": "x|y|z\ry|z|\r\r\n1#2#3\n",
    "trailing.csv": "a,b,\n,\n,,\n",
}


# --- cell-stream blocks ----------------------------------------------------------
# A component record: 'C', class name, typed properties, 0. The grid writes a
# TGridPropIO block head, then per cell a TGridCellIO, a TGridCellPropIO when
# the cell has properties and a TGridGraphicIO with its object record.

def _name(n):
    b = n.encode("cp1252")
    return bytes([len(b)]) + b


def _counted(b):
    if isinstance(b, str):
        b = b.encode("cp1252")
    return struct.pack("<I", len(b)) + b


def component(cls, props):
    out = b"C" + _name(cls)
    for name, value in props:
        if isinstance(value, bool):
            out += b"\x03" + _name(name) + bytes([value])
        elif isinstance(value, int):
            out += b"\x01" + _name(name) + struct.pack("<q", value)
        elif isinstance(value, float):
            out += b"\x02" + _name(name) + struct.pack("<d", value)
        elif isinstance(value, bytes):
            out += b"\x05" + _name(name) + _counted(value)
        elif isinstance(value, list):
            out += b"\x06" + _name(name) + struct.pack("<I", len(value))
            out += b"".join(_counted(v) for v in value)
        else:
            out += b"\x04" + _name(name) + _counted(value)
    return out + b"\x00"


def cell_props(has_graphic):
    n = "CellProperties."
    return [(n + "BrushStyle", 0), (n + "BrushColor", 0x1FFFFFFF), (n + "BrushColorTo", 0x1FFFFFFF),
            (n + "FontSize", 8), (n + "FontColor", 0), (n + "FontStyle", 1), (n + "CellSpanY", 1),
            (n + "CellSpanX", 1), (n + "BorderWidth", 0), (n + "BorderColor", 0),
            (n + "Alignment", 0), (n + "VAlignment", 1), (n + "WordWrap", False),
            (n + "IsBaseCell", True), (n + "FooterFunction", 0), (n + "NodeLevel", 0),
            (n + "Editor", 0), (n + "FontName", "Tahoma"), (n + "ReadOnly", False),
            ("HasGraphic", has_graphic)]


def cell_graphic(cell_type):
    n = "CellGraphic."
    return [(n + "CellType", cell_type), (n + "CellVAlign", 0), (n + "CellHAlign", 0),
            (n + "CellIndex", 0), (n + "CellTransparent", False), (n + "CellCreated", True),
            (n + "CellBoolean", True), (n + "CellAngle", 0), (n + "CellValue", 0.5),
            (n + "CellErrFrom", 0), (n + "CellErrLen", 0), (n + "CellText", "")]


def block_head(cols, rows, full=False):
    return component("TGridPropIO", [
        ("ColCount", cols), ("RowCount", rows), ("ColWidths", ",".join(["64"] * cols)),
        ("RowHeights", ",".join(["24"] * rows)), ("FullGrid", full), ("ID", "140737")])


def cell(col, row, text, has_prop=False):
    return component("TGridCellIO", [("Col", col), ("Row", row), ("Cell", text),
                                     ("HasProp", has_prop)])


def cell_streams():
    return {
        "text.bin": block_head(2, 2) + cell(0, 0, "Speler A") + cell(1, 0, "1\u00bd")
        + cell(1, 1, "regel\r\ntwee"),
        "props.bin": block_head(3, 1, True) + cell(2, 0, "x", True)
        + component("TGridCellPropIO", cell_props(False)),
        "radio.bin": block_head(1, 1) + cell(0, 0, "", True)
        + component("TGridCellPropIO", cell_props(True))
        + component("TGridGraphicIO", cell_graphic(9))
        + component("TGridSLIO", [("Strings", ["wit", "zwart", "remise"])]),
        "picture.bin": block_head(1, 1) + cell(0, 0, "p", True)
        + component("TGridCellPropIO", cell_props(True))
        + component("TGridGraphicIO", cell_graphic(0))
        + component("TGridBMPIO", [("Bitmap", b"\x89PNG\r\n\x1a\n" + b"\x00" * 16)]),
        "empty.bin": block_head(1, 1),
        "large.bin": block_head(10, 10, True)
        + b"".join(cell(c, r, f"{r}.{c}") for r in range(10) for c in range(10)),
    }


# --- grids: pasted text and cell streams read by a real grid --------------------
# Both grid harnesses take two leading bytes: the grid's options and the place
# of the paste (see fuzz/grid_paste.cpp and fuzz/cell_stream_grid.cpp).

PASTES = {
    "block.txt": "a\tb\r\nc\td",
    "grow.txt": "1\t2\r\n3\t4\r\n5\t6",
    "spreadsheet.txt": 'a\tb\n"x\ny"\tz\n',
    "quoted.txt": '"two\r\nlines"\t"tab\there"\t"""q"""\r\n\t\t\r\n',
    "series.txt": "3\r\n5",
    "dates.txt": "2024-01-31\r\n2024-02-29",
    "times.txt": "12:30\r\n13:45",
    "words.txt": "x\r\ny",
    "one.txt": "z",
    "html.txt": "<b>vet</b>\t{\\rtf1 rijk\\par meer}\t|\\wide",
    "ragged.txt": "Speler A\t1\xbd\r\nSpeler B\r\n\t\t\t4\rnog\n",
    # A crosstable of 40 players: the grid grows in both directions.
    "large.txt": "\r\n".join("\t".join(f"{r}.{c}" for c in range(12)) for r in range(40)),
}

# (options, place): editing; always and smart through the clipboard over a
# selection; no growing; a hidden column without fixed cells.
PASTE_MODES = [(0x01, 0x05), (0x32, 0x55), (0x3B, 0xF5), (0xC1, 0x00), (0x11, 0x40)]

# (options, place): at the origin; through the clipboard onto a filled grid at
# (2, 1); without growing into a grid with a hidden column.
STREAM_MODES = [(0x00, 0x00), (0x24, 0x0A), (0x33, 0x09)]


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("cp1252"))


def main():
    out = sys.argv[1]
    for name, data in archives().items():
        write(os.path.join(out, "zip_directory"), name, data)
        for flags in (0, 1, 3, 4, 7, 12):  # the extract harness's option byte
            write(os.path.join(out, "zip_extract"), f"{flags}-{name}", bytes([flags]) + data)
    for name, text in GROUPS.items():
        write(os.path.join(out, "groupfile"), name, text)
    for name, text in INIS.items():
        write(os.path.join(out, "ini_parse"), name, text)
    for i, text in enumerate(HTMLS):
        write(os.path.join(out, "html_render"), f"t{i:02}.txt", text)
    for i, (expr, value) in enumerate(FILTERS):
        write(os.path.join(out, "match_filter"), f"f{i:02}.txt", expr + "\0" + value)
    for i, text in enumerate(NUMBERS):
        write(os.path.join(out, "number_text"), f"n{i:02}.txt", text)
    for name, text in CSVS.items():
        write(os.path.join(out, "csv_read"), name, text)
    for name, data in cell_streams().items():
        write(os.path.join(out, "cell_stream"), name, data)
        for flags, place in STREAM_MODES:
            write(os.path.join(out, "cell_stream_grid"), f"{flags:02x}{place:02x}-{name}",
                  bytes([flags, place]) + data)
    for name, text in PASTES.items():
        for flags, place in PASTE_MODES:
            write(os.path.join(out, "grid_paste"), f"{flags:02x}{place:02x}-{name}",
                  bytes([flags, place]) + text.encode("cp1252"))


if __name__ == "__main__":
    main()
