"""The test set-up itself: a database server that is not configured fails under CI."""

import os
import subprocess
import sys

import pytest

HERE = os.path.dirname(os.path.abspath(__file__))


@pytest.mark.parametrize("required, outcome", [({}, "skipped"), ({"CI": "true"}, "error"),
                                               ({"QUORLIN_REQUIRE_SERVERS": "1"}, "error")])
def test_a_missing_server_is_skipped_only_when_not_required(required, outcome):
    env = {key: value for key, value in os.environ.items()
           if key not in ("QUORLIN_TEST_PG", "CI", "QUORLIN_REQUIRE_SERVERS")}
    env.update(required)
    ran = subprocess.run(
        [sys.executable, "-m", "pytest", "-q", "-p", "no:cacheprovider",
         os.path.join(HERE, "test_records.py"), "-k", "readme and postgresql and full"],
        env=env, capture_output=True, text=True, timeout=300)
    assert f"1 {outcome}" in ran.stdout, ran.stdout + ran.stderr
    assert (ran.returncode == 0) is (outcome == "skipped")
    if outcome == "error":  # a fixture that fails makes an error: pytest exits non-zero
        assert "QUORLIN_TEST_PG is not set" in ran.stdout
