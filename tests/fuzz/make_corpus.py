#!/usr/bin/env python3
"""Writes the seed corpus of the grid-file fuzz target: well-formed datasheet and bind-table
files, and the damaged shapes a reader must refuse without reading past the file.

    tests/fuzz/make_corpus.py [FOLDER]    (default: corpus/ beside this script)

The output is the same on every run, so the committed corpus can be checked against it.
"""

import os
import struct
import sys

CELL_TEXT = 64
DATASHEET_COLUMNS = 6
BIND_TABLE_COLUMNS = 4


def counts(rows, columns):
    return struct.pack("<ii", rows, columns)


def cell(text=b"", value=0):
    if len(text) > CELL_TEXT:
        raise ValueError("a cell text holds at most 64 bytes")
    return text.ljust(CELL_TEXT, b"\0") + struct.pack("<i", value)


def grid(columns, rows):
    """A whole file: the counts from the rows given (caption row first), then every cell."""
    body = b"".join(cell(*c) for row in rows for c in row)
    return counts(len(rows), columns) + body


# Datasheet rows: index, column name, type code (value), width text, two carried values.
def datasheet_row(index, name, type_code, width):
    return [(b"%d" % index,), (name,), (b"", type_code), (width,), (b"", 0), (b"", 0)]


DATASHEET_CAPTION = [(b"No",), (b"Name",), (b"Type",), (b"Width",), (b"",), (b"",)]
DATASHEET = grid(DATASHEET_COLUMNS, [
    DATASHEET_CAPTION,
    datasheet_row(1, b"ID", 1, b"10"),
    datasheet_row(2, b"Name", 2, b"20"),
    datasheet_row(3, b"Born", 3, b"8"),
])

# Bind-table rows: index, field name, type code (value), detail.
BIND_CAPTION = [(b"No",), (b"Field",), (b"Type",), (b"Detail",)]
BIND_TABLE = grid(BIND_TABLE_COLUMNS, [
    BIND_CAPTION,
    [(b"1",), (b"ID",), (b"", 1), (b"key",)],
    [(b"2",), (b"Name",), (b"", 2), (b"quoted",)],
])

FULL_NAME = b"N" * CELL_TEXT  # fills its cell: no terminator
UNTERMINATED = grid(BIND_TABLE_COLUMNS, [
    BIND_CAPTION,
    [(b"1",), (FULL_NAME,), (b"", 2), (b"D" * CELL_TEXT,)],
    [(b"2",), (b"-" + b"9" * 63,), (b"", -1), (b"",)],
])
# Cut inside its last row, so that the whole rows before the cut still look readable.
UNTERMINATED_DATASHEET = grid(DATASHEET_COLUMNS, [
    DATASHEET_CAPTION,
    [(b"1",), (FULL_NAME,), (b"", -7), (b" 99999999999999999999",), (b"", -1), (b"", 1 << 30)],
    datasheet_row(2, b"Amount", 4, b"-2147483649"),
])

CELL = CELL_TEXT + 4
SEEDS = {
    "datasheet-valid": DATASHEET,
    "bind-table-valid": BIND_TABLE,
    "rows-zero": counts(0, DATASHEET_COLUMNS),
    "rows-one-caption-only": grid(BIND_TABLE_COLUMNS, [BIND_CAPTION]),
    "rows-negative": counts(-3, BIND_TABLE_COLUMNS) + BIND_TABLE[8:8 + 2 * BIND_TABLE_COLUMNS * CELL],
    "rows-max-short-body": counts(2**31 - 1, DATASHEET_COLUMNS) + DATASHEET[8:8 + DATASHEET_COLUMNS * CELL],
    "columns-zero": counts(3, 0) + BIND_TABLE[8:8 + CELL],
    "columns-negative": counts(3, -1) + BIND_TABLE[8:8 + CELL],
    "truncated-header": DATASHEET[:6],
    "truncated-mid-cell": BIND_TABLE[:len(BIND_TABLE) - CELL - 30],
    "truncated-mid-row": UNTERMINATED_DATASHEET[:len(UNTERMINATED_DATASHEET) - 4 * CELL],
    "names-unterminated": UNTERMINATED,
    # Counts whose byte size wraps round 64 bits to the length of this very file.
    "counts-wrap-to-file-length": counts(648907921, 418049525) + bytes(84),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "corpus")
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
    total = sum(len(data) for data in SEEDS.values())
    print(f"make_corpus.py: {len(SEEDS)} seeds, {total} bytes in {folder}")


if __name__ == "__main__":
    main()
