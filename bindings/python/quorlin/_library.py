"""One loaded library and what the package knows of its state.

The library keeps one state per process (connections, cached results, the one current
recordset, the last-error text), so every Connection that uses the same loaded file goes
through one Library object and its lock. The lock makes each Python-level step (make a
result current, move it, read its fields) one unit against other Python threads.

The model of the result cache exists so that a Recordset never reads another result's rows:
a Recordset is live only while the model says the library still holds its result, and every
successful selection or aggregate is entered in the model before anything reads again.
"""

import collections
import ctypes
import locale
import os
import threading

from . import _native
from .errors import ClosedError, Error, LoadError

MOVE_FIRST, MOVE_PREVIOUS, MOVE_NEXT, MOVE_LAST = 0, 1, 2, 3
FULL_CACHE_CAPACITY = 31
_FIRST_FIELD_BUFFER = 256
_LARGEST_FIELD_BUFFER = 0x7FFFFFFF


class Result:
    """A result the library caches for a connection, as far as the package knows.

    use_names are the names SQLUseTable finds it by; columns the field names when it came
    from a selection (None for an aggregate's closed result)."""

    __slots__ = ("connection_id", "key", "use_names", "columns", "gone", "position", "count")

    def __init__(self, connection_id, key, use_names, columns):
        self.connection_id = connection_id
        self.key = key
        self.use_names = use_names
        self.columns = columns
        self.gone = None  # why the library no longer holds it
        self.position = None  # the record the library's recordset stands on, from 0
        self.count = None

    def drop(self, why):
        if self.gone is None:
            self.gone = why


class _ConnectionModel:
    def __init__(self, capacity, legacy):
        self.capacity = capacity
        self.legacy = legacy
        self.results = collections.OrderedDict()  # key -> Result, in order of first caching

    def store(self, result):
        if self.legacy:
            self.drop_all("the legacy library keeps one result per connection and a later "
                          "selection or aggregate replaced it")
            self.results[result.key] = result
            return
        old = self.results.get(result.key)
        if old is not None:
            # Replacement keeps the old one's place, as the library's cache does.
            old.drop("a later selection or aggregate of the same table replaced it")
        elif len(self.results) >= self.capacity:
            _, evicted = self.results.popitem(last=False)
            evicted.drop(f"the connection caches at most {self.capacity} results and later "
                         f"selections evicted it")
        self.results[result.key] = result

    def forget(self, key, why):
        result = self.results.pop(key, None)
        if result is not None:
            result.drop(why)

    def drop_all(self, why):
        for result in self.results.values():
            result.drop(why)
        self.results.clear()


