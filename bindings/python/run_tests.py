"""Runs the package's tests with pytest, or fails saying what is missing (used by ctest)."""

import os
import sys

try:
    import pytest
except ImportError:
    sys.exit(f"python.pytest: pytest is not installed for {sys.executable} "
             f"(Debian: apt-get install python3-pytest)")

HERE = os.path.dirname(os.path.abspath(__file__))
sys.exit(pytest.main(["-q", "-p", "no:cacheprovider", os.path.join(HERE, "tests")] +
                     sys.argv[1:]))
