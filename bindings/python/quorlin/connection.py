"""Connections: statements, selections, aggregates and record changes on one database."""

import codecs
import collections.abc
import ctypes
import locale
import weakref

from . import _text
from ._aggregates import Aggregates
from ._library import open_library
from .errors import ClosedError, Error, InputError
from ._writes import RecordWrites
from .recordset import Recordset

_MYSQL_TYPE_WORDS = (b"FLOAT", b"INTEGER", b"CHAR", b"DATE")  # the library's MySQL dialect

_TYPE_WORDS = {"FLOAT": _text.TYPE_FLOAT, "NUMERIC": _text.TYPE_NUMERIC,
               "CHAR": _text.TYPE_CHAR, "DATE": _text.TYPE_DATE}

# Statements that succeed on one kind of database only, tried in this order unless the
# connect string names the driver.
_KIND_PROBES = (("sqlite", b"SELECT sqlite_version()", (b"SQLITE",)),
                ("postgresql", b"SELECT pg_backend_pid()", (b"POSTGRES", b"PSQL")),
                ("mysql", b"SELECT DATABASE()", (b"MYSQL", b"MARIA")))


def connect(connect_string, library=None, legacy=False, encoding=None):
    """Opens (or shares) a library connection for an ODBC connect string."""
    return Connection(connect_string, library=library, legacy=legacy, encoding=encoding)


def _column_type(name, spec):
    """(type code, width) of one column for SQLCreateTableEx."""
    if isinstance(spec, tuple) and len(spec) == 2:
        word, width = spec
    elif isinstance(spec, str):
        word, _, rest = spec.strip().partition("(")
        width = None
        if rest:
            digits = rest.rstrip().removesuffix(")").strip()
            if not rest.rstrip().endswith(")") or not digits.isdigit():
                raise InputError(f"column {name!r}: cannot read the type {spec!r}")
            width = int(digits)
    else:
        raise InputError(f"column {name!r}: a type is a text such as 'CHAR(8)' or a pair "
                         f"('CHAR', 8), not {spec!r}")
    code = _TYPE_WORDS.get(str(word).strip().upper())
    if code is None:
        raise InputError(f"column {name!r}: unknown type {word!r}; use FLOAT, NUMERIC, "
                         f"CHAR(n) or DATE")
    if code == _text.TYPE_CHAR:
        if not isinstance(width, int) or isinstance(width, bool) or width < 1:
            raise InputError(f"column {name!r}: CHAR needs a width of 1 or more")
    elif width is not None:
        raise InputError(f"column {name!r}: only CHAR takes a width")
    return code, width or 0


