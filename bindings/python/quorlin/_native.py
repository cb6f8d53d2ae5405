"""Finding and loading the shared library, and the prototypes of its exports."""

import ctypes
import os

from .errors import LoadError

_WINDOWS = os.name == "nt"
# 32-bit Windows: stdcall exports under decorated names (_SQLConnectToDatabase@4).
_STDCALL = _WINDOWS and ctypes.sizeof(ctypes.c_void_p) == 4

_int, _uint, _text, _double = ctypes.c_int, ctypes.c_uint, ctypes.c_char_p, ctypes.c_double
_buffer = ctypes.POINTER(ctypes.c_char)  # caller-owned blocks, which may hold zero bytes
_ints = ctypes.POINTER(ctypes.c_int)

# Every export the package calls, with its result and argument types. Without argtypes
# ctypes would pass a Python str as a wide text, and the driver would see one letter.
PROTOTYPES = {
    "SQLSetDebug": (None, [_int]),
    "SQLLastError": (_int, [_buffer, _uint]),
    "SQLConnectToDatabase": (_int, [_text]),
    "SQLDisconnectToDatabase": (None, [_int]),
    "SQLCreateTableEx": (_int, [_int, _int, _text, _buffer, _ints, _ints]),
    "SQLDropTable": (_int, [_int, _text]),
    "SQLSelectToTable": (_int, [_int, _text, _text]),
    "SQLAggregate": (_int, [_int, _text, _int, _text, ctypes.POINTER(_double), _text]),
    "SQLExcute": (_int, [_int, _text]),
    "SQLUseTable": (_int, [_int, _text]),
    "SQLMoveRecord": (_int, [_uint]),
    "SQLMoveTo": (_int, [_int]),
    "SQLGetRowCount": (_int, []),
    "SQLGetFieldValue": (_int, [_text, _buffer, _int]),
    "SQLInsertRecordEx": (_int, [_int, _int, _text, _ints, _buffer, _buffer]),
    "SQLUpdateRecord": (_int, [_int, _text, _text, _buffer, _text]),
    "SQLDeleteRecord": (_int, [_int, _text, _text]),
    "SQLDisplay": (None, [_int]),
}


def installed_names(legacy):
    """The names the system loader is asked for, in order."""
    if _WINDOWS:
        return ["quorlin-legacy.dll" if legacy else "quorlin.dll"]
    base = "libquorlin-legacy" if legacy else "libquorlin"
    return [base + ".so.1", base + ".so"]


def environment_variable(legacy):
    return "QUORLIN_LEGACY_LIBRARY" if legacy else "QUORLIN_LIBRARY"


def _open(path, by_path):
    kind = ctypes.WinDLL if _STDCALL else ctypes.CDLL
    if _WINDOWS and by_path:
        # The full DLL imports the printer DLL beside it; Windows looks for imports beside
        # the program unless told to search the DLL's own folder.
        return kind(os.path.abspath(path), winmode=0x8)  # LOAD_WITH_ALTERED_SEARCH_PATH
    return kind(path)


def load(library=None, legacy=False):
    """(ctypes library, how it was found) by the package's rules: the explicit path, else
    the environment variable, else the installed library through the system loader."""
    variable = environment_variable(legacy)
    if library is not None:
        source = f"library={library!r}"
        candidates = [os.fspath(library)]
    elif os.environ.get(variable):
        source = f"{variable}={os.environ[variable]!r}"
        candidates = [os.environ[variable]]
    else:
        source = "the installed library"
        candidates = installed_names(legacy)
    problems = []
    for candidate in candidates:
        by_path = os.sep in candidate or (os.altsep is not None and os.altsep in candidate)
        if by_path and not os.path.exists(candidate):
            problems.append(f"{candidate}: no such file")
            continue
        try:
            return _open(candidate, by_path), candidate
        except OSError as error:
            problems.append(f"{candidate}: {error}")
    profile = "legacy " if legacy else ""
    hint = "" if library is not None or os.environ.get(variable) else \
        f"; pass library=PATH or set {variable}"
    raise LoadError(f"cannot load the {profile}Quorlin library from {source} "
                    f"({'; '.join(problems)}){hint}")


def _lookup(dll, name, argument_count):
    names = [name, f"_{name}@{4 * argument_count}"] if _STDCALL else [name]
    for exported in names:
        try:
            return getattr(dll, exported)
        except AttributeError:
            continue
    return None


def bind(dll, where):
    """The exports with their prototypes, looked up by plain or decorated name."""
    functions = {}
    for name, (restype, argtypes) in PROTOTYPES.items():
        function = _lookup(dll, name, len(argtypes))
        if function is None:
            raise LoadError(f"{where} is not a Quorlin library: it has no export {name}")
        function.restype = restype
        function.argtypes = argtypes
        functions[name] = function
    return functions


class _DlInfo(ctypes.Structure):
    _fields_ = [("dli_fname", ctypes.c_char_p), ("dli_fbase", ctypes.c_void_p),
                ("dli_sname", ctypes.c_char_p), ("dli_saddr", ctypes.c_void_p)]


def loaded_file(dll, function, fallback):
    """The file the loader actually mapped, so that two paths (a symlink and its target,
    a name and a path) to one loaded library share one state model."""
    try:
        if _WINDOWS:
            size = 32768
            name = ctypes.create_unicode_buffer(size)
            if ctypes.windll.kernel32.GetModuleFileNameW(ctypes.c_void_p(dll._handle), name,
                                                         size):
                return os.path.normcase(os.path.realpath(name.value))
        else:
            libc = ctypes.CDLL(None)
            dladdr = libc.dladdr
            dladdr.argtypes = [ctypes.c_void_p, ctypes.POINTER(_DlInfo)]
            info = _DlInfo()
            if dladdr(ctypes.cast(function, ctypes.c_void_p), ctypes.byref(info)) and \
                    info.dli_fname:
                return os.path.realpath(os.fsdecode(info.dli_fname))
    except (AttributeError, OSError):
        pass
    return os.path.realpath(fallback) if os.path.exists(fallback) else fallback


# The last-error text each profile reports right after load ("执行成功" in GBK for legacy).
FRESH_TEXT = {False: b"Success", True: b"\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6"}

__all__ = ["load", "bind", "loaded_file", "installed_names", "environment_variable",
           "FRESH_TEXT", "PROTOTYPES"]

