"""Aggregates of one column, on a connection."""

import ctypes

from . import _text
from .errors import Error, InputError

AGGREGATES = {"avg": 0, "sum": 1, "min": 2, "max": 3, "count": 4, "count_distinct": 5}

_MYSQL_AGGREGATES = (b"AVG(", b"SUM(", b"MIN(", b"MAX(", b"COUNT(", b"COUNT(DISTINCT ")


def _aggregate_code(kind):
    if isinstance(kind, str):
        code = AGGREGATES.get(kind.strip().lower().replace(" ", "_"))
        if code is not None:
            return code
    elif isinstance(kind, int) and not isinstance(kind, bool) and 0 <= kind <= 5:
        return kind
    raise InputError(f"unknown aggregate kind {kind!r}; use one of {', '.join(AGGREGATES)} "
                     f"(or 0 to 5)")


class Aggregates:
    """The aggregate methods of Connection."""

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
