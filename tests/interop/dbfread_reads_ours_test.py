"""We write, dbfread reads: a table created and filled by xbtool must read back exactly through
Python's dbfread (strict Windows-1252 decoding), memos included, before and after deletions."""
import datetime
import os
import random
import subprocess

import dbfread

import interop_util as iu

FIELDS = [
    ("TITEL", "C", 50, 0),
    ("ARTIEST", "C", 30, 0),
    ("OPMERKING", "C", 254, 0),
    ("PRIJS", "N", 10, 2),
    ("TRACK", "N", 4, 0),
    ("GEWICHT", "N", 12, 4),
    ("DATUM", "D", 8, 0),
    ("BEZIT", "L", 1, 0),
    ("NOTITIE", "M", None, 0),
    ("TEKST", "M", None, 0),
]
ROWS = 300

# Memo lengths around the usual block sizes (64 and 512 bytes, less the 8-byte block header).
MEMO_EDGES = [1, 55, 56, 57, 63, 64, 65, 119, 120, 121, 503, 504, 505, 511, 512, 513, 5000]


def number(rng, width, decimals, allow_negative=True):
    """A random number text that takes up to the whole field, sometimes exactly all of it."""
    digits = width - (decimals + 1 if decimals else 0)
    if rng.random() < 0.1:
        return "9" * digits + ("." + "9" * decimals if decimals else "")
    if allow_negative and rng.random() < 0.1:
        return "-" + "9" * (digits - 1) + ("." + "9" * decimals if decimals else "")
    whole = rng.randint(-(10 ** (digits - 2)) if allow_negative else 0, 10 ** rng.randint(1, digits) - 1)
    if not decimals:
        return str(whole)
    frac = rng.randint(0, 10**decimals - 1)
    sign = "-" if whole == 0 and frac and allow_negative and rng.random() < 0.2 else ""
    return "%s%d.%0*d" % (sign, whole, decimals, frac)