class Library:
    """A loaded Quorlin library (one per loaded file and process)."""

    def __init__(self, dll, functions, path, legacy):
        self.dll = dll
        self.path = path
        self.legacy = legacy
        self.lock = threading.RLock()
        self._f = functions
        self._capacity = 1 if legacy else FULL_CACHE_CAPACITY
        self._models = {}
        self._users = collections.Counter()  # connection id -> open Connection objects
        self._kinds = {}  # connection id -> database kind, learnt once
        self._current = None
        # Ids whose last Connection object was collected without close(): released at the
        # next call, never from the collector, which may run in the middle of a change.
        self._unreleased = collections.deque()

    @property
    def profile(self):
        return "legacy" if self.legacy else "full"

    def __repr__(self):
        return f"<quorlin.Library {self.profile} {self.path!r}>"

    # The last-error text ------------------------------------------------------------

    def last_error_bytes(self):
        buffer = ctypes.create_string_buffer(500)  # QUORLIN_LAST_ERROR_SIZE always suffices
        if self._f["SQLLastError"](buffer, len(buffer)) != 0:
            return b""
        return buffer.value

    def last_error(self, encoding=None):
        """The last-error text; it means something only right after a failure."""
        encoding = encoding or locale.getpreferredencoding(False)
        return self.last_error_bytes().decode(encoding, errors="replace")

    def set_debug(self, flag):
        """SQLSetDebug: 1 also shows every message in a message box where a display exists."""
        self._f["SQLSetDebug"](int(flag))

    def error(self, function, result, before, encoding):
        after = self.last_error_bytes()
        return Error(after.decode(encoding, errors="replace"), function=function, result=result,
                     reported=None if before is None else after != before)

    def call(self, function, failure, encoding, *args):
        """Calls an export and raises Error with the last-error text when it returns its
        failure value (``failure`` is that value, or a predicate)."""
        self._settle()
        before = self.last_error_bytes()
        result = self._f[function](*args)
        failed = failure(result) if callable(failure) else result == failure
        if failed:
            raise self.error(function, result, before, encoding)
        return result

    def call_reporting(self, function, failure, encoding, *args, failed=None):
        """Calls an export whose result does not show every failure (table creation
        returns 0 when the database rejected it, the dialog returns nothing): a new
        last-error text is taken as a failure too. ``failed`` (a predicate) tells a
        failure that left the text as it was, because the same failure came before."""
        self._settle()
        before = self.last_error_bytes()
        result = self._f[function](*args)
        after = self.last_error_bytes()
        if after != before or (failure is not None and result == failure) or \
                (failed is not None and failed()):
            raise Error(after.decode(encoding, errors="replace"), function=function,
                        result=result, reported=after != before)
        return result

    def raw(self, function, *args):
        return self._f[function](*args)

    # Connections --------------------------------------------------------------------

    def connect(self, connect, encoding):
        """A connection id for the connect string (the library hands back an open one)."""
        return self.call("SQLConnectToDatabase", -1, encoding, connect)

    def acquire(self, connection_id):
        self._users[connection_id] += 1
        self._models.setdefault(connection_id, _ConnectionModel(self._capacity, self.legacy))

    def release(self, connection_id):
        """One Connection object less on the id; the last one closes it in the library."""
        if self._users[connection_id] > 1:
            self._users[connection_id] -= 1
            return
        del self._users[connection_id]
        self._f["SQLDisconnectToDatabase"](connection_id)
        self._forget_connection(connection_id, "its connection was closed")

    def moved(self, old_id, new_id):
        """The library handed out a new id for a connect string (the old connection died
        and was dropped with its results, or something else closed it)."""
        self.release(old_id)
        self._forget_connection(old_id, "the library dropped its connection")
        self.acquire(new_id)

    def defer_release(self, holder):
        self._unreleased.append(holder[0])

    def _settle(self):
        while self._unreleased:
            self.release(self._unreleased.popleft())

    def _forget_connection(self, connection_id, why):
        model = self._models.pop(connection_id, None)
        if model is not None:
            model.drop_all(why)
        self._kinds.pop(connection_id, None)
        if self._current is not None and self._current.connection_id == connection_id:
            self._current = None

    def kind(self, connection_id):
        return self._kinds.get(connection_id)

    def set_kind(self, connection_id, kind):
        self._kinds[connection_id] = kind

    # Results --------------------------------------------------------------------------

    def stored(self, connection_id, key, use_names, columns):
        """Enters a result the library has just cached and made current."""
        result = Result(connection_id, key, use_names, columns)
        self._models[connection_id].store(result)
        self._current = result
        return result

    def store_failed(self, connection_id, key):
        """A failed selection or aggregate may have dropped what the library held under
        its name before failing, and the current recordset is no longer known."""
        model = self._models.get(connection_id)
        if model is not None:
            if model.legacy or key is None:
                model.drop_all("a failed selection or aggregate may have dropped it")
            else:
                model.forget(key, "a failed selection or aggregate of the same table may "
                                  "have dropped it")
        self._current = None

    def uncertain(self, connection_id, why):
        """The package cannot tell which of the connection's results the library still
        holds: none of them is trusted any longer."""
        self._models[connection_id].drop_all(why)
        self._current = None

    def find(self, connection_id, key):
        model = self._models.get(connection_id)
        if model is None:
            return None
        if model.legacy:
            return next(iter(model.results.values()), None)
        return model.results.get(key)

    def made_current(self, result):
        self._current = result

    def current_moved(self):
        """Something (the operator, in the dialog) moved the current recordset."""
        if self._current is not None:
            self._current.position = None

    def make_current(self, result, encoding):
        if result.gone is not None:
            raise ClosedError(f"this result is no longer held by the library: {result.gone}")
        if self._current is result:
            return
        self._settle()
        for name in result.use_names:
            if self._f["SQLUseTable"](result.connection_id, name) == 0:
                self._current = result
                return
        # The model thought the library still held it; it does not.
        result.drop("the library no longer finds it (SQLUseTable)")
        self._models[result.connection_id].forget(result.key, result.gone)
        self._current = None
        raise ClosedError(f"this result is no longer held by the library: {result.gone}")

    def row_count(self, result, encoding):
        """The number of records of the current result. SQLGetRowCount leaves it on its
        first record, and a count cut short by a database error still comes back as a
        count, so the last-error text decides. A result is a fixed picture of its rows, so
        the count is asked once."""
        if result.count is None:
            before = self.last_error_bytes()
            count = self._f["SQLGetRowCount"]()
            after = self.last_error_bytes()
            if count < 0 or after != before:
                raise Error(after.decode(encoding, errors="replace"),
                            function="SQLGetRowCount", result=count, reported=after != before)
            result.count = count
            result.position = 0
        return result.count

    def move_to(self, result, index, encoding):
        """Puts the current result on record ``index`` (from 0)."""
        if result.position == index:
            return
        if result.position == index - 1:
            function, args = "SQLMoveRecord", (MOVE_NEXT,)
        elif index == 0:
            function, args = "SQLMoveRecord", (MOVE_FIRST,)
        else:
            function, args = "SQLMoveTo", (index + 1,)
        result.position = None
        self.call(function, -1, encoding, *args)
        result.position = index

    def read_field(self, name, buffer):
        """The whole value of one field of the current record, or None when the read
        failed. ``buffer`` is a one-element list holding the caller's reusable buffer,
        which grows until the value fits."""
        while True:
            block = buffer[0]
            size = len(block)
            if self._f["SQLGetFieldValue"](name, block, size) != 1:
                return None
            # strncpy: a value of size bytes or more leaves no terminator in the last byte.
            if block[size - 1] == b"\0":
                return block.value
            if size >= _LARGEST_FIELD_BUFFER:
                raise Error(f"the value of {name!r} is longer than the largest buffer the "
                            f"library can fill", function="SQLGetFieldValue")
            buffer[0] = ctypes.create_string_buffer(min(size * 4, _LARGEST_FIELD_BUFFER))

    @staticmethod
    def field_buffer():
        return [ctypes.create_string_buffer(_FIRST_FIELD_BUFFER)]


