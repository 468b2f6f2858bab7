"""Others write, we read: FoxPro tables made by Python's dbf package (its own writer, memo files
with various block sizes, 10-byte memo pointers) must dump exactly through xbtool."""
import datetime
import random

import dbf
import dbfread

import interop_util as iu

SPECS = "NAAM C(40); ARTIEST C(25); PRIJS N(10,2); AANTAL N(5,0); GEWICHT F(12,3); " \
        "DATUM D; BEZIT L; NOTITIE M"
NAMES = ["NAAM", "ARTIEST", "PRIJS", "AANTAL", "GEWICHT", "DATUM", "BEZIT", "NOTITIE"]
ROWS = 100


def make_rows(rng, fit=lambda text: text):
    rows = []
    for i in range(ROWS):
        naam = iu.exact_length(rng, 40) if i % 25 == 0 else "" if i % 25 == 1 else iu.words(rng, 40)
        artiest = iu.words(rng, 25)
        prijs = None if i % 11 == 2 else round(rng.uniform(-99999, 999999), 2)
        aantal = None if i % 13 == 5 else rng.randint(-9999, 99999)
        gewicht = None if i % 7 == 3 else round(rng.uniform(-9999, 99999), 3)
        datum = None if i % 6 == 0 else datetime.date(1950, 1, 1) + datetime.timedelta(days=rng.randint(0, 40000))
        bezit = [True, False, None][i % 3]
        notitie = "" if i % 5 == 0 else iu.memo_text(rng, rng.choice([1, 60, 64, 130, 600, 3000]))
        row = [naam, artiest, prijs, aantal, gewicht, datum, bezit, notitie]
        row = [fit(v) if isinstance(v, str) else v for v in row]
        # python-dbf drops leading blanks of character values; keep the expectation exact.
        row[0], row[1] = row[0].strip(" "), row[1].strip(" ")
        rows.append(row)
    return rows


def expected_text(name, value, stored):
    """What xbtool dump must give for a value python-dbf wrote (`stored`: dbfread's raw bytes)."""
    if name in ("NAAM", "ARTIEST"):
        return value.rstrip(" ")
    if name in ("PRIJS", "AANTAL", "GEWICHT"):
        return stored.decode("ascii").strip()
    if name == "DATUM":
        return value.strftime("%Y%m%d") if value else ""
    if name == "BEZIT":
        return {True: "T", False: "F", None: "?"}[value]
    return value


class DbfWrittenWeRead(iu.FolderTest):
    def write_table(self, filename, rows, deleted, codepage="cp1252", memo_size=64):
        path = self.path(filename)
        t = dbf.Table(path, SPECS, dbf_type="fp", codepage=codepage, memo_size=memo_size)
        t.open(dbf.READ_WRITE)
        for row in rows:
            t.append(tuple(row))
        for n in deleted:
            dbf.delete(t[n - 1])
        t.close()
        return path

    def check_dump(self, path, rows, deleted, encoding):
        raw = dbfread.DBF(path, encoding=encoding, raw=True, load=True)
        # dbfread lists live and deleted records apart; put them back in file order.
        live, dead = iter(raw.records), iter(raw.deleted)
        stored_rows = [next(dead) if n in deleted else next(live) for n in range(1, len(rows) + 1)]

        records = iu.dump(path)
        self.assertEqual(len(records), len(rows))
        for n, ((recno, is_deleted, fields), row, stored) in enumerate(zip(records, rows, stored_rows), 1):
            self.assertEqual(recno, n)
            self.assertEqual(is_deleted, n in deleted, "record %d" % n)
            self.assertEqual([k for k, _ in fields], NAMES, "record %d" % n)
            for (name, got), value, raw_value in zip(fields, row, stored.values()):
                want = expected_text(name, value, raw_value)
                self.assertEqual(got, want, "record %d field %s" % (n, name))
                if name in ("PRIJS", "AANTAL", "GEWICHT") and value is not None:
                    self.assertAlmostEqual(float(got), value, places=3)

    def test_windows_1252_table_with_memos(self):
        rows = make_rows(random.Random(7))
        deleted = {1, 2, 50, 99, 100}
        path = self.write_table("hfdat.dbf", rows, deleted)
        self.check_dump(path, rows, deleted, "cp1252")

        info = iu.xbtool("info", path).out.splitlines()
        self.assertIn("version: 0xF5", info)
        self.assertIn("records: %d" % ROWS, info)
        self.assertIn("code page: 0x03 (Windows-1252)", info)
        self.assertIn("  PRIJS N 10 2", info)
        self.assertIn("  NAAM C 40 0", info)

    def test_memo_block_sizes(self):
        # The block size is read from the memo file's header, not assumed.
        rows = make_rows(random.Random(8))[:30]
        for size in (32, 64, 512):
            with self.subTest(memo_size=size):
                path = self.write_table("blocks%d.dbf" % size, rows, set(), memo_size=size)
                self.check_dump(path, rows, set(), "cp1252")

    def test_dos_code_page_converts_to_utf8(self):
        def fit_850(text):
            return "".join(c for c in text if c.encode("cp850", "replace") != b"?" or c == "?")

        rows = make_rows(random.Random(9), fit=fit_850)[:40]
        path = self.write_table("dos.dbf", rows, {3}, codepage="cp850")
        self.check_dump(path, rows, {3}, "cp850")
        self.assertIn("code page: 0x02", iu.xbtool("info", path).out)


if __name__ == "__main__":
    iu.main()
