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



def sheet_saved(text, half="0,5", bom=False):
    """A group file as a spreadsheet saves it again: no ";" at the end of the
    table lines, settings lines padded with ";", LF line ends, half points in
    the given spelling, optionally UTF-8 with a byte order mark."""
    lines = text.split("\r\n")[:-1]
    width = lines[0].count(";")
    out = []
    settings = False
    for line in lines:
        settings = settings or line == ";<XML>"
        if settings:
            out.append(line + ";" * (width - line.count(";")))
        else:
            out.append(line.rstrip(";").replace("0.5", half))
    result = "\n".join(out) + "\n"
    if bom:
        return b"\xef\xbb\xbf" + result.encode("utf-8")
    return result


# "Snelschaken 2016-04-20 A.csv" of the example archive, as the program writes it.
EXAMPLE_A = (
    ";Snelschaken 2016-04-20 A;Relnr.;Ro;Geb.;MV;1;2;3;4;5;6;7;8;\r\n"
    "1;Arend Hoekstra;;1934;1968;M;X;1;1;1;1;1;1;0;\r\n"
    "2;Lieke van der Wal;;1802;1995;V;0;X;0.5;1;1;1;1;1;\r\n"
    "3;Gerrit Zandbergen;;1765;1952;M;0;0.5;X;0;1;1;1;1r;\r\n"
    "4;Mees Ouwerkerk;;1711;2006;M;0;0;1;X;0.5;1;0;1;\r\n"
    "5;Fenna de Roos;;1690;1987;V;0;0;0;0.5;X;0.5;1;1;\r\n"
    "6;Olaf Brinkhuis;;1644;1979;M;0;0;0;0;0.5;X;1;1;\r\n"
    "7;Ruud Kortenhoeve;;1580;1961;M;0;0;0;1;0;0;X;0;\r\n"
    "8;Tijmen Veldkamp;;1495;2009;M;1;0;0r;0;0;0;1;X;\r\n"
    ";<XML>\r\n"
    ";<SORTEER>\r\n"
    ";;OR;SB;LT\r\n"
    ";</SORTEER>\r\n"
    ";<ZVPOINTS>\r\n"
    ";;YES\r\n"
    ";</ZVPOINTS>\r\n"
    ";<ZVDATUM>\r\n"
    ";;2016-04-20\r\n"
    ";</ZVDATUM>\r\n"
    ";</XML>\r\n")

GROUP_CSVS = dict(GROUPS)
GROUP_CSVS.update({
    "example-a.csv": EXAMPLE_A,
    "example-a-comma.csv": sheet_saved(EXAMPLE_A),
    "example-a-half.csv": sheet_saved(EXAMPLE_A, "\xbd"),
    "example-a-utf8.csv": sheet_saved(EXAMPLE_A, "0.5", bom=True),
    "four-sheet.csv": sheet_saved(GROUPS["four.csv"]),
})