def make_rows(rng):
    rows = []
    for i in range(ROWS):
        titel = iu.exact_length(rng, 50) if i % 50 == 0 else "" if i % 50 == 1 else \
            'Hello, "World"' if i % 50 == 2 else "  leading blanks" if i % 50 == 3 else \
            iu.words(rng, 50)
        artiest = iu.exact_length(rng, 30) if i % 40 == 5 else iu.words(rng, 30)
        opm = iu.exact_length(rng, 254) if i % 7 == 0 else "" if i % 7 == 1 else \
            iu.words(rng, rng.randint(1, 254))
        prijs = "" if i % 13 == 4 else number(rng, 10, 2)
        track = "" if i % 17 == 3 else number(rng, 4, 0)
        gewicht = "" if i % 19 == 6 else number(rng, 12, 4)
        if i % 9 == 0:
            datum = ""
        elif i == 10:
            datum = "20000229"
        else:
            d = datetime.date(1900, 1, 1) + datetime.timedelta(days=rng.randint(0, 73000))
            datum = d.strftime("%Y%m%d")
        bezit = "T" if rng.random() < 0.5 else "F"
        notitie = "" if i % 3 else rng.choice(["\r\n", "  ", "x", "één\ntwee\n", iu.words(rng, 80)])
        if i % 10 == 0:
            tekst = ""
        elif i < len(MEMO_EDGES) * 2 and i % 2:
            tekst = iu.memo_text(rng, MEMO_EDGES[i // 2])
        else:
            tekst = iu.memo_text(rng, rng.randint(1, 5000))
        rows.append([titel, artiest, opm, prijs, track, gewicht, datum, bezit, notitie, tekst])
    return rows


def field_args():
    """xbtool create's field arguments: NAME:TYPE, with the width and any decimals."""
    return [":".join(map(str, (name, typ) if typ in "DML" else (name, typ, length, dec)[:4 if dec else 3]))
            for name, typ, length, dec in FIELDS]


class DbfreadReadsOurs(iu.FolderTest):
    def setUp(self):
        super().setUp()
        rng = random.Random(20240611)
        self.rows = make_rows(rng)
        for row in self.rows:
            for value in row:
                self.assertTrue(iu.encodable(value), value)
        self.table = self.path("CDS.DBF")
        self.csv = self.path("cds.csv")
        # Header names in mixed case: the loader matches them without regard to case.
        header = [name.capitalize() if n % 2 else name.lower() for n, (name, *_) in enumerate(FIELDS)]
        iu.write_csv(self.csv, header, self.rows)
        iu.xbtool("create", self.table, *field_args())
        iu.xbtool("load", self.table, self.csv)

    def open(self, **kw):
        return dbfread.DBF(self.table, encoding="cp1252", char_decode_errors="strict", load=True, **kw)

    def check_record(self, rec, row, raw, where):
        for (name, typ, length, dec), want, got, stored in zip(FIELDS, row, rec.values(), raw.values()):
            msg = "%s field %s" % (where, name)
            if typ == "C":
                self.assertEqual(got, want.rstrip(" "), msg)
            elif typ == "N":
                if want == "":
                    self.assertIsNone(got, msg)
                    self.assertEqual(stored, b" " * length, msg)
                else:
                    self.assertEqual(float(got), float(want), msg)
                    # Numbers are stored right-aligned with exactly the field's decimals.
                    self.assertEqual(stored, want.rjust(length).encode("ascii"), msg)
            elif typ == "D":
                self.assertEqual(got.strftime("%Y%m%d") if got else "", want, msg)
            elif typ == "L":
                self.assertIs(got, want == "T", msg)
            elif typ == "M":
                self.assertEqual(got or "", want, msg)

    def test_header_describes_our_fields(self):
        t = self.open()
        self.assertEqual(t.header.dbversion, 0xF5)
        self.assertEqual(t.header.language_driver, 0x03)
        self.assertEqual(t.header.numrecords, ROWS)
        got = [(f.name, f.type, f.length, f.decimal_count) for f in t.fields]
        for (name, typ, length, dec), g in zip(FIELDS, got):
            self.assertEqual(g[:2], (name, typ))
            if length is not None:
                self.assertEqual(g[2:], (length, dec), name)
        self.assertEqual(len(got), len(FIELDS))

    def test_every_value_and_memo_reads_back_before_and_after_deletions(self):
        self.assertEqual(len(self.open().deleted), 0)
        gone = [1, 2, 77, 150, 299, 300]
        iu.xbtool("delete", self.table, *gone)
        t = self.open()
        raw = self.open(raw=True)
        self.assertEqual(len(t.deleted), len(gone))
        self.assertEqual(len(t.records), ROWS - len(gone))
        for rec, r, recno in zip(t.deleted, raw.deleted, gone):
            self.check_record(rec, self.rows[recno - 1], r, "deleted record %d" % recno)
        kept = [n for n in range(1, ROWS + 1) if n not in gone]
        for rec, r, recno in zip(t.records, raw.records, kept):
            self.check_record(rec, self.rows[recno - 1], r, "record %d" % recno)
        # Our own reader agrees on which records are deleted.
        self.assertEqual([recno for recno, deleted, _ in iu.dump(self.table) if deleted], gone)

    def test_perl_xbase_reads_the_same(self):
        # A second, unrelated reader (Perl's XBase with XBase::Memo) must agree as well.
        gone = [3, 200]
        iu.xbtool("delete", self.table, *gone)
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "dbf_dump.pl")
        proc = subprocess.run(["perl", script, self.table], capture_output=True, timeout=300)
        self.assertEqual(proc.returncode, 0, proc.stderr.decode("utf-8", "replace"))
        lines = proc.stdout.decode("ascii").splitlines()
        self.assertEqual(len(lines), ROWS)
        for recno, (line, row) in enumerate(zip(lines, self.rows), start=1):
            flag, *values = [None if v == "-" else bytes.fromhex(v) for v in line.split("\t")]
            self.assertEqual(flag, b"1" if recno in gone else b"0", "record %d" % recno)
            for (name, typ, _, _), want, got in zip(FIELDS, row, values):
                msg = "record %d field %s" % (recno, name)
                text = (got or b"").decode("cp1252")
                if typ == "C":
                    self.assertEqual(text, want.rstrip(" "), msg)
                elif typ == "D":
                    self.assertEqual(text, want, msg)
                elif typ == "L":
                    self.assertEqual(text, "1" if want == "T" else "0", msg)
                elif typ == "M":
                    self.assertEqual(text, want, msg)

    def test_second_load_appends(self):
        iu.xbtool("load", self.table, self.csv)
        t = self.open()
        raw = self.open(raw=True)
        self.assertEqual(len(t.records), 2 * ROWS)
        for n, (rec, r) in enumerate(zip(t.records[ROWS:], raw.records[ROWS:])):
            self.check_record(rec, self.rows[n], r, "appended record %d" % (ROWS + n + 1))


if __name__ == "__main__":
    iu.main()
