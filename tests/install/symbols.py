#!/usr/bin/python3
"""The libraries' exported symbols against the kept lists in symbols/.

Usage: symbols.py LIBDIR [--update]

For every shared library in LIBDIR (libNAME.so), the names it defines strongly in its dynamic
symbol table, without parameter lists (one line per function, whatever its overloads), must be
exactly those of symbols/NAME.txt: a name exported by accident, or one listed but gone, fails.
Weak definitions (inline functions, template instances) and a class's tables (vtable, typeinfo:
strong with clang, weak with gcc) are the compiler's choice and not listed; nor are names starting with "_", which toolchains add (sanitizers, _init).
--update rewrites the lists from the libraries.
"""
import pathlib
import re
import subprocess
import sys

LISTS = pathlib.Path(__file__).resolve().parent / "symbols"
STRONG = set("TDBRG")
# A class's tables follow its key function; gcc makes them weak where clang does not.
VAGUE = ("vtable for", "typeinfo for", "typeinfo name for", "VTT for")


def strip_parameters(name):
    """quindel::F(int) const -> quindel::F; names without a parameter list stay whole."""
    name = re.sub(r"\[abi:[^\]]*\]|\s*\[clone [^\]]*\]", "", name)
    end = len(name)
    tail = re.search(r"\)(\s*(const|volatile|&&|&|noexcept))*\s*$", name)
    if not tail or name.startswith(("vtable for", "typeinfo", "VTT for", "guard variable")):
        return name
    depth = 0
    for i in range(tail.start(), -1, -1):
        if name[i] == ")":
            depth += 1
        elif name[i] == "(":
            depth -= 1
            if depth == 0:
                end = i
                break
    return name[:end]


def exported(library):
    out = subprocess.run(["nm", "-D", "--defined-only", "-C", str(library)], check=True,
                         capture_output=True, text=True).stdout
    names = set()
    for line in out.splitlines():
        parts = line.split(" ", 2)
        if len(parts) < 3 or parts[1] not in STRONG or parts[2].startswith("_"):
            continue
        if parts[2].startswith(VAGUE):
            continue
        names.add(strip_parameters(parts[2]))
    return sorted(names)


def main():
    libdir = pathlib.Path(sys.argv[1])
    update = "--update" in sys.argv[2:]
    failures = []
    libraries = sorted(libdir.glob("lib*.so"))
    if not libraries:
        failures.append(f"no libraries in {libdir}")
    for library in libraries:
        name = library.name[len("lib"):-len(".so")]
        kept = LISTS / f"{name}.txt"
        names = exported(library)
        if update:
            kept.write_text("".join(n + "\n" for n in names))
            continue
        if not kept.exists():
            failures.append(f"{library.name}: no list {kept.name} (run with --update and review it)")
            continue
        listed = [line for line in kept.read_text().splitlines() if line]
        extra = sorted(set(names) - set(listed))
        gone = sorted(set(listed) - set(names))
        for n in extra:
            failures.append(f"{library.name}: exported but not listed: {n}")
        for n in gone:
            failures.append(f"{library.name}: listed but not exported: {n}")
    for f in failures:
        print(f)
    if not failures and not update:
        print(f"{len(libraries)} libraries export what their lists say")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