SETTINGS = {
    "vivazozodi.ini":
        "[Last]\r\nDataMap=/home/td/Documenten/Vivazozodi/Voorbeeld\r\n"
        "FileName=Snelschaken 2016-04-20 A.csv\r\nJRatFileName=jrat 16-04.txt\r\n"
        "KRatFileName=krat 16-04.txt\r\nNJRLedenFileName=lidNJR2016-04-01.csv\r\n"
        "KnsbLedenFileName=lid20160401.csv\r\nDateFirstRound=2016-04-20\r\n"
        "RatingRadio=2\r\nKiesLijstCombo=1\r\nStandSettings=4095\r\nSplitter=50\r\n"
        "SpNaam=1\r\nPlaats=Zwolle\r\nArbiter=J. de Wit\r\nSpeeltempo=5 min + 3 s\r\n"
        "[MainForm]\r\nWindowState=0\r\nTop=20\r\nHeight=700\r\nWidth=1000\r\n"
        "[UitslagForm]\r\nWindowState=1\r\nTop=-5\r\nHeight=100\r\nWidth=101\r\n"
        "[StandForm]\r\nWindowState=0\r\nTop=0\r\nHeight=99999\r\nWidth=x\r\n"
        "[SpInfoForm]\r\nWindowState=0\r\n[RaRapportForm]\r\nTop=30\r\n",
    "odd.ini": "[Last]\nDateFirstRound=1903-12-31\nSplitter=1e300\nSpNaam=-1\n"
               "RatingRadio=99999999999\n[Last]\nSplitter=74.5\n",
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


# --- federation lists (first byte: the rating kind) -------------------------


def rating_line(seq, relnr, achternaam, voornaam, tv, sexe, rating, rest=""):
    line = (f"{seq:<6} {relnr:<7} {achternaam:<19.19} {voornaam:<9.9} {tv:<7.7} "
            f"{sexe} {rating:<5}")
    return line + (" " + rest if rest else "")


RATING_HEAD = "KNSB rating lijst januari 2024"
RATINGS = {
    "krat.txt": "\0" + "\r\n".join([
        RATING_HEAD,
        rating_line(1, 7000001, "Jansen", "Pieter", "", "M", 1912),
        rating_line(2, 7000002, "\u00c7elik", "\u00ebmine", "van der", "V", 1450, "  12 1985"),
        rating_line(3, 7000002, "Dubbel", "Jan", "", "M", 1500),
        rating_line(4, 4999999, "Laag", "Piet", "", "M", 1400)[:59],
    ]) + "\r\n",
    "jrat-lf.txt": "\1" + "\n".join([
        "KNSB jeugd rating",
        rating_line(1, 7100001, "Bakker", "Sanne", "de", "V", 1203),
        rating_line(2, "70x0002", "Geen", "Nummer", "", "M", 900),
        rating_line(3, 7100003, "Tab\tIn", "Naam", "", "M", 1001),
    ]),
}

NJR_HEAD = "Vereniging;RelNr;Voornaam;TV;FamNaam;VL;Sexe;GebJaar;Rating"
KNSB_HEAD = ("Relatienummer;VerenigingID;LidmaatschapTypeID;Achternaam;Tussenvoegsel;Voornaam;"
             "Voorletters;Email;Geslacht;Geboren;Nationaliteit;KNSBRating;KNSBJeugdRating;"
             "Categorie;Status;FIDERating;FIDEId;Titel")
MEMBERS = {
    "njr.csv": "\3" + NJR_HEAD + "\r\n"
               "Zomerveld;7200001;\u00ebva;van;\u00c7elik;E.;V;2009;1210\r\n"
               "Zomerveld;7200002;Tim;;\"Berg; van den\";T.;M;abc;\r\n"
               "Zomerveld;7200001;Eva;;Dubbel;E.;V;2010;900\r\n"
               "Zomerveld;7200003;Kort;;Laatste;K.;M;2012;1001",
    "knsb.csv": "\0" + KNSB_HEAD + "\r\n"
                "7300001;1234;1;Dijkstra;;Kees;K.;x@y.nl;M;1965;NED;1688;;A;Actief;1702;1234567;\r\n"
                "7300002;1234;1;\u00c7akir;;\u00ebmine;\u00cb.;;V;2008;NED;1450;1390;;;;;\r\n"
                "7300001;1234;1;Dijkstra;;Kees;K.;;M;1965;NED;1999;;;;1999;;\r\n"
                "3;1;1;Laag;;Nummer;L.;;M;1970;NED;1500;;;;;;\r\n",
    "empty.csv": "\2",
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


RTFS = [
    r"{\rtf1\ansi {\b Vet} normaal}",
    r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fnil Arial;}{\f1\froman Times{\*\falt X};}}"
    r"{\colortbl ;\red255\green0\blue0;}\pard\qc{\f1\fs28\b\i\ul\strike\cf1 a\tab b}\par"
    r"\pard\qr c\'e9\u8364?\line d\par}",
    r"{\rtf1{\stylesheet{\s1 x;}}{\info{\title t}}{\*\gen y}{\pict\bin4 abcd}{\field"
    r"{\*\fldinst HYPERLINK}{\fldrslt link}}\uc2\u-4064 ??\emdash\bullet\~\{\}\\}",
    "{" * 300 + r"\b deep",
    r"{\rtf1\fs99999999999999 \cf-5 \u99999999 \'",
]


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
    for name, text in GROUP_CSVS.items():
        write(os.path.join(out, "groupfile_csv"), name, text)
    for name, text in SETTINGS.items():
        write(os.path.join(out, "settings_file"), name, text)
    for name, text in INIS.items():
        write(os.path.join(out, "ini_parse"), name, text)
    for i, text in enumerate(HTMLS):
        write(os.path.join(out, "html_render"), f"t{i:02}.txt", text)
    for i, text in enumerate(RTFS):
        write(os.path.join(out, "rtf_read"), f"r{i:02}.rtf", text)
    for i, (expr, value) in enumerate(FILTERS):
        write(os.path.join(out, "match_filter"), f"f{i:02}.txt", expr + "\0" + value)
    for i, text in enumerate(NUMBERS):
        write(os.path.join(out, "number_text"), f"n{i:02}.txt", text)
    for name, text in CSVS.items():
        write(os.path.join(out, "csv_read"), name, text)
    for name, text in RATINGS.items():
        write(os.path.join(out, "rating_list"), name, text)
    for name, text in MEMBERS.items():
        write(os.path.join(out, "member_list"), name, text)
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
