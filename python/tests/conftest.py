"""Shared fixtures: the fluxeta-batch program and the test data, named by the build."""
import os
import pathlib
import subprocess

import pytest


@pytest.fixture(scope="session")
def batch():
    """Runs fluxeta-batch with the given arguments in the C locale; returns the completed process."""
    program = os.environ.get("FLUXETA_BATCH")
    if not program:
        pytest.skip("FLUXETA_BATCH names no fluxeta-batch program")

    def run(*arguments, cwd=None):
        environment = dict(os.environ, LC_ALL="C")
        return subprocess.run([os.path.abspath(program), *arguments], cwd=cwd, env=environment,
                              capture_output=True, check=False)

    return run


@pytest.fixture(scope="session")
def test_data():
    """The folder of the expected result files."""
    folder = os.environ.get("FLUXETA_TEST_DATA")
    if not folder:
        folder = pathlib.Path(__file__).resolve().parents[2] / "tests" / "data"
    return pathlib.Path(folder)
