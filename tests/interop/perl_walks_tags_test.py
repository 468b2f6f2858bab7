"""Perl walks our tags: every tag xbtool writes into a compound index must be walked by Perl's
XBase::Index in the same order as `xbtool walk`, with the keys the expressions give, after bulk
builds, appends, deletions and a pack."""
import os
import random
import subprocess

import interop_util as iu

HERE = os.path.dirname(os.path.abspath(__file__))
FIELDS = ["TITEL:C:50", "ARTIEST:C:50", "TRACK:N:4", "CDNUMMER:N:9", "DRAGER:C:10", "AKANT:C:1",
          "JAAR:C:4"]
# name, expression, perl key type, key length
TAGS = [
    ("ARTIEST", "UPPER(ARTIEST)+UPPER(TITEL)", "C", 100),
    ("CDNUMMER", "CDNUMMER", "N", 8),
    ("DRAGER", "UPPER(DRAGER)+STR(CDNUMMER)", "C", 20),
    ("DRAGERTRK", "UPPER(DRAGER)+STR(CDNUMMER)+AKANT+STR(TRACK)", "C", 31),
    ("JAAR", "JAAR", "C", 4),
]
ARTISTS = ["The Beatles", "Beatles Revival Band", "Björk", "Édith Piaf", "ABBA", "Abba Gold",
           "Motörhead", "Die Ärzte", "Œuvre Collective", "Šarlota", "", "Zz Top", "a-ha", "Queen",
           "Queen + Paul Rodgers", "Straße", "Ÿ", "Céline", "Cœur de Pirate", "Ween"]
DRAGERS = ["CD", "cd", "LP", "MC", "Single", "DVD", "", "cd-r"]


def make_rows(rng, count, first_cd):
    rows = []
    cd = first_cd
    while len(rows) < count:
        artist = rng.choice(ARTISTS)
        drager = rng.choice(DRAGERS)
        jaar = rng.choice(["", "1965", "1977", "1999", "2000", "2020", "19"])
        cdnummer = rng.choice(["", "-1234", "999999999", "0"]) if rng.random() < 0.03 else str(cd)
        cd += rng.randint(1, 3)
        for track in range(1, rng.randint(2, 16)):
            if len(rows) == count:
                break
            # Half the titles are plain ASCII, so that their keys can be checked byte for byte.
            pool = iu.ASCII_WORDS if rng.random() < 0.5 else iu.WORDS
            titel = iu.words(rng, 50, pool) if rng.random() < 0.9 else rng.choice(["", "Intro", "intro"])
            akant = rng.choice(["A", "B", ""]) if drager in ("LP", "MC") else ""
            rows.append([titel, artist, str(track), cdnummer, drager, akant, jaar])
    return rows


def perl_walk(index, tag, key_type):
    proc = subprocess.run(["perl", os.path.join(HERE, "cdx_walk.pl"), index, tag, key_type],
                          capture_output=True, timeout=300)
    if proc.returncode != 0:
        raise AssertionError("perl XBase::Index could not walk tag %s of %s: %s"
                             % (tag, index, proc.stderr.decode("utf-8", "replace")))
    out = []
    for line in proc.stdout.decode("ascii").splitlines():
        recno, key = line.split("\t")
        out.append((int(recno), bytes.fromhex(key) if key_type == "C" else float(key)))
    return out


def ascii_key(tag, rec):
    """The key bytes of a record whose text is ASCII (no doubt what UPPER gives), else None."""
    v = dict(rec)
    if not all(s.isascii() for s in v.values()):
        return None

    def c(name, width):  # a character field as the key holds it
        return v[name].ljust(width)

    def s(name):  # STR() of a numeric field
        return str(int(v[name] or "0")).rjust(10)

    key = {
        "ARTIEST": c("ARTIEST", 50).upper() + c("TITEL", 50).upper(),
        "DRAGER": c("DRAGER", 10).upper() + s("CDNUMMER"),
        "DRAGERTRK": c("DRAGER", 10).upper() + s("CDNUMMER") + c("AKANT", 1) + s("TRACK"),
        "JAAR": c("JAAR", 4),
    }[tag]
    # XBase::Index hands character keys back without their trailing blanks.
    return key.rstrip(" ").encode("ascii")


