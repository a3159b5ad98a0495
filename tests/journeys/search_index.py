"""A search index for a content folder, written here in Python as an author's own tool could
write it: the viewer must find its way around an index it did not write. The same file as the
host kit's writer makes: meta (version, content fingerprint) and the FTS5 table of folded titles
and descriptions with the titles as written."""

import sqlite3
import struct
from pathlib import Path

RECORD = 1578
LISTS = ("ListaMM.lst", "ListaLemmi.lst")
MASK = (1 << 64) - 1
# The letters the tokenizer does not fold by itself.
FOLDS = {"Æ": "AE", "æ": "ae", "Ð": "D", "ð": "d", "Ø": "O", "ø": "o", "Þ": "TH", "þ": "th",
         "ß": "ss", "Đ": "D", "đ": "d", "Ħ": "H", "ħ": "h", "ı": "i", "Ĳ": "IJ", "ĳ": "ij",
         "Ŀ": "L", "ŀ": "l", "Ł": "L", "ł": "l", "Œ": "OE", "œ": "oe", "Ŧ": "T", "ŧ": "t",
         "ẞ": "SS", "ĸ": "q"}


class _Hash128:
    """The content fingerprint's hash: two 64-bit lanes over 8-byte little-endian words."""

    def __init__(self):
        self.a, self.b = 0x6a09e667f3bcc908, 0xbb67ae8584caa73b

    @staticmethod
    def _rotl(v, r):
        return ((v << r) | (v >> (64 - r))) & MASK

    @staticmethod
    def _final(h):
        h ^= h >> 33
        h = (h * 0xff51afd7ed558ccd) & MASK
        h ^= h >> 33
        h = (h * 0xc4ceb9fe1a85ec53) & MASK
        return h ^ (h >> 33)

    def mix(self, w):
        self.a = (self._rotl(self.a ^ ((w * 0x87c37b91114253d5) & MASK), 31)
                  * 0x9e3779b97f4a7c15) & MASK
        self.b = (self._rotl((self.b + ((w * 0x4cf5ad432745937f) & MASK)) & MASK, 27)
                  * 0xc2b2ae3d27d4eb4f + self.a) & MASK

    def add(self, data):
        whole = len(data) // 8 * 8
        for (w,) in struct.iter_unpack("<Q", data[:whole]):
            self.mix(w)
        tail = data[whole:]
        self.mix(int.from_bytes(tail, "little") ^ (len(tail) << 56))

    def hex(self):
        return "%016x%016x" % (self._final(self.a), self._final(self.b))


def fingerprint(folder):
    h = _Hash128()
    for name in LISTS:
        path = Path(folder) / name
        data = path.read_bytes() if path.exists() else b""
        body = _Hash128()
        for start in range(0, len(data), 1 << 20):
            body.add(data[start:start + (1 << 20)])
        h.mix(len(data))
        h.add(body.hex().encode())
    return h.hex()


def fold(text):
    return "".join(FOLDS.get(c, c) for c in text)


def write(folder):
    folder = Path(folder)
    path = folder / "search.sqlite"
    path.unlink(missing_ok=True)
    db = sqlite3.connect(path)
    db.execute("CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT)")
    db.execute("INSERT INTO meta VALUES ('version', '1'), ('content', ?)", (fingerprint(folder),))
    db.execute("CREATE VIRTUAL TABLE entries USING fts5(title, description, list UNINDEXED, "
               "record UNINDEXED, label UNINDEXED, tokenize = \"unicode61 remove_diacritics 2\", "
               "prefix = '1 2 3 4 5 6')")
    for number, name in enumerate(LISTS):
        data = (folder / name).read_bytes()
        for i in range(len(data) // RECORD):
            rec = data[i * RECORD:(i + 1) * RECORD]
            title = rec[299:554].decode("cp1250").rstrip(" \0")
            caption = rec[554:].decode("cp1250").rstrip(" \0")
            db.execute("INSERT INTO entries VALUES (?, ?, ?, ?, ?)",
                       (fold(title), fold(caption), number, i, title))
    db.commit()
    db.close()
    return path
