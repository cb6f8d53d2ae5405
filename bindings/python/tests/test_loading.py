"""Finding the library: library=PATH, else the environment variable, else the installed
library through the system loader; a wrong file is a clear LoadError."""

import os
import subprocess
import sys

import pytest

import quorlin
from conftest import library_path

PACKAGE_DIR = os.path.dirname(os.path.dirname(os.path.abspath(quorlin.__file__)))


def run_python(code, **environment):
    """Runs code in a fresh interpreter, where the library has not been loaded yet."""
    env = {key: value for key, value in os.environ.items()
           if key not in ("QUORLIN_LIBRARY", "QUORLIN_LEGACY_LIBRARY", "LD_LIBRARY_PATH")}
    env.update(environment, PYTHONPATH=PACKAGE_DIR)
    return subprocess.run([sys.executable, "-c", code], env=env, capture_output=True,
                          text=True, timeout=120)


@pytest.fixture
def full_path():
    return library_path("QUORLIN_LIBRARY")


@pytest.fixture
def legacy_path():
    return library_path("QUORLIN_LEGACY_LIBRARY")


def test_a_missing_file_is_named_in_the_error(tmp_path):
    missing = tmp_path / "nowhere" / "libquorlin.so.1"
    with pytest.raises(quorlin.LoadError) as caught:
        quorlin.load(missing)
    assert str(missing) in caught.value.message and "no such file" in caught.value.message
    assert isinstance(caught.value, OSError) and isinstance(caught.value, quorlin.Error)


def test_a_file_that_is_no_library_is_refused(tmp_path):
    fake = tmp_path / "libquorlin.so"
    fake.write_bytes(b"not an ELF file at all")
    with pytest.raises(quorlin.LoadError, match="cannot load"):
        quorlin.load(fake)


@pytest.mark.skipif(not sys.platform.startswith("linux"), reason="a Linux library name")
def test_a_library_without_the_exports_is_refused():
    with pytest.raises(quorlin.LoadError, match="not a Quorlin library: it has no export"):
        quorlin.load("libodbc.so.2")


def test_the_explicit_path_wins_over_the_environment(monkeypatch, full_path):
    monkeypatch.setenv("QUORLIN_LIBRARY", "/nowhere/libquorlin.so")
    assert quorlin.load(full_path).profile == "full"


def test_the_environment_names_the_library(monkeypatch, tmp_path, full_path, legacy_path):
    monkeypatch.setenv("QUORLIN_LIBRARY", str(tmp_path / "gone.so"))
    with pytest.raises(quorlin.LoadError, match="QUORLIN_LIBRARY"):
        quorlin.load()
    monkeypatch.setenv("QUORLIN_LIBRARY", full_path)
    monkeypatch.setenv("QUORLIN_LEGACY_LIBRARY", legacy_path)
    assert os.path.samefile(quorlin.load().path, full_path)
    assert os.path.samefile(quorlin.load(legacy=True).path, legacy_path)
    assert quorlin.load(legacy=True).profile == "legacy"


def test_one_file_cannot_be_both_profiles(full_path):
    quorlin.load(full_path)
    with pytest.raises(quorlin.LoadError, match="already loaded as the full profile"):
        quorlin.load(full_path, legacy=True)


@pytest.mark.parametrize("legacy", [False, True])
def test_the_wrong_profile_is_noticed_on_a_fresh_load(full_path, legacy_path, legacy):
    wrong = full_path if legacy else legacy_path
    ran = run_python(f"import quorlin\ntry:\n quorlin.load({wrong!r}, legacy={legacy})\n"
                     f"except quorlin.LoadError as e:\n print('refused:', e)")
    assert ran.returncode == 0, ran.stderr
    assert "refused:" in ran.stdout and "profile" in ran.stdout


@pytest.mark.skipif(not sys.platform.startswith("linux"), reason="the Linux loader's names")
@pytest.mark.parametrize("legacy, names", [
    (False, ["libquorlin.so.1"]), (False, ["libquorlin.so"]),
    (True, ["libquorlin-legacy.so.1"]), (True, ["libquorlin-legacy.so"])])
def test_the_installed_library_is_found_by_the_system_loader(tmp_path, full_path, legacy_path,
                                                            legacy, names):
    for name in names:
        os.symlink(os.path.realpath(legacy_path if legacy else full_path), tmp_path / name)
    ran = run_python(f"import quorlin\nprint(quorlin.load(legacy={legacy}).profile)",
                     LD_LIBRARY_PATH=str(tmp_path))
    assert ran.returncode == 0, ran.stderr
    assert ran.stdout.strip() == ("legacy" if legacy else "full")


def test_without_any_library_the_error_says_how_to_name_one(tmp_path):
    ran = run_python("import quorlin\ntry:\n quorlin.load()\n"
                     "except quorlin.LoadError as e:\n print(e)",
                     LD_LIBRARY_PATH=str(tmp_path))
    if "libquorlin.so.1" in ran.stdout and "QUORLIN_LIBRARY" in ran.stdout:
        return
    if ran.stdout.strip() == "" and ran.returncode == 0:
        pytest.skip("a Quorlin library is installed on this machine")
    pytest.fail(ran.stdout + ran.stderr)


def test_a_str_connect_string_reaches_the_driver_intact(profile, tmp_path):
    # Without argtypes ctypes would pass a str as a wide text: the driver would see "D".
    path = tmp_path / "intact.db"
    with quorlin.connect(f"Driver=SQLite3;Database={path}", library=profile.path,
                         legacy=profile.legacy) as db:
        db.execute("CREATE TABLE Probe (A INTEGER)")
    assert path.exists()