class PerlWalksTags(iu.FolderTest):
    def setUp(self):
        super().setUp()
        self.table = self.path("TRACKS.DBF")
        self.index = self.path("TRACKS.CDX")
        rng = random.Random(1988)
        self.first = make_rows(rng, 1500, 1)
        self.more = make_rows(rng, 500, 5000)
        for name, rows in (("first.csv", self.first), ("more.csv", self.more)):
            iu.write_csv(self.path(name), [f.split(":")[0] for f in FIELDS], rows)
        iu.xbtool("create", self.table, *FIELDS)
        iu.xbtool("load", self.table, self.path("first.csv"))
        for name, expr, _, _ in TAGS:
            iu.xbtool("index", self.table, self.index, name, expr)

    def check_agreement(self, stage):
        records = iu.dump(self.table)
        deleted = {recno for recno, is_deleted, _ in records if is_deleted}
        check = iu.xbtool("check", self.table, self.index, expect=(0, 1))
        self.assertEqual(check.returncode, 0, "%s: xbtool check:\n%s" % (stage, check.out))
        for name, _, key_type, _ in TAGS:
            where = "%s, tag %s" % (stage, name)
            perl = perl_walk(self.index, name, key_type)
            order = [recno for recno, _ in perl]
            self.assertEqual(order, iu.walk(self.table, self.index, name, deleted=True), where)
            self.assertEqual([r for r in order if r not in deleted],
                             iu.walk(self.table, self.index, name), where)
            self.assertEqual(sorted(order), list(range(1, len(records) + 1)), where)
            # Keys ascend; equal keys list their records in record order.
            for (r1, k1), (r2, k2) in zip(perl, perl[1:]):
                self.assertTrue(k1 < k2 or (k1 == k2 and r1 < r2),
                                "%s: %r (record %d) before %r (record %d)" % (where, k1, r1, k2, r2))
            checked = 0
            for recno, key in perl:
                rec = records[recno - 1][2]
                if key_type == "N":
                    self.assertEqual(key, float(dict(rec)["CDNUMMER"] or "0"), where)
                    continue
                want = ascii_key(name, rec)
                if want is not None:
                    hint = ""
                    if b"\0" in key and b"\0" not in want:
                        # XBase::Index rebuilds shared leading bytes from the previous key with
                        # its trailing blanks as NULs, so those bytes must not be shared.
                        hint = " (duplicate count reaches into the previous key's trailing blanks)"
                    self.assertEqual(key, want, "%s, record %d%s" % (where, recno, hint))
                    checked += 1
            self.assertTrue(key_type == "N" or checked > 100, where)

    def test_tags_are_listed_with_their_expressions(self):
        lines = iu.xbtool("tags", self.index).out.splitlines()
        got = sorted(tuple(line.split("\t")) for line in lines)
        want = sorted((name, str(length), expr) for name, expr, _, length in TAGS)
        self.assertEqual(got, want)

    def test_bulk_append_delete_and_pack(self):
        self.check_agreement("after building the tags")

        iu.xbtool("load", self.table, self.path("more.csv"), "--index", self.index)
        self.check_agreement("after appending with --index")

        rng = random.Random(5)
        gone = sorted(set(rng.sample(range(1, 2001), 150) + [1, 2000]))
        iu.xbtool("delete", self.table, *gone, "--index", self.index)
        self.check_agreement("after deleting")

        iu.xbtool("pack", self.table, self.index)
        self.assertEqual(len(iu.dump(self.table)), 2000 - len(gone))
        self.check_agreement("after packing")

    def test_replacing_a_tag_keeps_the_others(self):
        iu.xbtool("index", self.table, self.index, "JAAR", "JAAR")
        iu.xbtool("index", self.table, self.index, "JAAR", "JAAR")
        self.assertEqual(len(iu.xbtool("tags", self.index).out.splitlines()), len(TAGS))
        self.check_agreement("after replacing a tag")


if __name__ == "__main__":
    iu.main()
