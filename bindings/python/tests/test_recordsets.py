"""The library's one current recordset: a Recordset reads its own rows or refuses, however
selections on other tables, connections and profiles interleave."""

import gc
import os
import threading

import pytest

import quorlin


def tags(rows):
    return [row[0].rstrip() for row in rows]


@pytest.fixture
def pumps(db, table_name):
    name = table_name("Pumps")
    db.execute(f"CREATE TABLE {name} (Tag CHAR(8), Level FLOAT)")
    for tag in ("P1", "P2", "P3"):
        db.execute(f"INSERT INTO {name} (Tag, Level) VALUES ('{tag}', 1)")
    return name


def test_reading_two_tables_in_turn(db, tanks, pumps, profile):
    first = db.select(tanks, "Tag = 'T1'")
    second = db.select(pumps)
    if profile.legacy:
        # One result per connection: the second selection gave up the first.
        assert not first.live
        with pytest.raises(quorlin.ClosedError, match="one result per connection"):
            list(first)
        assert sorted(tags(second)) == ["P1", "P2", "P3"]
        return
    seen = []
    for pump in second:  # each read of one makes it current again over the other
        seen.append((pump[0].rstrip(), tags(first)))
    assert sorted(seen) == [("P1", ["T1"]), ("P2", ["T1"]), ("P3", ["T1"])]


def test_a_recordset_keeps_its_place_while_another_is_read(connect, tanks, pumps, profile):
    one, two = connect(), connect()  # one library connection, so one cache
    walking = one.select(pumps)
    walker = iter(walking)
    first = next(walker)
    if profile.legacy:
        two.select(pumps)
        with pytest.raises(quorlin.ClosedError):
            next(walker)
        return
    assert one.id == two.id
    assert tags(two.select(tanks)) in (["T1", "T2"], ["T2", "T1"])
    rest = list(walker)
    assert sorted(tags([first] + rest)) == ["P1", "P2", "P3"]


def test_recordsets_of_different_databases_read_in_turn(connect, pumps, profile, tmp_path):
    other = connect(f"Driver=SQLite3;Database={tmp_path / 'other.db'}")
    other.execute("CREATE TABLE Valves (Tag CHAR(8))")
    other.execute("INSERT INTO Valves (Tag) VALUES ('V1')")
    pump_rows = connect().select(pumps)
    valve_rows = other.select("Valves")
    for _ in range(2):
        assert sorted(tags(pump_rows)) == ["P1", "P2", "P3"]
        assert tags(valve_rows) == ["V1"]


def test_a_later_selection_of_the_same_table_replaces_the_earlier(db, tanks):
    earlier = db.select(tanks, "Tag = 'T1'")
    later = db.select(tanks, "Tag = 'T2'")
    with pytest.raises(quorlin.ClosedError, match="replaced"):
        earlier[0]
    assert tags(later) == ["T2"]


def test_an_aggregate_gives_up_the_selection_of_its_table(db, tanks, pumps, profile,
                                                          database):
    same, other = db.select(tanks), db.select(pumps)
    db.aggregate(tanks, "sum", "Level")
    if database.name == "mariadb" and not profile.legacy:
        # MariaDB refuses the library's brackets; the package's own selection of the
        # aggregate takes a cache place of its own.
        assert len(same) == 2 and len(other) == 3
        return
    with pytest.raises(quorlin.ClosedError):
        len(same)
    if profile.legacy:
        assert not other.live
    else:
        assert len(other) == 3


def test_use_makes_a_cached_result_current_again(db, tanks, pumps, profile):
    db.select(tanks, "Tag = 'T2'")
    db.select(pumps)
    if profile.legacy:
        with pytest.raises(quorlin.Error, match="SQLUseTable"):
            db.use(tanks)
        assert sorted(tags(db.use(pumps))) == ["P1", "P2", "P3"]
    else:
        assert tags(db.use(tanks.upper())) == ["T2"]
    with pytest.raises(quorlin.Error, match="SQLUseTable"):
        db.use("NeverSelected")


