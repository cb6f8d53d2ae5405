"""The text rules the package shares with the library, checked without a database."""

import datetime
import decimal
import struct

import pytest

from quorlin import _text
from quorlin.errors import InputError


@pytest.mark.parametrize("sql, name", [
    (b"SELECT * FROM  [Tank Level] WHERE ID=1", b"TANKLEVEL"),
    (b"SELECT * FROM T", b"T"),
    (b"select * from t order by x", b"TORDERBYX"),
    (b"SELECT FROMDATE FROM T", b"DATEFROMT"),
    (b"SELECT 1", b""),
    (b"FROM T", b""),
    (b"SELECT * FROM  Tanks \n\tWHERE Level > 1", b"TANKS"),
    (b"SELECT * FROM  Tanks \n\tORDER BY Level", b"TANKSORDERBYLEVEL"),
    (b"SELECT * FROM  A\n\n\tB", b"A\nB"),
    (b"SELECT * FROM WHERE", b""),
])
def test_the_cache_name_of_a_query(sql, name):
    assert _text.table_name_of_query(sql) == name


@pytest.mark.parametrize("condition, legacy, clause", [
    (b"", False, b""),
    (b" \t\n", False, b""),
    (b"Level > 2", False, b"\n\tWHERE Level > 2"),
    (b"  where Level > 2 ", False, b"\n\twhere Level > 2 "),
    (b"ORDER BY Time", False, b"\n\tORDER BY Time"),
    (b"ORDER BY Time", True, b"\n\tWHERE ORDER BY Time"),
    (b"ORDERS > 3", False, b"\n\tORDERS > 3"),
    (b"ORD", False, b"\n\tWHERE ORD"),
])
def test_the_where_clause(condition, legacy, clause):
    assert _text.make_where_clause(condition, legacy) == clause


@pytest.mark.parametrize("column, key", [(b"Level", b"TANKS"), (b"FromDate", None),
                                         (b"Where x", None)])
def test_an_aggregate_takes_its_table_cache_name(column, key):
    assert _text.aggregate_key(b"Tanks", column, b"Tag = 'A'") == key


@pytest.mark.parametrize("value, code, text", [
    (None, 1, b"NULL"), (True, 1, b"1"), (-12, 1, b"-12"), (1.5, 0, b"1.5"),
    (1e16, 0, b"1e+16"), (decimal.Decimal("12.125"), 1, b"12.125"),
    (datetime.date(2001, 2, 3), 3, b"2001-02-03"),
    (datetime.datetime(2001, 2, 3, 4, 5, 6), 3, b"2001-02-03 04:05:06"),
    ("O'Brien", 2, b"O''Brien"), ("a\\b", 2, b"a\\b"),
])
def test_python_values_become_slot_texts(value, code, text):
    assert _text.encode_value("F", value, "utf-8", backslash_escapes=False) == (code, text)


def test_backslashes_are_doubled_where_the_database_reads_escapes():
    assert _text.encode_value("F", "a\\b'", "utf-8", True) == (2, b"a\\\\b''")


@pytest.mark.parametrize("value", [decimal.Decimal("NaN"), float("-inf"), b"x", [1]])
def test_values_without_an_sql_form_are_refused(value):
    with pytest.raises(InputError):
        _text.encode_value("F", value, "utf-8", False)


def test_slot_blocks_and_bind_tables_have_the_library_layout():
    assert _text.slot_block([b"ab", b""]) == b"ab" + b"\0" * 62 + b"\0" * 64
    grid = _text.bind_table_file([b"Tag", b"Level"], [2, 0])
    rows, columns = struct.unpack_from("<ii", grid)
    assert (rows, columns) == (3, 4) and len(grid) == 8 + 3 * 4 * 68
    cell = 8 + (1 * 4 + 1) * 68  # row 1, column 1: the first field's name
    assert grid[cell:cell + 4] == b"Tag\0"
    assert struct.unpack_from("<i", grid, 8 + (2 * 4 + 2) * 68 + 64) == (0,)
    assert struct.unpack_from("<i", grid, 8 + (1 * 4 + 2) * 68 + 64) == (2,)


@pytest.mark.parametrize("text, number", [(" 1.5x", 1.5), ("-2e3", -2000.0), (".5", 0.5),
                                          ("", 0.0), ("0x10", 0.0), ("inf", 0.0),
                                          ("1e", 1.0)])
def test_aggregate_texts_are_read_as_the_library_reads_them(text, number):
    assert _text.leading_number(text) == number


@pytest.mark.parametrize("table, parsed", [
    ("Tanks", (None, "Tanks")), ("main.Tanks", ("main", "Tanks")),
    ('"My Tanks"', (None, "My Tanks")), ("`db`.`t`", ("db", "t")), ("[x y]", (None, "x y")),
    ('"a""b"', (None, 'a"b')), ("a JOIN b", None), ("(SELECT 1)", None), ("a.b.c", None),
    ("", None), ('"open', None),
])
def test_plain_table_names_are_told_from_other_texts(table, parsed):
    assert _text.split_table_name(table) == parsed


@pytest.mark.parametrize("connect, mysql", [
    (b"Driver=MySQL ODBC 3.51 Driver;Server=x", True),
    (b"DSN=plant;driver = mysql odbc", True),
    (b"DRIVER={MySQL ODBC 3.51 Driver}", False),
    (b"Driver=MariaDB;Server=x", False),
])
def test_the_mysql_dialect_follows_the_connect_string(connect, mysql):
    assert _text.names_mysql_driver(connect) is mysql
