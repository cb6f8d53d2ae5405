"""Pure text rules shared with the library: how it names cached results, how it writes
conditions, and how values and names have to look in its 64-byte slots.

Everything here works on the encoded 8-bit texts the library sees, never on Python str,
because the library's rules (upper-casing, slot sizes) are rules about bytes.
"""

import datetime
import decimal
import math
import re
import struct

from .errors import InputError

SLOT_SIZE = 64  # QUORLIN_VALUE_SLOT_SIZE: one name or value with its terminator
GRID_CELL_TEXT = 64
TYPE_FLOAT, TYPE_NUMERIC, TYPE_CHAR, TYPE_DATE = 0, 1, 2, 3

_C_SPACE = b" \t\n\r\v\f"
_ASCII_LOWER = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz")


def ascii_fold(name):
    """A field name folded the way the library compares names: ASCII letters only."""
    return name.translate(_ASCII_LOWER)


_LEADING_NUMBER = re.compile(r"[ \t\n\r\v\f]*[+-]?(?:\d+(?:\.\d*)?|\.\d+)(?:[eE][+-]?\d+)?")


def leading_number(text):
    """A value text read as the library reads an aggregate's: white space, a sign, digits
    with "." as the decimal point and an exponent; a text without a number gives 0."""
    match = _LEADING_NUMBER.match(text)
    return float(match.group()) if match else 0.0


def table_name_of_query(sql):
    """The name under which the full profile caches the result of ``sql`` (bytes).

    bytes.upper changes ASCII letters only, which is the library's upper-casing too.
    """
    text = sql.upper().replace(b" ", b"").replace(b"[", b"").replace(b"]", b"")
    text = text.replace(b"\n\t", b"")
    start = text.find(b"FROM")
    if start <= 0:
        return b""
    end = text.find(b"WHERE")
    if end < 0:
        end = len(text)
    count = end - start - 4
    return text[start + 4:start + 4 + count] if count > 0 else b""


def make_where_clause(condition, legacy=False):
    """The clause the library puts after a table name for ``condition`` (bytes)."""
    text = condition.lstrip(_C_SPACE)
    if not text:
        return b""
    head = text[:5].upper()
    keep = (b"WHERE",) if legacy else (b"WHERE", b"ORDER")
    return b"\n\t" + (text if head in keep else b"WHERE " + text)


def select_statement(table, condition, legacy=False):
    return b"SELECT * FROM  " + table + b" " + make_where_clause(condition, legacy)


def aggregate_key(table, column, condition):
    """The cache name of an aggregate's result, or None when it depends on the quotes the
    library writes around the column (a column whose name holds FROM or WHERE)."""
    folded = column.upper().replace(b" ", b"")
    if b"FROM" in folded or b"WHERE" in folded:
        return None
    return table_name_of_query(b"SELECT AVG(" + column + b") FROM " + table + b" " +
                               make_where_clause(condition))


def encode_text(text, encoding, what):
    """``text`` (str) as the library's 8-bit text; refuses what it could not carry."""
    if not isinstance(text, str):
        raise InputError(f"{what} must be a str, not {type(text).__name__}")
    if "\0" in text:
        raise InputError(f"{what} contains a NUL character, which ends a text for the library")
    try:
        return text.encode(encoding)
    except UnicodeEncodeError as error:
        raise InputError(f"{what} cannot be written in the encoding {encoding}: {error.reason} "
                         f"({text[error.start:error.end]!r})") from None


def check_slot(data, what):
    if len(data) >= SLOT_SIZE:
        raise InputError(f"{what} takes {len(data)} bytes; a slot holds at most "
                         f"{SLOT_SIZE - 1} (it would be cut)")
    return data