_libraries = {}
_libraries_lock = threading.Lock()


def open_library(library=None, legacy=False):
    """The Library for the file the package's rules find (see _native.load)."""
    dll, found = _native.load(library, legacy)
    functions = _native.bind(dll, found)
    path = _native.loaded_file(dll, functions["SQLLastError"], found)
    with _libraries_lock:
        existing = _libraries.get(path)
        if existing is not None:
            if existing.legacy != bool(legacy):
                raise LoadError(f"{path} is already loaded as the {existing.profile} profile; "
                                f"it cannot be the {'legacy' if legacy else 'full'} one too")
            return existing
        _check_profile(functions, path, bool(legacy))
        created = Library(dll, functions, path, bool(legacy))
        _libraries[path] = created
        return created


def _check_profile(functions, path, legacy):
    """Right after load the two profiles' last-error texts differ, which catches the legacy
    library passed as the full one and the other way round. A library that has already
    been used in this process says nothing this way and is taken as told."""
    buffer = ctypes.create_string_buffer(500)
    if functions["SQLLastError"](buffer, len(buffer)) != 0:
        return
    text = buffer.value
    if text == _native.FRESH_TEXT[not legacy]:
        told, found = ("legacy", "full") if legacy else ("full", "legacy")
        raise LoadError(f"{os.path.basename(path)} is the {found} profile of the library, "
                        f"but the {told} one was asked for (legacy={legacy})")
