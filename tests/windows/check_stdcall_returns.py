#!/usr/bin/env python3
"""Checks that every export of a 32-bit Windows DLL pops its own arguments.

A stdcall host pushes the arguments and leaves the clean-up to the callee, so each export
named _Name@N must leave with "ret N" (plain "ret" when N is 0) on every path. A function
compiled with the C convention links and exports under the same names but returns with a
plain "ret", and the host's stack then drifts by N bytes per call.

The code is found through the export table (names, ordinals, RVAs), not through symbols, so
a stripped DLL is read the same way. A function's body runs from its address to the next
label of the disassembly; code that the compiler moved out of line ("Name.cold") belongs to
it too.

usage: check_stdcall_returns.py OBJDUMP DLL
Prints one line per export; exit status 1 when any export returns otherwise.
"""
import re
import subprocess
import sys

DECORATED = re.compile(r"^_?(?P<name>[A-Za-z_][A-Za-z0-9_]*)@(?P<bytes>[0-9]+)$")
LABEL = re.compile(r"^([0-9a-f]+) <(.+)>:$")
RETURN = re.compile(r"^\s*[0-9a-f]+:\s+(?:[0-9a-f]{2} )+\s*(ret[lw]?)\s*(\$0x[0-9a-f]+)?\s*$")


def run(objdump, *arguments):
    return subprocess.run([objdump, *arguments], check=True, capture_output=True,
                          text=True).stdout


def exports(headers):
    """(decorated name, virtual address) of every named export."""
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)$", headers, re.M).group(1), 16)
    addresses = {}
    names = {}
    section = None
    for line in headers.splitlines():
        if line.startswith("Export Address Table -- Ordinal Base"):
            section = "addresses"
            continue
        if line.startswith("[Ordinal/Name Pointer] Table"):
            section = "names"
            continue
        if not line.strip():
            section = None
            continue
        if section == "addresses":
            match = re.match(r"^\s*\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA", line)
            if match:
                addresses[int(match.group(1))] = base + int(match.group(2), 16)
        elif section == "names":
            match = re.match(r"^\s*\[\s*(\d+)\] (\S+)$", line)
            if match:
                names[match.group(2)] = int(match.group(1))
    return [(name, addresses.get(index)) for name, index in sorted(names.items())]


def bodies(disassembly):
    """label address -> (label, list of return instructions as "ret" or "ret $0xN")."""
    functions = {}
    current = None
    for line in disassembly.splitlines():
        label = LABEL.match(line)
        if label:
            current = (label.group(2), [])
            functions[int(label.group(1), 16)] = current
            continue
        returned = RETURN.match(line)
        if returned and current is not None:
            current[1].append(" ".join(filter(None, returned.groups())))
    return functions


def main(objdump, dll):
    functions = bodies(run(objdump, "-d", dll))
    by_label = {label: returns for label, returns in functions.values()}
    failures = 0
    listed = exports(run(objdump, "-p", dll))
    if not listed:
        print(f"FAIL: {dll}: no export read")
        return 1
    for name, address in listed:
        decorated = DECORATED.match(name)
        if not decorated or address is None or address not in functions:
            print(f"FAIL: {name}: no decorated size or no code at its export address")
            failures += 1
            continue
        label, returns = functions[address]
        returns = returns + by_label.get(label + ".cold", [])
        size = int(decorated.group("bytes"))
        expected = "ret" if size == 0 else f"ret ${size:#x}"
        wrong = sorted({r for r in returns if r.replace("retl", "ret") != expected})
        if not returns or wrong:
            print(f"FAIL: {name}: returns with {wrong or 'no ret at all'}, expected '{expected}'")
            failures += 1
        else:
            print(f"ok: {name}: {len(returns)} x '{expected}'")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__.split("\n\n")[-1])
    sys.exit(main(sys.argv[1], sys.argv[2]))
