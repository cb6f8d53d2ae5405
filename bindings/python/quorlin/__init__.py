"""Python access to the Quorlin library: relational databases through ODBC.

    import quorlin
    with quorlin.connect("Driver=SQLite3;Database=plant.db") as db:
        db.execute("CREATE TABLE Tanks (Tag CHAR(8), Level FLOAT)")
        db.insert("Tanks", {"Tag": "T1", "Level": 1.5})
        for row in db.select("Tanks", "Level > 1"):
            print(row["Tag"], row[1])

The library is found by the ``library=PATH`` argument, else the QUORLIN_LIBRARY
(QUORLIN_LEGACY_LIBRARY with ``legacy=True``) environment variable, else the installed
library through the system loader. See README.md beside the package.
"""

from ._library import Library, open_library
from ._aggregates import AGGREGATES
from .connection import Connection, connect
from .errors import ClosedError, Error, InputError, LoadError
from .recordset import Recordset, Row

__version__ = "1.0.0"

TYPE_FLOAT, TYPE_NUMERIC, TYPE_CHAR, TYPE_DATE = 0, 1, 2, 3


def load(library=None, legacy=False):
    """The Library object for the library the package's rules find (shared by every
    connection on the same loaded file): ``set_debug``, ``last_error``, ``path``."""
    return open_library(library, legacy)


__all__ = ["AGGREGATES", "ClosedError", "Connection", "Error", "InputError", "Library",
           "LoadError", "Recordset", "Row", "TYPE_CHAR", "TYPE_DATE", "TYPE_FLOAT",
           "TYPE_NUMERIC", "connect", "load"]
