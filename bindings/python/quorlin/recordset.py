"""Results of a selection, read through the library's current recordset."""

import os
import sys

from . import _text


def _no_display():
    # The library shows nothing and says why where Linux has no display; a second such
    # call leaves the same text, so the reason is known here too.
    return sys.platform.startswith("linux") and not (os.environ.get("DISPLAY") or
                                                     os.environ.get("WAYLAND_DISPLAY"))


class _ColumnIndex:
    """Field names matched as the library matches them: exactly first, then ignoring the
    letter case of ASCII letters (the first such column wins)."""

    def __init__(self, columns):
        self.columns = tuple(columns)
        self._exact = {}
        self._folded = {}
        for position, name in enumerate(self.columns):
            self._exact.setdefault(name, position)
            self._folded.setdefault(_text.ascii_fold(name), position)

    def position(self, name):
        position = self._exact.get(name)
        if position is None:
            position = self._folded.get(_text.ascii_fold(name))
        if position is None:
            raise KeyError(f"no field {name!r} in {self.columns}")
        return position


class Row(tuple):
    """One record: a tuple of texts, also indexed by field name (row["Tag"])."""

    def __new__(cls, values, index):
        row = super().__new__(cls, values)
        row._index = index
        return row

    def __getitem__(self, key):
        if isinstance(key, str):
            return tuple.__getitem__(self, self._index.position(key))
        return tuple.__getitem__(self, key)

    def __reduce__(self):
        return (Row, (tuple(self), self._index))

    def get(self, name, default=None):
        try:
            return self[name]
        except KeyError:
            return default

    def keys(self):
        return self._index.columns

    def as_dict(self):
        return dict(zip(self._index.columns, self))

    def __repr__(self):
        fields = ", ".join(f"{name}={value!r}" for name, value in zip(self._index.columns, self))
        return f"Row({fields})"


class Recordset:
    """The rows of one selection. Values are texts as the library reads them: a NULL is
    the empty text, and the full profile removes trailing blanks.

    The library has one current recordset for the whole process; before every read a
    Recordset makes its own result current again (SQLUseTable), so several Recordsets can
    be read in turn. One whose result the library has given up (a later selection of the
    same table, more results than the cache holds, its connection closed) raises
    quorlin.ClosedError instead of reading another result's rows.
    """

    def __init__(self, connection, result, table, condition):
        self._connection = connection
        self._result = result
        self.table = table
        self.condition = condition
        self._index = _ColumnIndex(result.columns)
        encoding = connection.encoding
        self._names = [_text.encode_text(name, encoding, "column name")
                       for name in result.columns]
        self._buffer = connection.library.field_buffer()

    @property
    def columns(self):
        return self._index.columns

    @property
    def live(self):
        """Whether the library still holds this result (as far as the package knows)."""
        return self._result.gone is None and not self._connection.closed

    @property
    def connection(self):
        return self._connection

    def _prepare(self):
        self._connection._check_open()
        self._connection.library.make_current(self._result, self._connection.encoding)

    def __len__(self):
        library = self._connection.library
        with library.lock:
            self._prepare()
            return library.row_count(self._result, self._connection.encoding)

    def __iter__(self):
        count = len(self)
        for index in range(count):
            yield self._read(index)

    def __getitem__(self, index):
        if isinstance(index, slice):
            return [self._read(i) for i in range(*index.indices(len(self)))]
        if not isinstance(index, int) or isinstance(index, bool):
            raise TypeError(f"records are indexed by int, not {type(index).__name__}")
        count = len(self)
        position = index + count if index < 0 else index
        if not 0 <= position < count:
            raise IndexError(f"record {index} of {count}")
        return self._read(position)

    def fetchall(self):
        return list(self)

    def _read(self, index):
        library = self._connection.library
        encoding = self._connection.encoding
        with library.lock:
            self._prepare()
            library.move_to(self._result, index, encoding)
            values = []
            for name in self._names:
                value = library.read_field(name, self._buffer)
                if value is None:
                    raise library.error("SQLGetFieldValue", 0, None, encoding)
                values.append(value.decode(encoding, errors="replace"))
        return Row(values, self._index)

    def display(self, rows_per_page=20):
        """Shows these rows in the library's modal View data dialog (SQLDisplay) and
        returns when the operator closes it. Without a display it raises Error with the
        library's reason."""
        if not isinstance(rows_per_page, int) or isinstance(rows_per_page, bool):
            raise TypeError("rows_per_page must be an int")
        library = self._connection.library
        with library.lock:
            self._prepare()
            try:
                library.call_reporting("SQLDisplay", None, self._connection.encoding,
                                       rows_per_page, failed=_no_display)
            finally:
                # The operator's paging leaves the recordset wherever it ended.
                library.current_moved()

    def __repr__(self):
        state = "live" if self.live else "gone"
        return f"<quorlin.Recordset {self.table!r} columns={self.columns} {state}>"


__all__ = ["Recordset", "Row"]
