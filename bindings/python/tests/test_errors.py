"""Failures: the library's message in quorlin.Error, and input refused before it reaches
the library, with nothing written."""

import datetime
import math

import pytest

import quorlin


def test_a_failed_statement_raises_the_library_message(db, table_name):
    missing = table_name("Missing")
    with pytest.raises(quorlin.Error) as caught:
        db.execute(f"SELECT * FROM {missing}")
    error = caught.value
    assert error.function == "SQLExcute" and error.result == -1 and error.reported is True
    assert missing.lower() in error.message.lower()
    assert error.message == db.library.last_error(db.encoding)
    assert error.message in str(error)
    # The same failure again leaves the same text: the message stays right, and the error
    # says the text did not change.
    with pytest.raises(quorlin.Error) as again:
        db.execute(f"SELECT * FROM {missing}")
    assert again.value.reported is False and again.value.message == error.message
    assert "did not change" in str(again.value)


def test_a_failure_the_library_does_not_report_is_still_raised(db, table_name, profile):
    db.execute("SELECT 1")
    missing = table_name("Missing")
    with pytest.raises(quorlin.Error) as caught:
        db.drop_table(missing)
    # The legacy library says nothing about a database error in SQLDropTable.
    assert caught.value.reported is (not profile.legacy)
    assert (missing.lower() in caught.value.message.lower()) is (not profile.legacy)


def test_a_failed_selection_names_its_export(db):
    with pytest.raises(quorlin.Error) as caught:
        db.select("missing_table_x", columns=["A"])
    assert caught.value.function == "SQLSelectToTable"
    assert "missing_table_x" in caught.value.message.lower()


def test_an_aggregate_of_a_missing_column_fails(db, tanks):
    with pytest.raises(quorlin.Error) as caught:
        db.aggregate(tanks, "sum", "NoSuchColumn")
    assert "nosuchcolumn" in caught.value.message.lower()


def test_a_connect_string_the_driver_manager_refuses(profile):
    with pytest.raises(quorlin.Error) as caught:
        quorlin.connect("Driver=NoSuchDriverAnywhere;Database=x", library=profile.path,
                        legacy=profile.legacy)
    assert caught.value.function == "SQLConnectToDatabase"
    assert caught.value.message


def test_debug_values_other_than_one_keep_reporting_to_the_text(db):
    db.library.set_debug(2)
    try:
        with pytest.raises(quorlin.Error) as caught:
            db.execute("DROP TABLE debug_missing_table")
        assert "debug_missing_table" in caught.value.message.lower()
    finally:
        db.library.set_debug(0)


OVERLONG = "x" * 64
BAD_VALUES = [
    pytest.param({"Tag": OVERLONG}, "slot", id="value-of-64-bytes"),
    pytest.param({"Tag": "'" * 32}, "slot", id="quotes-doubled-past-the-slot"),
    pytest.param({"Tag": "é" * 32}, "slot", id="multibyte-past-the-slot"),
    pytest.param({"T" * 64: "a"}, "slot", id="name-of-64-bytes"),
    pytest.param({'Ta"g': "a"}, '"', id="name-with-a-quote"),
    pytest.param({"Ta`g": "a"}, "`", id="name-with-a-backtick"),
    pytest.param({" Tag": "a"}, "white space", id="name-with-a-blank"),
    pytest.param({"": "a"}, "empty", id="empty-name"),
    pytest.param({1: "a"}, "must be a str", id="name-not-a-text"),
    pytest.param({}, "no fields", id="no-fields"),
    pytest.param([("Tag", "a")], "mapping", id="not-a-mapping"),
    pytest.param({"Tag": b"T1"}, "bytes", id="bytes"),
    pytest.param({"Tag": object()}, "object", id="unknown-type"),
    pytest.param({"Tag": datetime.time(1, 2)}, "time", id="time-of-day"),
    pytest.param({"Level": math.nan}, "nan", id="nan"),
    pytest.param({"Level": math.inf}, "inf", id="infinity"),
    pytest.param({"Tag": "a\0b"}, "NUL", id="nul-in-a-text"),
]


