"""Fixtures: every database test runs on both library profiles and on each database.

QUORLIN_LIBRARY and QUORLIN_LEGACY_LIBRARY name the built libraries. SQLite needs no
server; PostgreSQL and MariaDB come from QUORLIN_TEST_PG, QUORLIN_TEST_MARIADB and
QUORLIN_TEST_MYSQL (MariaDB under the MySQL driver name, the MySQL dialect), as
tests/servers/start-servers.sh writes them. A missing server is skipped, except under
CI=true or QUORLIN_REQUIRE_SERVERS=1, where it fails.
"""

import collections
import os
import uuid

import pytest

import quorlin

PROFILES = {"full": ("QUORLIN_LIBRARY", False), "legacy": ("QUORLIN_LEGACY_LIBRARY", True)}
DATABASES = {"sqlite": None, "postgresql": "QUORLIN_TEST_PG",
             "mariadb": "QUORLIN_TEST_MARIADB", "mysql": "QUORLIN_TEST_MYSQL"}

Profile = collections.namedtuple("Profile", "name legacy path")
Database = collections.namedtuple("Database", "name connect")


def servers_required():
    return os.environ.get("CI") == "true" or os.environ.get("QUORLIN_REQUIRE_SERVERS") == "1"


def library_path(variable):
    path = os.environ.get(variable)
    if not path:
        pytest.fail(f"{variable} is not set: point it at the built library "
                    f"(ctest sets it; by hand: {variable}=build/libquorlin.so)")
    return path


@pytest.fixture(params=list(PROFILES))
def profile(request):
    variable, legacy = PROFILES[request.param]
    return Profile(request.param, legacy, library_path(variable))


@pytest.fixture(params=list(DATABASES))
def database(request, tmp_path):
    variable = DATABASES[request.param]
    if variable is None:
        return Database("sqlite", f"Driver=SQLite3;Database={tmp_path / 'plant.db'}")
    connect = os.environ.get(variable)
    if not connect:
        message = (f"{variable} is not set: start the servers with tests/servers/"
                   f"start-servers.sh and source their env.sh")
        if servers_required():
            pytest.fail(message)
        pytest.skip(message)
    return Database(request.param, connect)


@pytest.fixture
def connect(profile, database):
    """Opens connections to the test database on the test profile; closes them after."""
    opened = []

    def open_connection(connect_string=None, **options):
        connection = quorlin.connect(connect_string or database.connect, library=profile.path,
                                     legacy=profile.legacy, **options)
        opened.append(connection)
        return connection

    yield open_connection
    for connection in opened:
        connection.close()


@pytest.fixture
def db(connect):
    return connect()


@pytest.fixture
def table_name(profile, database):
    """A table name of this test's own; the table is dropped afterwards if it exists."""
    names = []

    def make(prefix="Tanks"):
        name = f"{prefix}_{uuid.uuid4().hex[:8]}"
        names.append(name)
        return name

    yield make
    if names:
        with quorlin.connect(database.connect, library=profile.path,
                             legacy=profile.legacy) as cleaner:
            for name in names:
                try:
                    cleaner.execute(f"DROP TABLE {name}")
                except quorlin.Error:
                    pass  # the test dropped it, or never created it


@pytest.fixture
def tanks(db, table_name):
    """The example's table: Tag CHAR(8), Level FLOAT, with T1 1.5 and T2 0.5."""
    name = table_name()
    db.execute(f"CREATE TABLE {name} (Tag CHAR(8), Level FLOAT)")
    db.execute(f"INSERT INTO {name} (Tag, Level) VALUES ('T1', 1.5)")
    db.execute(f"INSERT INTO {name} (Tag, Level) VALUES ('T2', 0.5)")
    return name


def char_value(profile, database, text, width):
    """A CHAR(width) value as read: PostgreSQL pads it, and only the full profile removes
    trailing blanks."""
    if database.name == "postgresql" and profile.legacy:
        return text.ljust(width)
    return text


def fold(names):
    return tuple(name.lower() for name in names)
