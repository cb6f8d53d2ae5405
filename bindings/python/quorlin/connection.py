"""Connections: statements, selections, aggregates and record changes on one database."""

import codecs
import collections.abc
import ctypes
import locale
import os
import tempfile
import weakref

from . import _text
from ._library import open_library
from .errors import ClosedError, Error, InputError
from .recordset import Recordset

AGGREGATES = {"avg": 0, "sum": 1, "min": 2, "max": 3, "count": 4, "count_distinct": 5}

_MYSQL_AGGREGATES = (b"AVG(", b"SUM(", b"MIN(", b"MAX(", b"COUNT(", b"COUNT(DISTINCT ")

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


def _aggregate_code(kind):
    if isinstance(kind, str):
        code = AGGREGATES.get(kind.strip().lower().replace(" ", "_"))
        if code is not None:
            return code
    elif isinstance(kind, int) and not isinstance(kind, bool) and 0 <= kind <= 5:
        return kind
    raise InputError(f"unknown aggregate kind {kind!r}; use one of {', '.join(AGGREGATES)} "
                     f"(or 0 to 5)")


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


def _quoted(code, text):
    return b"'" + text + b"'" if code in (_text.TYPE_CHAR, _text.TYPE_DATE) else text


def _path_bytes(path):
    # The library opens files by 8-bit names: the file system's on POSIX, the ANSI code
    # page's on Windows.
    return path.encode("mbcs") if os.name == "nt" else os.fsencode(path)


