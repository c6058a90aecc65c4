"""fluxeta.study(): the rows of fluxeta-batch's study CSV, as NumPy arrays."""
import _thread
import csv
import gc
import io
import math
import threading
import time

import numpy
import pytest

import fluxeta

RESULT_COLUMNS = ["converged", "status", "sweeps", "outcome", "entrance_pressure_Pa",
                  "uniformity", "DelQRms", "Q_DIFF_min", "Q_DIFF_max"]
FIGURES = RESULT_COLUMNS[4:]


def batch_rows(batch, *arguments, cwd=None):
    """The study CSV that fluxeta-batch writes for `arguments`, as a header and rows of texts."""
    run = batch(*arguments, "-j", "2", cwd=cwd)
    assert run.returncode == 0, run.stderr
    table = list(csv.reader(io.StringIO(run.stdout.decode())))
    return table[0], table[1:]


def assert_rows_equal(rows, header, expected_rows, text_inputs=()):
    """The study's arrays hold exactly the figures of the CSV texts (shortest round-trip)."""
    assert list(rows) == header
    assert all(len(column) == len(expected_rows) for column in rows.values())
    for name, column in rows.items():
        texts = [row[header.index(name)] for row in expected_rows]
        if name in text_inputs or name in ("status", "outcome"):
            assert column.dtype == object
            assert column.tolist() == texts, name
        elif name == "converged":
            assert column.dtype == bool
            assert column.tolist() == [text == "true" for text in texts]
        elif name == "sweeps":
            assert column.dtype == numpy.int64
            assert column.tolist() == [int(text) if text else 0 for text in texts]
        else:
            assert column.dtype == numpy.float64, name
            for value, text in zip(column.tolist(), texts):
                if text:
                    assert value == float(text), name
                else:
                    assert math.isnan(value), name


class TestRowsOfFluxetaBatch:
    def test_a_grid_gives_the_rows_of_its_sweeps(self, batch):
        header, expected = batch_rows(batch, "--sweep", "gamma=0:1:5", "--sweep", "Lend=2.0:3.0:3")
        rows = fluxeta.study({"gamma": [0, 0.25, 0.5, 0.75, 1.0], "Lend": [2.0, 2.5, 3.0]}, search="window")
        assert_rows_equal(rows, header, expected)

    def test_failing_cases_fill_their_rows_as_the_batch_does(self, batch):
        # W = 0 faults, Qin = 0 does not converge.
        header, expected = batch_rows(batch, "--sweep", "W=0:66:3", "--sweep", "Qin=0:33:2")
        rows = fluxeta.study({"W": numpy.linspace(0, 66, 3), "Qin": [0, 33]}, search="window")
        assert set(rows["status"]) == {"division_by_zero", "not_converged", "converged"}
        assert_rows_equal(rows, header, expected)

    def test_cases_with_texts_give_the_rows_of_a_cases_file(self, batch, tmp_path):
        cases = [{"gamma": "0.2", "Qin": "40"}, {"gamma": "0.3", "Qin": "3x"},
                 {"gamma": "1e-1", "Qin": " 33 "}]
        (tmp_path / "cases.csv").write_text(
            "gamma,Qin\n" + "".join(f"{c['gamma']},{c['Qin']}\n" for c in cases))
        header, expected = batch_rows(batch, "--cases", "cases.csv", cwd=tmp_path)
        rows = fluxeta.study(cases, search="window")
        assert rows["status"][1] == "not_a_number"
        assert_rows_equal(rows, header, expected, text_inputs=("gamma", "Qin"))