def test_the_cache_evicts_the_result_cached_first(db, pumps, profile):
    if profile.legacy:
        pytest.skip("the legacy library caches one result per connection")
    orders = [f"ORDER BY Level + {i}" for i in range(32)]
    results = [db.select(pumps, order, columns=["Tag", "Level"]) for order in orders[:31]]
    assert all(result.live for result in results)
    db.select(pumps, orders[31], columns=["Tag", "Level"])
    with pytest.raises(quorlin.ClosedError, match="at most 31"):
        len(results[0])
    # The library agrees: it no longer finds the first, and still finds the second.
    with pytest.raises(quorlin.Error, match="SQLUseTable"):
        db.use(pumps + "ORDERBYLEVEL+0")
    assert len(results[1]) == 3


def test_connections_with_one_connect_string_share_a_library_connection(db, connect, database,
                                                                        tanks):
    first, second = db, connect(database.connect.upper())
    assert first.id == second.id
    rows = second.select(tanks)
    first.close()
    assert len(rows) == 2  # the library connection stays open for the second
    shared_id = second.id
    second.close()
    third = connect()
    assert third.id > shared_id  # the last close disconnected it; ids are never reused


def test_a_connection_never_closed_is_released_once_collected(profile, tmp_path):
    connect_string = f"Driver=SQLite3;Database={tmp_path / 'forgotten.db'}"
    forgotten = quorlin.connect(connect_string, library=profile.path, legacy=profile.legacy)
    old_id = forgotten.id
    del forgotten
    gc.collect()
    with quorlin.connect(connect_string, library=profile.path, legacy=profile.legacy) as again:
        assert again.id > old_id  # the old one was disconnected before this connect


def test_a_connection_closed_behind_the_package_is_opened_again(db, tanks, profile):
    rows = db.select(tanks)
    old_id = db.id
    db.library.raw("SQLDisconnectToDatabase", old_id)  # as another host in the process might
    assert db.aggregate(tanks, "count", "Tag") == 2
    assert db.id != old_id
    with pytest.raises(quorlin.ClosedError):
        list(rows)


def test_display_without_a_display_raises_the_library_reason(db, tanks, monkeypatch):
    monkeypatch.delenv("DISPLAY", raising=False)
    monkeypatch.delenv("WAYLAND_DISPLAY", raising=False)
    with pytest.raises(quorlin.Error, match="nothing has been selected"):
        db.display()
    rows = db.select(tanks)
    with pytest.raises(quorlin.Error) as caught:
        db.display(5)
    assert caught.value.function == "SQLDisplay" and caught.value.message
    assert sorted(tags(rows)) == ["T1", "T2"]  # still readable from wherever it stands


def test_records_are_read_from_any_position(db, pumps):
    rows = db.select(pumps)
    in_order = list(rows)
    assert [rows[i] for i in (2, 0, 1, 2, -3)] == [in_order[i] for i in (2, 0, 1, 2, 0)]
    assert list(rows) == in_order


def test_a_library_loaded_by_a_link_and_by_its_file_is_one_state(profile):
    target = os.path.realpath(profile.path)
    assert quorlin.load(profile.path, profile.legacy) is quorlin.load(target, profile.legacy)


def test_threads_reading_their_own_recordsets_get_their_own_rows(profile, tmp_path):
    recordsets = []
    for name in ("a", "b"):
        db = quorlin.connect(f"Driver=SQLite3;Database={tmp_path / name}.db",
                             library=profile.path, legacy=profile.legacy)
        db.execute("CREATE TABLE Items (Tag CHAR(8))")
        for i in range(20):
            db.execute(f"INSERT INTO Items (Tag) VALUES ('{name}{i}')")
        recordsets.append((db, db.select("Items"), {f"{name}{i}" for i in range(20)}))
    failures = []

    def read(rows, expected):
        for _ in range(15):
            seen = set(tags(rows))
            if seen != expected:
                failures.append(seen ^ expected)

    threads = [threading.Thread(target=read, args=(rows, expected))
               for _, rows, expected in recordsets]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for db, _, _ in recordsets:
        db.close()
    assert failures == []
