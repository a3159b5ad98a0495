"""Content folders a journey needs besides the sample: the sample's files linked in, one or two
of them replaced (a long linked-entries list, a broken packed file, a list file missing)."""

from pathlib import Path

from viewer import SAMPLE

RECORD = 1578
# The fields of a list record: offset and width, blank-padded text in the code page.
FIELDS = {"code": (0, 8), "folder": (8, 255), "blob": (263, 12), "name": (275, 12),
          "type": (287, 12), "description": (299, 255), "caption": (554, 1024)}


def record(**values):
    data = bytearray(b" " * RECORD)
    for key, text in values.items():
        offset, width = FIELDS[key]
        raw = text.encode("cp1250")[:width]
        data[offset:offset + len(raw)] = raw
    return bytes(data)


def linked_copy(folder, replaced=()):
    """A content folder whose files link to the sample's, except the paths (relative to the
    content folder) in replaced, which the caller writes."""
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    replaced = {Path(r) for r in replaced}
    inside = {p.parent for p in replaced}
    for entry in SAMPLE.iterdir():
        rel = entry.relative_to(SAMPLE)
        if rel in replaced:
            continue
        if rel in inside:
            (folder / rel).mkdir(exist_ok=True)
            for sub in entry.iterdir():
                if sub.relative_to(SAMPLE) not in replaced:
                    (folder / rel / sub.name).symlink_to(sub)
        else:
            (folder / rel).symlink_to(entry)
    return folder


def long_linked_list(folder, count):
    """The sample with a linked-entries list of count entries."""
    folder = linked_copy(folder, ["ListaLemmi.lst"])
    with open(folder / "ListaLemmi.lst", "wb") as out:
        for i in range(1, count + 1):
            out.write(record(code="%d" % (1000 + i), description="Hasło powiązane %d" % i))
    return folder


def broken_packed_texts(folder):
    """The sample with its packed texts (media/TEKSTY.BLB) not a zip file at all."""
    folder = linked_copy(folder, ["media/TEKSTY.BLB"])
    (folder / "media" / "TEKSTY.BLB").write_bytes(b"not a packed file " * 100)
    return folder


def without(folder, name):
    """The sample without one of its files."""
    return linked_copy(folder, [name])