@pytest.mark.parametrize("values, complaint", BAD_VALUES)
@pytest.mark.parametrize("change", ["insert", "update"])
def test_values_the_library_cannot_take_are_refused_whole(db, tanks, values, complaint,
                                                           change):
    before = db.library.last_error_bytes()
    with pytest.raises(quorlin.InputError) as caught:
        if change == "insert":
            db.insert(tanks, values)
        else:
            db.update(tanks, values, "")
    assert complaint.lower() in caught.value.message.lower()
    assert db.library.last_error_bytes() == before  # nothing reached the library
    assert db.aggregate(tanks, "count", "Tag") == 2
    assert sorted(row[0].rstrip() for row in db.select(tanks)) == ["T1", "T2"]


def test_a_value_of_63_bytes_fills_its_slot_exactly(db, table_name):
    names = table_name("Names")
    db.execute(f"CREATE TABLE {names} (Name VARCHAR(80))")
    db.insert(names, {"Name": "y" * 63})
    db.update(names, {"Name": "z" * 61 + "'"}, "")
    assert [row["Name"] for row in db.select(names)] == ["z" * 61 + "'"]


def test_a_text_the_encoding_cannot_write_is_refused(connect, tanks):
    ascii_db = connect(encoding="ascii")
    with pytest.raises(quorlin.InputError, match="encoding"):
        ascii_db.insert(tanks, {"Tag": "Grüße"})
    with pytest.raises(quorlin.InputError, match="encoding"):
        ascii_db.select(tanks, "Tag = 'é'")


@pytest.mark.parametrize("kind", ["median", "", 6, -1, True, None, 1.0])
def test_unknown_aggregate_kinds_are_refused(db, tanks, kind):
    with pytest.raises(quorlin.InputError, match="aggregate kind"):
        db.aggregate(tanks, kind, "Level")


@pytest.mark.parametrize("columns, complaint", [
    ([], "at least one"),
    ([("Tag", "CHAR")], "width"),
    ([("Tag", "CHAR(0)")], "width"),
    ([("Tag", "CHAR(8")], "cannot read"),
    ([("Qty", "NUMERIC(4)")], "only char"),
    ([("Qty", "INTEGER")], "unknown type"),
    ([("Tag",)], "pair"),
    ([('"Tag"', "FLOAT")], '"'),
])
def test_table_definitions_the_library_cannot_take_are_refused(db, table_name, columns,
                                                              complaint):
    name = table_name("Bad")
    with pytest.raises(quorlin.InputError) as caught:
        db.create_table(name, columns)
    assert complaint.lower() in caught.value.message.lower()
    assert db.columns(name) == ()


def test_creating_a_table_that_exists_fails_with_the_database_message(db, tanks):
    with pytest.raises(quorlin.Error) as caught:
        db.create_table(tanks, [("Tag", "CHAR(8)")])
    assert caught.value.reported is True
    # The same rejection again leaves the text as it was; the catalog still tells.
    with pytest.raises(quorlin.Error) as again:
        db.create_table(tanks, [("Tag", "CHAR(8)")])
    assert again.value.message == caught.value.message


def test_a_closed_connection_refuses_everything(db, tanks):
    rows = db.select(tanks)
    db.close()
    db.close()  # closing twice is harmless
    assert db.closed
    for attempt in (lambda: db.execute("SELECT 1"), lambda: db.select(tanks),
                    lambda: db.insert(tanks, {"Tag": "T9"}), lambda: db.update(tanks, {}, ""),
                    lambda: db.delete(tanks, ""), lambda: db.aggregate(tanks, "sum", "Level"),
                    lambda: db.use(tanks), lambda: len(rows), lambda: list(rows)):
        with pytest.raises(quorlin.ClosedError):
            attempt()
    assert not rows.live