def encode_name(name, encoding, what="column name"):
    """A column name for a name slot or a bind table: written between quotes (or bare) and
    never escaped by the library, so quote characters and surrounding blanks are refused."""
    data = encode_text(name, encoding, what)
    if not data:
        raise InputError(f"{what} is empty")
    if data.strip(_C_SPACE) != data:
        raise InputError(f"{what} {name!r} has white space around it, which the library "
                         f"would remove")
    for quote in '"`[]':
        if quote in name:
            raise InputError(f"{what} {name!r} contains {quote}, which the library does not "
                             f"escape")
    return check_slot(data, f"{what} {name!r}")


def sql_string_body(text, backslash_escapes):
    """A CHAR value as it goes between the single quotes the library adds."""
    text = text.replace("'", "''")
    if backslash_escapes:
        text = text.replace("\\", "\\\\")
    return text


def encode_value(name, value, encoding, backslash_escapes):
    """(type code, slot text) for one Python value.

    None becomes NULL written bare (as a number is), str a CHAR value with its quotes
    doubled, dates and datetimes a DATE value in ISO form.
    """
    what = f"value of {name!r}"
    if value is None:
        code, text = TYPE_NUMERIC, "NULL"
    elif isinstance(value, bool):
        code, text = TYPE_NUMERIC, "1" if value else "0"
    elif isinstance(value, int):
        code, text = TYPE_NUMERIC, str(value)
    elif isinstance(value, float):
        if not math.isfinite(value):
            raise InputError(f"{what} is {value!r}, which SQL cannot write")
        code, text = TYPE_FLOAT, repr(value)
    elif isinstance(value, decimal.Decimal):
        if not value.is_finite():
            raise InputError(f"{what} is {value}, which SQL cannot write")
        code, text = TYPE_NUMERIC, str(value)
    elif isinstance(value, datetime.datetime):
        code, text = TYPE_DATE, value.isoformat(sep=" ")
    elif isinstance(value, datetime.date):
        code, text = TYPE_DATE, value.isoformat()
    elif isinstance(value, str):
        code, text = TYPE_CHAR, sql_string_body(value, backslash_escapes)
    else:
        raise InputError(f"{what} is a {type(value).__name__}; give a str, int, float, "
                         f"Decimal, date, datetime or None")
    return code, check_slot(encode_text(text, encoding, what), what)


def slot_block(texts):
    """Texts in consecutive 64-byte slots, each zero-filled."""
    return b"".join(text.ljust(SLOT_SIZE, b"\0") for text in texts)


def _grid_cell(text=b"", value=0):
    return text.ljust(GRID_CELL_TEXT, b"\0") + struct.pack("<i", value)


def bind_table_file(names, codes):
    """A bind-table grid file (four columns, a caption row, one row per field)."""
    rows = [_grid_cell(b"Field") + _grid_cell(b"Name") + _grid_cell(b"Type") +
            _grid_cell(b"Detail")]
    for name, code in zip(names, codes):
        rows.append(_grid_cell() + _grid_cell(name) + _grid_cell(value=code) + _grid_cell())
    return struct.pack("<ii", len(rows), 4) + b"".join(rows)


def names_mysql_driver(connect):
    """Whether the full profile writes the MySQL dialect for this connect string (bytes)."""
    return b"DRIVER=MYSQL" in connect.replace(b" ", b"").upper()


def split_table_name(table):
    """(schema or None, name) of a plain, possibly qualified and quoted table name, or None
    when the text is something else (a join, a subquery)."""
    parts, current, quote, i = [], [], None, 0
    closing = {'"': '"', "`": "`", "[": "]"}
    while i < len(table):
        c = table[i]
        if quote:
            if c == closing[quote]:
                if c != "]" and table[i + 1:i + 2] == c:
                    current.append(c)
                    i += 1
                else:
                    quote = None
            else:
                current.append(c)
        elif c in closing:
            quote = c
        elif c == ".":
            parts.append("".join(current))
            current = []
        elif c.isalnum() or c in "_$":
            current.append(c)
        else:
            return None
        i += 1
    parts.append("".join(current))
    if quote or not all(parts) or len(parts) > 2:
        return None
    return (parts[0] if len(parts) == 2 else None), parts[-1]
