"""Shared helpers for the interop tests: running xbtool, fresh folders, deterministic test text.

Each test script is run by ctest as `/usr/bin/python3 SCRIPT XBTOOL [unittest args]`.
"""
import csv
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

XBTOOL = None

# Windows-1252 text that a catalogue really holds: accents, ligatures, typographic quotes, the
# euro sign and the letters that only Windows-1252 (not Latin-1) has.
WORDS = [
    "Café", "Müller", "Straße", "Œuvre", "šalša", "Björk", "Motörhead", "Ça", "naïve", "Señor",
    "Žižek", "Ÿvette", "€uro", "„Lied“", "‘quoted’", "Dvorák", "Ærø", "Þór", "crème", "brûlée",
    "Blue", "Öyster", "Cult", "Die", "Ärzte", "love", "song", "live", "at", "the", "Paradiso",
    "Œdipe", "Šumava", "façade", "Zoë", "Noël", "déjà", "vu", "I", "II", "III", "–", "…", "™",
    "O'Brien", 'say "hi"', "a,b", "x;y", "½", "¿qué?", "¡olé!", "×", "ø", "ñandú",
]


def encodable(text):
    """True when `text` fits Windows-1252 (the tables we create)."""
    return text.encode("cp1252", errors="replace").decode("cp1252") == text


assert all(map(encodable, WORDS))


ASCII_WORDS = [w for w in WORDS if w.isascii()]


def words(rng, max_len, pool=WORDS):
    """Random words joined by blanks, at most `max_len` characters, no trailing blank."""
    out = ""
    while True:
        w = rng.choice(pool)
        candidate = w if not out else out + " " + w
        if len(candidate) > max_len:
            return out.rstrip(" ")
        out = candidate


def exact_length(rng, length):
    """Text of exactly `length` characters (each one byte in Windows-1252)."""
    out = words(rng, length + 20)
    while len(out) < length:
        out += " " + rng.choice(WORDS)
    out = out[:length]
    # A value that fills the field must end in a visible character to be seen to fill it.
    return out[:-1] + "é"


def memo_text(rng, length):
    """A memo of exactly `length` characters with CRLF and LF line breaks and tabs."""
    parts = []
    size = 0
    while size < length:
        r = rng.random()
        piece = "\r\n" if r < 0.08 else "\n" if r < 0.12 else "\t" if r < 0.14 else rng.choice(WORDS) + " "
        parts.append(piece)
        size += len(piece)
    return "".join(parts)[:length]


def write_csv(path, header, rows):
    """Writes a UTF-8 CSV with RFC 4180 quoting (CRLF records, quotes doubled when needed)."""
    with open(path, "w", encoding="utf-8", newline="") as f:
        csv.writer(f, quoting=csv.QUOTE_MINIMAL, lineterminator="\r\n").writerows([header, *rows])


def find_file(folder, name):
    """The file in `folder` whose name equals `name` without regard to case, or None."""
    found = [e for e in os.listdir(folder) if e.lower() == name.lower()]
    return os.path.join(folder, found[0]) if found else None


class XbtoolError(AssertionError):
    pass


def xbtool(*args, expect=0):
    """Runs xbtool; fails the test unless it exits with `expect` (an int or a tuple of ints)."""
    cmd = [XBTOOL] + [str(a) for a in args]
    proc = subprocess.run(cmd, capture_output=True, timeout=120)
    allowed = expect if isinstance(expect, tuple) else (expect,)
    if proc.returncode not in allowed:
        raise XbtoolError(
            "xbtool %s: exit %d, expected %s\nstdout:\n%s\nstderr:\n%s"
            % (" ".join(cmd[1:]), proc.returncode, expect,
               proc.stdout.decode("utf-8", "replace")[-4000:],
               proc.stderr.decode("utf-8", "replace")[-4000:]))
    proc.out = proc.stdout.decode("utf-8")
    proc.err = proc.stderr.decode("utf-8", "replace")
    return proc


def dump(table):
    """`xbtool dump` as a list of (recno, deleted, [(field, value), ...]) in key order."""
    records = []
    for line in xbtool("dump", table).out.splitlines():
        pairs = json.loads(line, object_pairs_hook=list)
        keys = [k for k, _ in pairs]
        assert keys[:2] == ["recno", "deleted"], "dump keys start with %r" % keys[:2]
        assert isinstance(pairs[0][1], int) and isinstance(pairs[1][1], bool), line[:200]
        for k, v in pairs[2:]:
            assert isinstance(v, str), "field %s is not a string: %r" % (k, v)
        records.append((pairs[0][1], pairs[1][1], pairs[2:]))
    return records


def walk(table, index, tag, deleted=False):
    args = ["walk", table, index, tag] + (["--deleted"] if deleted else [])
    return [int(x) for x in xbtool(*args).out.split()]


class FolderTest(unittest.TestCase):
    """A test case that works in a fresh temporary folder, removed afterwards."""

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="tunelo-interop-")
        self.addCleanup(shutil.rmtree, self.dir, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.dir, name)


def main():
    """Takes the xbtool path from the command line, then runs the unittest cases."""
    global XBTOOL
    if len(sys.argv) < 2:
        sys.exit("usage: %s XBTOOL [unittest options]" % sys.argv[0])
    XBTOOL = os.path.abspath(sys.argv.pop(1))
    if not os.access(XBTOOL, os.X_OK):
        sys.exit("%s: not an executable" % XBTOOL)
    unittest.main(verbosity=2)