class TestCases:
    def test_a_list_of_cases_gives_the_rows_of_the_same_grid(self):
        grid = fluxeta.study({"gamma": [0.1, 0.9], "Lend": [2.0, 2.5, 3.0]}, search="window")
        cases = fluxeta.study([{"Lend": lend, "gamma": gamma}
                               for gamma in (0.1, 0.9) for lend in (2.0, 2.5, 3.0)], search="window")
        assert list(cases)[:2] == ["Lend", "gamma"]
        for name in grid:
            numpy.testing.assert_array_equal(cases[name], grid[name])

    def test_a_row_has_the_figures_of_solve(self):
        rows = fluxeta.study({"gamma": [0.3]}, Qin=41.5, W=70, search="window")
        result = fluxeta.solve(gamma=0.3, Qin=41.5, W=70)
        assert rows["uniformity"][0] == result.uniformity
        assert rows["entrance_pressure_Pa"][0] == result.entrance_pressure_Pa
        assert rows["DelQRms"][0] == result.DelQRms
        assert rows["Q_DIFF_min"][0] == result.Q_DIFF.min()
        assert rows["Q_DIFF_max"][0] == result.Q_DIFF.max()
        assert rows["sweeps"][0] == result.sweeps

    def test_the_rows_are_the_same_on_any_number_of_threads(self):
        grid = {"gamma": numpy.linspace(0, 1, 7), "Qin": [0, 20, 33]}
        one = fluxeta.study(grid, jobs=1)
        for jobs in (2, 3, None):
            for name, column in fluxeta.study(grid, jobs=jobs).items():
                numpy.testing.assert_array_equal(column, one[name])

    def test_numpy_arrays_are_taken_as_sequences_of_values(self):
        # Each element of an array is a new object: the study keeps its own references.
        for count in (3, 5, 9):
            rows = fluxeta.study({"gamma": numpy.linspace(0, 1, count),
                                  "Lend": numpy.array([2.0, 3.0], dtype=numpy.float32)})
            gc.collect()
            assert rows["gamma"].tolist() == numpy.repeat(numpy.linspace(0, 1, count), 2).tolist()
        rows = fluxeta.study(tuple({"W": width} for width in numpy.arange(40, 80, 10)), search="window")
        assert rows["W"].tolist() == [40.0, 50.0, 60.0, 70.0]

    def test_an_empty_list_is_a_study_of_no_case(self):
        rows = fluxeta.study([], search="window")
        assert list(rows) == RESULT_COLUMNS
        assert all(len(column) == 0 for column in rows.values())


class TestRefusedStudies:
    def test_an_unknown_input_is_named(self):
        with pytest.raises(ValueError, match="'Qout'"):
            fluxeta.study({"Qout": [1.0]})

    def test_a_name_that_is_not_a_text_is_refused(self):
        with pytest.raises(TypeError, match="str"):
            fluxeta.study({1: [0.1]})

    def test_cases_that_name_other_inputs_are_refused(self):
        with pytest.raises(ValueError, match="case 1"):
            fluxeta.study([{"gamma": 0.1}, {"Lend": 2.0}], search="window")

    def test_an_input_both_varied_and_given_is_refused(self):
        with pytest.raises(ValueError, match="'gamma'"):
            fluxeta.study({"gamma": [0.1]}, gamma=0.2, search="window")

    def test_a_grid_value_that_is_not_a_sequence_is_refused(self):
        with pytest.raises(TypeError, match="'gamma'"):
            fluxeta.study({"gamma": 0.1}, search="window")
        with pytest.raises(TypeError):
            fluxeta.study("gamma=0:1:5")

    def test_no_thread_and_an_unknown_search_are_refused(self):
        with pytest.raises(ValueError, match="jobs"):
            fluxeta.study({"gamma": [0.1]}, jobs=0, search="window")
        with pytest.raises(ValueError, match="'robust'"):
            fluxeta.study({"gamma": [0.1]}, search="shooting")


class TestLargeStudies:
    def test_ctrl_c_is_heard_while_the_study_runs(self):
        # 100,000 cases take seconds: an interrupt heard only on return would come far later.
        threading.Timer(0.2, _thread.interrupt_main).start()
        started = time.monotonic()
        with pytest.raises(KeyboardInterrupt):
            fluxeta.study({"gamma": numpy.linspace(0.0, 1.0, 100000)})
        assert time.monotonic() - started < 1.5

    @pytest.mark.parametrize("grid", [
        {"gamma": [0.1] * 1000, "Lend": [2.5] * 10000},
        {"gamma": [0.1] * 1000000, "Lend": [2.5] * 1000000},
    ])
    def test_a_study_beyond_a_million_cases_is_refused_before_it_starts(self, grid):
        with pytest.raises(ValueError, match="a study takes at most 1000000 cases"):
            fluxeta.study(grid)