class Connection(Aggregates, RecordWrites):
    """A connection of the library, by connect string.

    The library gives one connect string (ignoring letter case) one connection id, so
    Connection objects opened with the same string share one library connection and its
    cached results: a selection through one can replace a result another one reads.
    Closing one of them leaves the others working; the library connection closes when
    the last of them is closed.
    """

    def __init__(self, connect_string, library=None, legacy=False, encoding=None):
        self.encoding = encoding or locale.getpreferredencoding(False)
        try:
            codecs.lookup(self.encoding)
        except LookupError:
            raise InputError(f"unknown encoding {self.encoding!r}") from None
        self._closed = True
        self.library = open_library(library, legacy)
        self.connect_string = connect_string
        self._connect = _text.encode_text(connect_string, self.encoding, "connect string")
        self._mysql_dialect = not legacy and _text.names_mysql_driver(self._connect)
        self._newest = None
        self._kind = "other"
        lib = self.library
        with lib.lock:
            connection_id = lib.connect(self._connect, self.encoding)
            lib.acquire(connection_id)
            self._holder = [connection_id]
            self._closed = False
            self._finalizer = weakref.finalize(self, lib.defer_release, self._holder)
            self._finalizer.atexit = False
            self._learn_kind(connection_id)

    # State -------------------------------------------------------------------------------

    @property
    def id(self):
        """The library's connection id (it changes if the library replaced a dead one)."""
        return self._holder[0] if hasattr(self, "_holder") else None

    @property
    def closed(self):
        return self._closed

    @property
    def kind(self):
        """'sqlite', 'postgresql', 'mysql' (MySQL or MariaDB) or 'other'."""
        return self._kind

    @property
    def profile(self):
        return self.library.profile

    def __enter__(self):
        return self

    def __exit__(self, *exc_info):
        self.close()

    def __repr__(self):
        state = "closed" if self._closed else f"id {self.id}"
        return f"<quorlin.Connection {self.profile} {self.kind} {state}>"

    def close(self):
        """Gives up this object's share of the library connection (SQLDisconnectToDatabase
        once no other Connection with the same connect string is open). Idempotent."""
        lib = self.library
        with lib.lock:
            if self._closed:
                return
            self._closed = True
            self._finalizer.detach()
            lib.release(self._holder[0])

    def _check_open(self):
        if self._closed:
            raise ClosedError("the connection is closed")

    def _use(self):
        """The connection id, asked of the library before each use as hosts are told to:
        a connection whose server has gone is replaced by a new one with a new id."""
        self._check_open()
        lib = self.library
        connection_id = lib.connect(self._connect, self.encoding)
        if connection_id != self._holder[0]:
            lib.moved(self._holder[0], connection_id)
            self._holder[0] = connection_id
            self._learn_kind(connection_id)
        return connection_id

    def _learn_kind(self, connection_id):
        """Which database the connection reaches, asked once per library connection with
        statements only one kind accepts (the likeliest first, by the connect string)."""
        kind = self.library.kind(connection_id)
        if kind is None:
            upper = self._connect.upper()
            probes = sorted(_KIND_PROBES, key=lambda probe: not any(h in upper
                                                                    for h in probe[2]))
            kind = next((kind for kind, statement, _ in probes
                         if self.library.raw("SQLExcute", connection_id, statement) == 0),
                        "other")
            self.library.set_kind(connection_id, kind)
        self._kind = kind

    def _encode(self, text, what):
        return _text.encode_text(text, self.encoding, what)

    def _call(self, function, *args):
        return self.library.call(function, -1, self.encoding, *args)

    # Statements --------------------------------------------------------------------------

    def execute(self, statement):
        """Runs any statement (SQLExcute); a result it produces is discarded."""
        with self.library.lock:
            connection_id = self._use()
            self._call("SQLExcute", connection_id, self._encode(statement, "statement"))

    def create_table(self, table, columns):
        """Creates a table from (name, type) pairs or a mapping (SQLCreateTableEx). Types
        are 'FLOAT', 'NUMERIC', 'DATE' and 'CHAR(n)' (or ('CHAR', n)). The full profile
        writes the names between quotes, so PostgreSQL keeps their letter case."""
        items = list(columns.items() if isinstance(columns, collections.abc.Mapping)
                     else columns)
        if not items:
            raise InputError("a table needs at least one column")
        names, codes, widths = [], [], []
        for item in items:
            if not isinstance(item, tuple) or len(item) != 2:
                raise InputError(f"a column is a (name, type) pair, not {item!r}")
            name, spec = item
            names.append(_text.encode_name(name, self.encoding))
            code, width = _column_type(name, spec)
            codes.append(code)
            widths.append(width)
        count = len(names)
        with self.library.lock:
            connection_id = self._use()
            table_bytes = self._encode(table, "table")
            if self._writes_backticks(connection_id, update=False):
                columns_sql = (b"`" + name + b"` " + _MYSQL_TYPE_WORDS[code] +
                               (b"(%d)" % width if code == _text.TYPE_CHAR else b"")
                               for name, code, width in zip(names, codes, widths))
                self._call("SQLExcute", connection_id, b"CREATE TABLE " + table_bytes + b" (" +
                           b",".join(columns_sql) + b")")
                return
            # The export returns 0 once the statement was sent, even if the database
            # rejected it: the database's message is the sign, and where the same
            # rejection came just before, the catalog before and after.
            existed = self._catalog_columns(connection_id, table)

            def not_created():
                if existed is None:
                    return False
                return bool(existed) or not self._catalog_columns(connection_id, table)

            self.library.call_reporting(
                "SQLCreateTableEx", -1, self.encoding, connection_id, count,
                table_bytes, ctypes.create_string_buffer(_text.slot_block(names)),
                (ctypes.c_int * count)(*codes), (ctypes.c_int * count)(*widths),
                failed=not_created)

    def drop_table(self, table):
        """Drops a table (SQLDropTable)."""
        with self.library.lock:
            connection_id = self._use()
            self._call("SQLDropTable", connection_id, self._encode(table, "table"))

    # Results -----------------------------------------------------------------------------

    def select(self, table, condition="", columns=None):
        """Selects every column of ``table`` under an optional SQL condition
        (SQLSelectToTable) and returns its Recordset.

        The library reads fields by name and names no columns itself, so the names come
        from the database's catalog (SQLite, PostgreSQL, MySQL and MariaDB) for a plain,
        possibly qualified table name; for anything else pass ``columns``.
        """
        lib = self.library
        with lib.lock:
            connection_id = self._use()
            table_bytes = self._encode(table, "table")
            condition_bytes = self._encode(condition or "", "condition")
            if columns is None:
                names = self._catalog_columns(connection_id, table)
            else:
                names = self._given_columns(columns)
            result = self._select(connection_id, table_bytes, condition_bytes, names or ())
            if not names:
                raise Error(f"cannot learn the columns of {table!r} from the database's "
                            f"catalog; pass them with columns=")
            recordset = Recordset(self, result, table, condition)
            self._newest = recordset
            return recordset

    def columns(self, table):
        """The column names of a table from the database's catalog; empty when the table
        does not exist or the catalog is not one the package knows."""
        with self.library.lock:
            return self._catalog_columns(self._use(), table) or ()

    def use(self, table):
        """Makes the result cached under ``table`` current again (SQLUseTable) and returns
        its Recordset. The full profile finds a result by the table name of its query
        (letter case ignored), the legacy one by the table its columns come from."""
        lib = self.library
        with lib.lock:
            connection_id = self._use()
            table_bytes = self._encode(table, "table")
            if lib.raw("SQLUseTable", connection_id, table_bytes) != 0:
                raise Error(f"no result of {table!r} is cached on this connection "
                            f"(SQLUseTable found none)")
            result = lib.find(connection_id, table_bytes.upper())
            lib.made_current(result)
            if result is None or result.columns is None:
                raise Error(f"the result cached under {table!r} is not a selection made "
                            f"through this package (an aggregate's closed result, say); "
                            f"select the table again")
            recordset = Recordset(self, result, table, None)
            self._newest = recordset
            return recordset

    def display(self, rows_per_page=20):
        """Shows the newest selection of this connection in the View data dialog."""
        newest = self._newest
        if newest is None:
            raise Error("nothing has been selected on this connection")
        newest.display(rows_per_page)

    def _given_columns(self, columns):
        if isinstance(columns, str):
            raise InputError("columns is a sequence of names, not one text")
        names = tuple(columns)
        for name in names:
            if not isinstance(name, str) or not name:
                raise InputError(f"column names must be non-empty texts, not {name!r}")
            self._encode(name, "column name")
        return names

    def _select(self, connection_id, table_bytes, condition_bytes, columns):
        lib = self.library
        if lib.legacy:
            key = b""
            use_names = self._legacy_use_names(table_bytes)
        else:
            key = _text.table_name_of_query(
                _text.select_statement(table_bytes, condition_bytes))
            use_names = (key,)
        try:
            self._call("SQLSelectToTable", connection_id, table_bytes, condition_bytes)
        except Error:
            lib.store_failed(connection_id, key)
            raise
        return lib.stored(connection_id, key, use_names, tuple(columns))

    def _legacy_use_names(self, table_bytes):
        # The legacy library finds a result by the table its columns come from, as the
        # driver names it: the name as given, or without its schema and quotes; a join or
        # an aggregate has the empty name.
        names = [table_bytes]
        parsed = _text.split_table_name(table_bytes.decode(self.encoding, errors="replace"))
        if parsed is not None:
            bare = self._encode(parsed[1], "table")
            if bare not in names:
                names.append(bare)
        names.append(b"")
        return tuple(names)

    def _catalog_columns(self, connection_id, table):
        """The columns of a plain table name in their order, from the catalog, or None."""
        kind = self.library.kind(connection_id)
        parsed = _text.split_table_name(table) if isinstance(table, str) else None
        if parsed is None or kind not in ("sqlite", "postgresql", "mysql"):
            return None
        schema, name = parsed

        def literal(text):
            return "'" + _text.sql_string_body(text, kind == "mysql") + "'"

        # A subquery whose first WHERE comes before the table's name gives every lookup
        # one cache name, so lookups take one place in the cache, not one per table.
        if kind == "sqlite":
            where = f"arg = {literal(name)}" + (f" AND schema = {literal(schema)}"
                                                if schema else "")
            source = f"(SELECT name, cid AS pos FROM pragma_table_info WHERE {where})"
        elif kind == "postgresql":
            source = ("(SELECT attname AS name, attnum AS pos FROM pg_catalog.pg_attribute "
                      f"WHERE attrelid = to_regclass({literal(table)}) AND attnum > 0 "
                      "AND NOT attisdropped)")
        else:
            source = ("(SELECT COLUMN_NAME AS name, ORDINAL_POSITION AS pos, TABLE_NAME AS tab "
                      "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = "
                      f"{literal(schema) if schema else 'DATABASE()'} AND "
                      f"TABLE_NAME = {literal(name)})")
        fields = ("name", "pos", "tab") if kind == "mysql" else ("name", "pos")
        rows = self._read_all(connection_id, self._encode(source + " AS quorlin_columns",
                                                         "table"), fields)
        if kind == "mysql" and any(row[2] == name for row in rows):
            rows = [row for row in rows if row[2] == name]  # a table of the very same case
        rows.sort(key=lambda row: int(row[1]))
        return tuple(row[0] for row in rows)

    def _read_all(self, connection_id, table_bytes, fields):
        lib = self.library
        result = self._select(connection_id, table_bytes, b"", fields)
        encoded = [field.encode("ascii") for field in fields]
        buffer = lib.field_buffer()
        rows = []
        for index in range(lib.row_count(result, self.encoding)):
            lib.move_to(result, index, self.encoding)
            row = []
            for field in encoded:
                value = lib.read_field(field, buffer)
                if value is None:
                    raise lib.error("SQLGetFieldValue", 0, None, self.encoding)
                row.append(value.decode(self.encoding, errors="replace"))
            rows.append(row)
        return rows
