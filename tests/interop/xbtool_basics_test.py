"""xbtool end to end: info, seek, file names in any case, and clear errors on bad input."""
import os
import shutil
import struct

import interop_util as iu

FIELDS = ["CDNUMMER:N:9", "ARTIEST:C:40", "TITEL:C:40", "PRIJS:N:8:2", "DATUM:D", "OK:L", "MEMO:M"]
HEADER = ["cdnummer", "Artiest", "TITEL", "prijs", "datum", "ok", "memo"]
ROWS = [
    ["1234", "The Beatles", "Abbey Road", "12.50", "19690926", "T", "Side one\r\nSide two"],
    ["17", "Beatles Revival Band", "Live", "", "", "F", ""],
    ["88", "ÉDITH PIAF", "La vie en rose", "7.00", "19470101", "T", "Chanson – «française»"],
    ["1234", "Björk", "Début", "9.99", "19930705", "F", "x" * 3000],
    ["5", "ABBA", "Arrival", "", "19761011", "T", ""],
]


class XbtoolBasics(iu.FolderTest):
    def make_table(self, name="HFDAT.DBF", fields=FIELDS, header=HEADER, rows=ROWS):
        table = self.path(name)
        iu.write_csv(self.path("rows.csv"), header, rows)
        iu.xbtool("create", table, *fields)
        iu.xbtool("load", table, self.path("rows.csv"))
        return table

    def test_info_describes_the_table(self):
        table = self.make_table()
        with open(table, "rb") as f:
            head = f.read(32)
        header_length, record_length = struct.unpack("<HH", head[8:12])
        lines = iu.xbtool("info", table).out.splitlines()
        self.assertEqual(lines[0], "version: 0xF5")
        self.assertIn("records: 5", lines)
        self.assertIn("header length: %d" % header_length, lines)
        self.assertIn("record length: %d" % record_length, lines)
        self.assertIn("code page: 0x03 (Windows-1252)", lines)
        memo = [line for line in lines if line.startswith("memo file: ")]
        self.assertEqual(len(memo), 1, lines)
        self.assertEqual(os.path.basename(memo[0][len("memo file: "):]).lower(), "hfdat.fpt")
        fields = lines[lines.index("fields:") + 1:]
        self.assertEqual(fields, ["  CDNUMMER N 9 0", "  ARTIEST C 40 0", "  TITEL C 40 0", "  PRIJS N 8 2",
                                  "  DATUM D 8 0", "  OK L 1 0", "  MEMO M 10 0"])
        self.assertEqual(1 + sum(int(f.split()[2]) for f in fields), record_length)

    def test_table_without_memos(self):
        table = self.make_table("PLAIN.DBF", FIELDS[:-1], HEADER[:-1], [r[:-1] for r in ROWS])
        lines = iu.xbtool("info", table).out.splitlines()
        self.assertEqual(lines[0], "version: 0x03")
        self.assertIn("memo file: none", lines)
        self.assertEqual(iu.find_file(self.dir, "plain.fpt"), None)

    def test_dump_gives_the_loaded_values(self):
        records = iu.dump(self.make_table())
        self.assertEqual([r[0] for r in records], [1, 2, 3, 4, 5])
        first = dict(records[0][2])
        self.assertEqual(first, {"CDNUMMER": "1234", "ARTIEST": "The Beatles", "TITEL": "Abbey Road",
                                 "PRIJS": "12.50", "DATUM": "19690926", "OK": "T",
                                 "MEMO": "Side one\r\nSide two"})
        second = dict(records[1][2])
        self.assertEqual((second["PRIJS"], second["DATUM"], second["MEMO"]), ("", "", ""))
        self.assertEqual(dict(records[2][2])["MEMO"], "Chanson – «française»")
        self.assertEqual(dict(records[3][2])["MEMO"], "x" * 3000)

    def test_seek_finds_prefixes_and_numbers(self):
        table = self.make_table()
        index = self.path("HFDAT.CDX")
        iu.xbtool("index", table, index, "ARTIEST", "UPPER(ARTIEST)")
        iu.xbtool("index", table, index, "CDNUMMER", "CDNUMMER")
        self.assertEqual(iu.walk(table, index, "ARTIEST"), [5, 2, 4, 1, 3])
        self.assertEqual(iu.walk(table, index, "CDNUMMER"), [5, 2, 3, 1, 4])

        def seek(tag, key):
            return iu.xbtool("seek", table, index, tag, key, expect=(0, 1))

        cases = [("ARTIEST", "BEAT", "found 2"), ("ARTIEST", "BJÖRK", "found 4"),
                 ("ARTIEST", "ÉDITH", "found 3"), ("ARTIEST", "THE BEATLES", "found 1"),
                 ("ARTIEST", "ZZ", "not found"), ("ARTIEST", "BEATLES REVIVAL BANDS", "not found"),
                 ("CDNUMMER", "1234", "found 1"), ("CDNUMMER", "88", "found 3"),
                 ("CDNUMMER", "4321", "not found")]
        for tag, key, want in cases:
            with self.subTest(tag=tag, key=key):
                proc = seek(tag, key)
                self.assertEqual(proc.out.strip(), want)
                self.assertEqual(proc.returncode, 0 if want.startswith("found") else 1)

    def test_file_names_match_in_any_case(self):
        table = self.make_table("HFDAT.DBF")
        index = self.path("Hfdat.cdx")
        iu.xbtool("index", table, index, "ARTIEST", "UPPER(ARTIEST)")
        memo = iu.find_file(self.dir, "hfdat.fpt")
        self.assertIsNotNone(memo, os.listdir(self.dir))
        want = iu.dump(table)
        combos = [("HFDAT.DBF", "hfdat.fpt", "hfdat.dbf"), ("hfdat.dbf", "HFDAT.FPT", "HFDAT.DBF"),
                  ("Hfdat.Dbf", "hFDAT.fPT", "hfdat.DBF")]
        for table_name, memo_name, asked in combos:
            with self.subTest(table=table_name, memo=memo_name):
                os.rename(iu.find_file(self.dir, "hfdat.dbf"), self.path(table_name))
                os.rename(iu.find_file(self.dir, "hfdat.fpt"), self.path(memo_name))
                self.assertEqual(iu.dump(self.path(asked)), want)
                self.assertEqual(iu.walk(self.path(asked), self.path("HFDAT.CDX"), "ARTIEST"),
                                 [5, 2, 4, 1, 3])

    def test_check_notices_a_stale_index(self):
        table = self.make_table()
        index = self.path("HFDAT.CDX")
        iu.xbtool("index", table, index, "ARTIEST", "UPPER(ARTIEST)")
        self.assertEqual(iu.xbtool("check", table, index).returncode, 0)
        # Appending without --index leaves the tag behind the table.
        iu.xbtool("load", table, self.path("rows.csv"))
        self.assertEqual(iu.xbtool("check", table, index, expect=1).returncode, 1)
        iu.xbtool("index", table, index, "ARTIEST", "UPPER(ARTIEST)")
        self.assertEqual(iu.xbtool("check", table, index).returncode, 0)

    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)

    def expect_error(self, *args, names):
        proc = iu.xbtool(*args, expect=2)
        self.assertIn(names.lower(), proc.err.lower(), "stderr should name %s" % names)
        return proc

    def test_errors_name_the_file(self):
        table = self.make_table()
        for command in ("info", "dump"):
            self.expect_error(command, self.path("missing.dbf"), names="missing.dbf")

        # A table cut short inside its field list.
        with open(table, "rb") as f:
            data = f.read()
        self.write("cut.dbf", data[:50])
        self.expect_error("dump", self.path("cut.dbf"), names="cut.dbf")

        # A header that claims more records than the file holds.
        bad = bytearray(data)
        bad[4:8] = struct.pack("<I", 0x7FFFFFFF)
        self.write("many.dbf", bad)
        proc = iu.xbtool("dump", self.path("many.dbf"), expect=(0, 2))
        if proc.returncode == 2:
            self.assertIn("many.dbf", proc.err.lower())

        # The memo file is gone.
        shutil.copy(table, self.path("nomemo.dbf"))
        self.expect_error("dump", self.path("nomemo.dbf"), names="nomemo.fpt")

        # An index that is not one.
        self.write("junk.cdx", b"\xff" * 1536)
        self.expect_error("walk", table, self.path("junk.cdx"), "ARTIEST", names="junk.cdx")
        self.expect_error("tags", self.path("junk.cdx"), names="junk.cdx")

        index = self.path("HFDAT.CDX")
        iu.xbtool("index", table, index, "ARTIEST", "UPPER(ARTIEST)")
        self.expect_error("walk", table, index, "NOSUCHTAG", names="NOSUCHTAG")
        self.expect_error("index", table, index, "BAD", "UPPER(NOSUCHFIELD)", names="NOSUCHFIELD")
        self.expect_error("create", self.path("x.dbf"), "NAME:Q:10", names="x.dbf")

    def test_bad_widths_and_rows_are_refused(self):
        table = self.make_table()
        cases = [  # create arguments or CSV text to load, what the error names, rows stored
            (["NAME:C:300"], ["NAME", "254"], None),
            (["PRIJS:N:21:2"], ["PRIJS", "20"], None),
            ("\ufeffcdnummer,ARTIEST\r\n1,a\r\n2,b\x00c\r\n", ["line 3", "ARTIEST", "NUL"], 1),
            ("ARTIEST,artiest\r\nx,y\r\n", ["artiest", "twice"], None),
            ('TITEL,PRIJS\r\n"a\r\nb",1.5\r\nc,2.50\r\nd,2.125\r\n', ["line 5", "PRIJS"], 2),
            ('TITEL\r\nx\r\n"y\r\n', ["line 3", "not closed"], 1),
        ]
        for case, names, stored in cases:
            with self.subTest(case=case):
                before = len(iu.dump(table))
                if isinstance(case, list):
                    proc = iu.xbtool("create", self.path("w.dbf"), *case, expect=2)
                else:
                    self.write("bad.csv", case.encode("utf-8"))
                    proc = iu.xbtool("load", table, self.path("bad.csv"), expect=2)
                if stored is not None:
                    names.append("%d row%s stored before it" % (stored, " was" if stored == 1 else "s were"))
                self.assertEqual(len(iu.dump(table)), before + (stored or 0))
                for name in names:
                    self.assertIn(name, proc.err)

    def test_dirty_index_and_lost_memos_are_reported(self):
        table = self.make_table()
        index = self.path("HFDAT.CDX")
        iu.xbtool("index", table, index, "ARTIEST", "UPPER(ARTIEST)")
        with open(index, "r+b") as f:
            own = f.read(32)[24:28] == b"TNL1"  # where this engine keeps its dirty mark
            f.seek(28 if own else 16)
            f.write(b"\x01")
        for args in [("walk", table, index, "ARTIEST"), ("seek", table, index, "ARTIEST", "ABBA"),
                     ("dump", table, "--index", index)]:
            self.assertIn("marked dirty", iu.xbtool(*args).err)
        self.assertIn("marked dirty", iu.xbtool("check", table, index, expect=1).out)
        # Every memo now lies past the end of the memo file; dump reports each and goes on.
        os.truncate(iu.find_file(self.dir, "hfdat.fpt"), 512)
        proc = iu.xbtool("dump", table, expect=1)
        self.assertEqual(len(proc.out.splitlines()), len(ROWS))
        self.assertEqual([line.split(",")[0] for line in proc.err.splitlines()],
                         ["xbtool: record 1", "xbtool: record 3", "xbtool: record 4"])


if __name__ == "__main__":
    iu.main()
