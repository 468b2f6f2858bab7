#!/usr/bin/python3
"""Writes the cd.ini of a new installation into data/ (or the folder given as the first argument).

The file is bytes, not text: the password key holds the stored form of the no-password marker,
each byte of "583046" replaced by 255 minus the byte, written raw. Lines end in CR LF, as the
program's own settings writer does for a new file.

    /usr/bin/python3 scripts/make-cd-ini.py [FOLDER]
"""

import os
import sys

NO_PASSWORD = "583046"


def invert_bytes(text):
    return bytes(255 - b for b in text.encode("ascii"))


# Window placements (left, top, width, height) that fit a 1024x768 main window's working area
# (about 1000x620 once menu, toolbar and status bar are taken off), cascaded a little so that
# windows opened together do not hide each other's title bars.
PLACEMENTS = {
    1: (20, 10, 760, 560),    # entry screen: main-title block above the track block
    2: (10, 10, 900, 520),    # track overview: thirteen columns
    3: (30, 30, 900, 520),    # main-title overview: ten columns
    4: (60, 40, 640, 400),    # loan collection: five columns
    5: (40, 20, 760, 500),    # the search screens, sharing one placement
    7: (80, 40, 540, 480),    # double entries: one column of titles
    12: (50, 50, 860, 480),   # playlist: nine columns
    13: (120, 40, 720, 540),  # source information: header block above the track list
    14: (40, 16, 620, 440),   # database information: statistics and the carrier grid
    15: (60, 70, 640, 400),   # loans that are due
    16: (80, 60, 560, 400),   # track insertion
}

SECTIONS = [
    ("Opstart", [
        ("ToonWerkBalk", "1"),
        ("ToonStatusBalk", "1"),
        ("Hints", "1"),
        ("ToonTijd", "1"),
        ("ToonBitmap", ""),
        # Off until the user asks for it: a machine without a drive would otherwise be told
        # that the player is in use by another program.
        ("ToonCdSpeler", "0"),
        ("StartBackupFile", ""),
        ("StartSpecialeTekensFile", ""),
        ("StartVolumeControl", ""),
    ]),
    ("Diversen", [
        ("Afsluitbox", "0"),
        ("ChkUitleenOpstart", "0"),
        ("ChkUitleenAfsluit", "0"),
        ("Geluid", "1"),
        ("TelOpDatum", "14"),
        ("SluitButton", "1"),
        ("TrackBvAan", "0"),
        ("Code_0001", invert_bytes(NO_PASSWORD)),
        ("OpenDrager", ""),
        ("OpenTracknr", ""),
        ("OpenTrackKant", ""),
        ("MeldBackup", "0"),
        ("MeldBackupOp", "10"),
        ("MeldBackupWindow", "0"),
        ("IntroSpeeltijd", "10"),
        ("AccepteerButton", "0"),
        ("VolgendeTrackButton", "1"),
        ("ZoekBeep", "1"),
        # Present but empty, so that the year search and print start at 0, not at a stray text.
        ("VeldJaar", ""),
        ("ScrollIncrement", "1"),
        ("VertraagScrollBalk", "0"),
        ("NaarTekstblad", "0"),
        ("AutoArtiest", "0"),
        ("AutoGeluidsdrager", "0"),
        ("AutoHoofdtitel", "0"),
        ("AutoJaar", "0"),
        ("AutoTekstblad", "0"),
        ("AutoTracktijd", "0"),
        ("AutoWoordArtiest", "0"),
        ("AutoWoordHoofdtitel", "0"),
        ("AutoInhoud", "1"),
    ]),
    ("Invoer", [
        ("Inv_Kwaliteit", "1"),
        ("Inv_Genre1", "1"),
        ("Inv_Label", "1"),
        ("Inv_HoofdArtiest", "1"),
        ("Inv_Componist", "1"),
        ("Inv_Genre2", "1"),
        ("Inv_Uitvoering", "1"),
        ("Inv_Tijd", "1"),
        ("Inv_Jaar", "1"),
        ("Inv_Trefwoord", "1"),
        ("DefaultDrager", "CD"),
        ("DefaultKwaliteit", ""),
        ("MeldIngelezenTracks", "1"),
    ]),
    # Names get a capital on every word; titles, styles and the like only on their first letter.
    ("Kapitaliseer", [
        ("K_Hoofdtitel", "0"),
        ("K_Genre1", "0"),
        ("K_Label", "1"),
        ("K_Hoofdartiest", "1"),
        ("K_Artiest", "1"),
        ("K_titel", "0"),
        ("K_Componist", "1"),
        ("K_Genre2", "0"),
        ("K_Uitvoering", "0"),
        ("K_Trefwoord", "0"),
    ]),
    ("Sortering", [
        ("ArtiestenOverzicht", "1"),
        ("HoofdtitelOverzicht", "1"),
    ]),
    ("PlayList", [
        ("PlayListVolgorde", "0"),
    ]),
    # The word-part search starts on track titles, narrowed by artist.
    ("ZoekOpWoord", [
        ("zArtiest", "0"), ("zComponist", "0"), ("zGenre1", "0"), ("zGenre2", "0"),
        ("zHoofdartiest", "0"), ("zHoofdtitel", "0"), ("zLabel", "0"), ("zTitel", "1"),
        ("zTrefwoord", "0"), ("zUitvoering", "0"),
        ("rArtiest", "1"), ("rComponist", "0"), ("rGenre1", "0"), ("rGenre2", "0"),
        ("rHoofdartiest", "0"), ("rHoofdtitel", "0"), ("rLabel", "0"), ("rTitel", "0"),
        ("rTrefwoord", "0"), ("rUitvoering", "0"),
    ]),
    ("DatabaseInformatie", [
        (key, "0") for key in (
            "Totdragers", "Kwaliteiten", "Hoofdtitels", "Genres1", "Labels", "Hoofdartiesten",
            "Tekstbladen", "Uitgeleend", "Aankopen", "Totaalbedrag", "TotTracks", "Artiesten",
            "Titels", "Componisten", "Genres2", "Uitvoeringen", "Trefwoorden", "Jaren",
            "Tracktijden", "Uren", "Minuten")
    ] + [("Upgedate", "")]),
    ("Geluidsdragers", [
        ("CD", "1"),
    ]),
    ("WindowsForms", [
        (f"wd{number}{letter}", str(value))
        for number, placement in sorted(PLACEMENTS.items())
        for letter, value in zip("ltwh", placement)
    ]),
]


def render():
    out = bytearray()
    for index, (section, keys) in enumerate(SECTIONS):
        if index:
            out += b"\r\n"
        out += b"[" + section.encode("ascii") + b"]\r\n"
        for key, value in keys:
            raw = value if isinstance(value, bytes) else value.encode("ascii")
            out += key.encode("ascii") + b"=" + raw + b"\r\n"
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, "..", "data"))
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "cd.ini")
    with open(path, "wb") as out:
        out.write(render())
    print(path)


if __name__ == "__main__":
    main()