class Connection:
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

    def aggregate(self, table, kind, column, condition=""):
        """AVG, SUM, MIN, MAX, COUNT or COUNT DISTINCT of one column (SQLAggregate), as a
        float. The full profile's result takes the table's place in the cache, so a
        Recordset of the same table is given up."""
        code = _aggregate_code(kind)
        lib = self.library
        with lib.lock:
            _text.encode_name(column, self.encoding, "aggregate column")
            connection_id = self._use()
            table_bytes = self._encode(table, "table")
            condition_bytes = self._encode(condition or "", "condition")
            (column,) = self._resolve_names(connection_id, table, [column])
            column_bytes = _text.encode_name(column, self.encoding, "aggregate column")
            if self._aggregate_refused(connection_id, code):
                return self._aggregate_by_selection(connection_id, table_bytes, code,
                                                    column_bytes, condition_bytes)
            if lib.legacy:
                key = b""
            else:
                key = _text.aggregate_key(table_bytes, column_bytes, condition_bytes)
            value = ctypes.c_double()
            try:
                self._call("SQLAggregate", connection_id, table_bytes, code, column_bytes,
                           ctypes.byref(value), condition_bytes)
            except Error:
                lib.store_failed(connection_id, key)
                raise
            if key is None:
                lib.uncertain(connection_id, "an aggregate whose cache name the package cannot "
                                             "tell may have replaced or evicted it")
            else:
                lib.stored(connection_id, key, (key,), None)
            return value.value

    def _aggregate_refused(self, connection_id, code):
        """Whether MySQL or MariaDB in their default mode refuse the library's aggregate
        text here: the full profile's square brackets (unless the connect string names the
        MySQL driver), the legacy one's blank before the parenthesis of MIN, MAX and
        COUNT."""
        if self.library.kind(connection_id) != "mysql":
            return False
        if self.library.legacy:
            return code >= AGGREGATES["min"]
        return not self._mysql_dialect

    def _aggregate_by_selection(self, connection_id, table_bytes, code, column_bytes,
                                condition_bytes):
        """The same aggregate in a form MySQL and MariaDB accept, read through a selection
        (which takes a cache place of its own, not the table's)."""
        expression = _MYSQL_AGGREGATES[code] + b"`" + column_bytes + b"`)"
        source = (b"(SELECT " + expression + b" AS quorlin_value FROM " + table_bytes + b" " +
                  _text.make_where_clause(condition_bytes, self.library.legacy) +
                  b") AS quorlin_aggregate")
        (row,) = self._read_all(connection_id, source, ("quorlin_value",))
        return _text.leading_number(row[0])

    # Record changes ---------------------------------------------------------------------

    def insert(self, table, values):
        """Inserts one record from a mapping of field names to values
        (SQLInsertRecordEx)."""
        with self.library.lock:
            connection_id = self._use()
            table_bytes = self._encode(table, "table")
            names, codes, texts = self._fields(connection_id, table, values)
            if self._writes_backticks(connection_id, update=False):
                self._call("SQLExcute", connection_id, b"INSERT INTO " + table_bytes +
                           b"\n\t(" + b",".join(b"`" + name + b"`" for name in names) +
                           b")\n\tVALUES(" + b",".join(map(_quoted, codes, texts)) + b")")
                return
            count = len(names)
            self._call("SQLInsertRecordEx", connection_id, count, table_bytes,
                       (ctypes.c_int * count)(*codes),
                       ctypes.create_string_buffer(_text.slot_block(names)),
                       ctypes.create_string_buffer(_text.slot_block(texts)))

    def update(self, table, values, condition):
        """Sets fields of the records that meet ``condition`` (SQLUpdateRecord, through a
        bind-table file written for the call). An empty condition updates every record."""
        with self.library.lock:
            connection_id = self._use()
            table_bytes = self._encode(table, "table")
            condition_bytes = self._encode(condition or "", "condition")
            names, codes, texts = self._fields(connection_id, table, values)
            if self._writes_backticks(connection_id, update=True):
                assignments = (b"`" + name + b"` = " + _quoted(code, text)
                               for name, code, text in zip(names, codes, texts))
                self._call("SQLExcute", connection_id, b"UPDATE " + table_bytes +
                           b"\n\t SET " + b",".join(assignments) +
                           _text.make_where_clause(condition_bytes))
                return
            descriptor, path = tempfile.mkstemp(prefix="quorlin-", suffix=".bind")
            try:
                with os.fdopen(descriptor, "wb") as bind_table:
                    bind_table.write(_text.bind_table_file(names, codes))
                self._call("SQLUpdateRecord", connection_id, table_bytes, _path_bytes(path),
                           ctypes.create_string_buffer(_text.slot_block(texts)),
                           condition_bytes)
            finally:
                os.unlink(path)

    def delete(self, table, condition):
        """Deletes the records that meet ``condition`` (SQLDeleteRecord). An empty
        condition deletes every record."""
        with self.library.lock:
            connection_id = self._use()
            self._call("SQLDeleteRecord", connection_id, self._encode(table, "table"),
                       self._encode(condition or "", "condition"))

    # Helpers -----------------------------------------------------------------------------

    def _writes_backticks(self, connection_id, update):
        """MySQL and MariaDB refuse the double quotes the full profile writes around names
        in SQLUpdateRecord always, and in SQLInsertRecordEx and SQLCreateTableEx unless
        the connect string names the MySQL driver; the same statement is then written here
        with backticks, as the library's MySQL dialect writes it, and run with SQLExcute."""
        if self.library.legacy or self.library.kind(connection_id) != "mysql":
            return False
        return update or not self._mysql_dialect

    def _fields(self, connection_id, table, values):
        if not isinstance(values, collections.abc.Mapping):
            raise InputError(f"values must be a mapping of field names to values, not "
                             f"{type(values).__name__}")
        if not values:
            raise InputError("no fields to write")
        keys = list(values)
        for key in keys:
            _text.encode_name(key, self.encoding, "field name")
        backslash_escapes = self.library.kind(connection_id) == "mysql"
        encoded = [_text.encode_value(key, values[key], self.encoding, backslash_escapes)
                   for key in keys]
        resolved = self._resolve_names(connection_id, table, keys)
        names = [_text.encode_name(name, self.encoding, "field name") for name in resolved]
        return names, [code for code, _ in encoded], [text for _, text in encoded]

    def _resolve_names(self, connection_id, table, names):
        """On PostgreSQL the full profile writes names between double quotes, which match
        exactly, while a table created without quotes has lower-case names: each name is
        matched against the catalog as fields are read (exactly, then ignoring case)."""
        if self.library.legacy or self.library.kind(connection_id) != "postgresql":
            return names
        known = self._catalog_columns(connection_id, table) or ()
        resolved = []
        for name in names:
            if name not in known:
                matches = [c for c in known if _text.ascii_fold(c) == _text.ascii_fold(name)]
                if len(matches) == 1:
                    name = matches[0]
            resolved.append(name)
        return resolved

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
