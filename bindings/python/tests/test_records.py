"""Reading and writing records through the library, on every database and profile."""

import datetime
import decimal
import pickle

import pytest

import quorlin
from conftest import char_value, fold


def test_the_readme_example_runs_end_to_end(db, table_name, profile, database):
    tanks = table_name()
    db.execute(f"CREATE TABLE {tanks} (Tag CHAR(8), Level FLOAT)")
    db.insert(tanks, {"Tag": "T1", "Level": 1.5})
    db.insert(tanks, {"Tag": "T2", "Level": 0.5})

    rows = db.select(tanks, "Level > 1")
    assert fold(rows.columns) == ("tag", "level")
    assert len(rows) == 1
    (row,) = list(rows)
    assert row["Tag"] == char_value(profile, database, "T1", 8)
    assert float(row["Level"]) == 1.5

    assert db.aggregate(tanks, "avg", "Level") == pytest.approx(1.0)
    db.update(tanks, {"Level": 2.5}, "Tag = 'T1'")
    assert db.aggregate(tanks, "max", "Level") == pytest.approx(2.5)
    db.delete(tanks, "Tag = 'T1'")
    remaining = db.select(tanks)
    assert [(r["Tag"].rstrip(), float(r["Level"])) for r in remaining] == [("T2", 0.5)]


def test_rows_are_tuples_read_by_position_or_by_name(db, tanks, profile, database):
    rows = db.select(tanks)
    ordered = sorted(rows, key=lambda row: row[0])
    first, second = ordered
    t1 = char_value(profile, database, "T1", 8)
    assert isinstance(first, tuple) and len(first) == 2
    assert first[0] == first["Tag"] == first["TAG"] == first["tag"] == t1
    assert float(first[-1]) == 1.5
    assert first.as_dict().keys() == dict.fromkeys(rows.columns).keys()
    assert pickle.loads(pickle.dumps(first))["tag"] == t1
    assert second.get("Missing", "none") == "none"
    with pytest.raises(KeyError):
        first["Missing"]
    assert [r[0] for r in rows[0:2]] == [r[0] for r in rows]
    assert rows[-1] == rows[len(rows) - 1]
    with pytest.raises(IndexError):
        rows[2]
    with pytest.raises(IndexError):
        rows[-3]


def test_an_empty_result_has_no_rows(db, tanks):
    rows = db.select(tanks, "Level > 100")
    assert len(rows) == 0
    assert list(rows) == []
    with pytest.raises(IndexError):
        rows[0]


@pytest.mark.parametrize("length", [1, 255, 256, 257, 1024, 4095, 60000])
def test_values_of_any_length_come_back_whole(db, table_name, length):
    notes = table_name("Notes")
    db.execute(f"CREATE TABLE {notes} (Id INTEGER, Body TEXT)")
    value = "".join(chr(ord("a") + i % 26) for i in range(length - 1)) + "Z"
    db.execute(f"INSERT INTO {notes} (Id, Body) VALUES (1, '{value}')")
    db.execute(f"INSERT INTO {notes} (Id, Body) VALUES (2, 'short')")
    rows = db.select(notes, "Id = 1")
    assert rows[0]["Body"] == value
    # The buffer grown for a long value still reads a short one exactly.
    assert [row["Body"] for row in db.select(notes)] in ([value, "short"], ["short", value])


def test_null_reads_as_the_empty_text_and_none_writes_null(db, tanks):
    db.insert(tanks, {"Tag": "T3", "Level": None})
    (row,) = db.select(tanks, "Tag = 'T3'")
    assert row["Level"] == ""
    assert db.aggregate(tanks, "count", "Level") == 2  # COUNT leaves the NULL out
    assert db.aggregate(tanks, "count", "Tag") == 3


@pytest.mark.parametrize("value", ["O'Brien", "back\\slash", "''", "Grüße", "a,b);--", ""])
def test_texts_are_written_as_given(db, table_name, value):
    names = table_name("Names")
    db.execute(f"CREATE TABLE {names} (Id INTEGER, Name VARCHAR(40))")
    db.insert(names, {"Id": 7, "Name": value})
    (row,) = db.select(names, "Id = 7")
    assert row["Name"] == value
    db.update(names, {"Name": value + "!"}, "Id = 7")
    assert db.select(names)[0]["Name"] == value + "!"


def test_numbers_and_dates_are_written_in_their_types(db, table_name):
    log = table_name("Log")
    db.execute(f"CREATE TABLE {log} (Id INTEGER, Amount NUMERIC(10,3), Ratio FLOAT, "
               f"Stamp DATE)")
    db.insert(log, {"Id": 1, "Amount": decimal.Decimal("12.125"), "Ratio": 0.25,
                    "Stamp": datetime.date(2001, 2, 3)})
    db.insert(log, {"Id": 2, "Amount": -4, "Ratio": 1e-3, "Stamp": None})
    assert db.aggregate(log, "sum", "Amount") == pytest.approx(8.125)
    assert db.aggregate(log, "min", "Ratio") == pytest.approx(0.001)
    (row,) = db.select(log, "Id = 1")
    assert row["Stamp"].startswith("2001-02-03")
    assert decimal.Decimal(row["Amount"]) == decimal.Decimal("12.125")
    db.update(log, {"Stamp": datetime.date(2020, 12, 31), "Ratio": 2}, "Id = 2")
    (row,) = db.select(log, "Id = 2")
    assert row["Stamp"].startswith("2020-12-31") and float(row["Ratio"]) == 2


@pytest.mark.parametrize("kind, expected", [("avg", 1.0), ("sum", 2.0), ("min", 0.5),
                                            ("max", 1.5), ("count", 2), ("count distinct", 2),
                                            (quorlin.AGGREGATES["sum"], 2.0)])
def test_every_aggregate_kind(db, tanks, kind, expected):
    assert db.aggregate(tanks, kind, "Level") == pytest.approx(expected)


def test_aggregate_under_a_condition(db, tanks):
    assert db.aggregate(tanks, "sum", "Level", "Tag = 'T2'") == pytest.approx(0.5)


def test_update_and_delete_without_a_match_change_nothing(db, tanks):
    db.update(tanks, {"Level": 9}, "Tag = 'none'")
    db.delete(tanks, "Tag = 'none'")
    assert db.aggregate(tanks, "sum", "Level") == pytest.approx(2.0)


def test_created_tables_take_every_type(db, table_name, profile, database):
    made = table_name("Made")
    db.create_table(made, [("Tag", "CHAR(12)"), ("Qty", "NUMERIC"), ("Level", "float"),
                           ("Day", "date"), ("Note", ("CHAR", 4))])
    assert fold(db.columns(made)) == ("tag", "qty", "level", "day", "note")
    db.insert(made, {"Tag": "A1", "Qty": 3, "Level": 2.5, "Day": datetime.date(2024, 1, 2)})
    (row,) = db.select(made)
    assert row["Tag"] == char_value(profile, database, "A1", 12)
    db.drop_table(made)
    with pytest.raises(quorlin.Error):
        db.select(made)
