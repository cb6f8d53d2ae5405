"""Record changes (insert, update, delete), on a connection."""

import collections.abc
import ctypes
import os
import tempfile

from . import _text
from .errors import InputError


def _quoted(code, text):
    return b"'" + text + b"'" if code in (_text.TYPE_CHAR, _text.TYPE_DATE) else text


def _path_bytes(path):
    # The library opens files by 8-bit names: the file system's on POSIX, the ANSI code
    # page's on Windows.
    return path.encode("mbcs") if os.name == "nt" else os.fsencode(path)


class RecordWrites:
    """The record-changing methods of Connection."""

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
