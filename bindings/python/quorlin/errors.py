"""The exceptions of the package.

Every failure is a quorlin.Error. Failures of the library carry its last-error text in
``message``; the package's own refusals (a value that cannot be expressed, a connection that
is closed) say in ``message`` what was refused, and nothing reached the library.
"""


class Error(Exception):
    """A call failed.

    message   the library's last-error text as read right after the failure, or the
              package's own explanation when the package refused the call itself
    function  the export that failed (``"SQLSelectToTable"``), or None for a refusal
    result    the export's failure value, or None
    reported  True when the failing call changed the last-error text; False when the text
              is the same as before the call, because the library reported nothing (the
              text is then left from an earlier failure) or reported the very text it
              already held (the same failure twice in a row); None when not checked
    """

    def __init__(self, message, function=None, result=None, reported=None):
        self.message = message
        self.function = function
        self.result = result
        self.reported = reported
        super().__init__(self._describe())

    def _describe(self):
        if self.function is None:
            return self.message
        if self.reported is False:
            return (f"{self.function} failed: {self.message} (the last-error text did not "
                    f"change, so it may be left from an earlier failure)")
        return f"{self.function} failed: {self.message}"


class LoadError(Error, OSError):
    """The library could not be found or loaded, or is not a Quorlin library."""


class InputError(Error, ValueError):
    """A value the library cannot be given as it stands; nothing was sent."""


class ClosedError(Error):
    """The connection is closed, or a result is no longer held by the library."""
