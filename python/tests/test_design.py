"""fluxeta.optimise(), sensitivity() and tolerance(): the design reports of fluxeta-batch."""
import _thread
import csv
import io
import json
import math
import threading
import time

import numpy
import pytest

import fluxeta


def batch_output(batch, *arguments, cwd):
    """The standard output of fluxeta-batch for `arguments`, which must succeed."""
    run = batch(*arguments, cwd=cwd)
    assert run.returncode == 0, run.stderr
    return run.stdout.decode()


def csv_table(text):
    """A CSV text as its header and rows of texts."""
    table = list(csv.reader(io.StringIO(text)))
    return table[0], table[1:]


def assert_columns_equal_csv(columns, text):
    """The NumPy columns hold exactly the CSV's texts: figures at their shortest round trip,
    NaN for an empty field."""
    header, rows = csv_table(text)
    assert list(columns) == header
    for name, column in columns.items():
        texts = [row[header.index(name)] for row in rows]
        assert len(column) == len(texts), name
        if column.dtype == object:
            assert column.tolist() == texts, name
        elif column.dtype == bool:
            assert column.tolist() == [field == "true" for field in texts], name
        elif column.dtype == numpy.int64:
            assert column.tolist() == [int(field) for field in texts], name
        else:
            assert column.dtype == numpy.float64, name
            for value, field in zip(column.tolist(), texts):
                if field:
                    assert value == float(field), name
                else:
                    assert math.isnan(value), name


class TestOptimiseAsTheBatch:
    @pytest.mark.parametrize("arguments, settings", [
        (["--optimise", "Lend=2:3"], {"variables": {"Lend": (2, 3)}}),
        (["--optimise", "gamma", "--optimise", "Lend=2:3", "--max-pressure", "170000"],
         {"variables": {"gamma": None, "Lend": (2.0, 3.0)}, "max_pressure": 170000}),
        (["--optimise", "Lend", "--objective", "pressure", "--min-uniformity", "0.95"],
         {"variables": ["Lend"], "objective": "pressure", "min_uniformity": 0.95}),
        (["--optimise", "Lend=2:3", "--max-residence-time", "18"],
         {"variables": {"Lend": [2, 3]}, "max_residence_time": 18}),
    ], ids=["uniformity", "two-variables-pressure-limit", "pressure-at-uniformity",
            "residence-time-limit"])
    def test_the_report_and_history_are_the_batch_ones(self, batch, tmp_path, arguments,
                                                       settings):
        expected = json.loads(batch_output(batch, *arguments, "--history", "history.csv",
                                           cwd=tmp_path))
        report = fluxeta.optimise(**settings, history=True)
        history = report.pop("history")
        assert report == expected
        assert_columns_equal_csv(history, (tmp_path / "history.csv").read_text())

    def test_the_chosen_inputs_solve_to_the_batch_result_file(self, batch, tmp_path):
        batch_output(batch, "--optimise", "Lend=2:3", cwd=tmp_path)
        report = fluxeta.optimise({"Lend": (2, 3)})
        design = fluxeta.solve(search="robust", **report["inputs"])
        assert design.uniformity == report["uniformity"]
        assert design.result_file_text() == (tmp_path / "Result.txt").read_bytes()


class TestOptimise:
    def test_an_impossible_target_is_infeasible_with_the_reason(self):
        report = fluxeta.optimise({"Lend": (2, 3)}, min_uniformity=1.5, history=True)
        assert report["status"] == "infeasible"
        assert report["reason"] == (f"no candidate met uniformity >= 1.5 in "
                                    f"{report['evaluations']} evaluations")
        assert not report["history"]["feasible"].any()

    def test_the_base_inputs_are_those_of_every_candidate(self):
        report = fluxeta.optimise(["Lend"], Qin=40, W="70.0", max_evaluations=4, history=True)
        assert report["status"] == "stopped"
        assert report["reason"] == "the budget of 4 evaluations ran out"
        assert report["evaluations"] == 4
        assert (report["inputs"]["Qin"], report["inputs"]["W"]) == (40, 70)
        history = report["history"]
        assert history["evaluation"].tolist() == [1, 2, 3, 4]
        for lend, uniformity in zip(history["Lend"], history["uniformity"]):
            assert fluxeta.solve(search="robust", Qin=40, W=70, Lend=lend).uniformity == uniformity

    def test_an_input_fixed_by_the_window_needs_all_inputs(self):
        with pytest.raises(ValueError, match="'n' is fixed.*all_inputs=True"):
            fluxeta.optimise(["n"])
        report = fluxeta.optimise({"n": (0.4, 0.6)}, all_inputs=True, max_evaluations=3)
        assert report["evaluations"] == 3

    def test_unsolved_candidates_are_in_the_history_without_figures(self):
        # A gap of 1 cm leaves no physical solution at the far end of the range.
        report = fluxeta.optimise({"H": (0.0254, 1.0)}, all_inputs=True, max_evaluations=21,
                                  history=True)
        history = report["history"]
        unsolved = history["status"] != "converged"
        assert unsolved.any() and not history["feasible"][unsolved].any()
        assert numpy.isnan(history["uniformity"][unsolved]).all()

    def test_ctrl_c_stops_the_search(self):
        # Uninterrupted, the grid over the ten inputs of the window, 3^10 candidates, takes
        # about ten seconds: an interrupt heard only on return would come far later.
        variables = [row["name"] for row in fluxeta.inputs() if not row["fixed_in_window"]]
        threading.Timer(0.2, _thread.interrupt_main).start()
        started = time.monotonic()
        with pytest.raises(KeyboardInterrupt):
            fluxeta.optimise(variables, max_evaluations=200000)
        assert time.monotonic() - started < 3

    @pytest.mark.parametrize("arguments, fault", [
        (([],), "no design variable"),
        (("Lend",), "list of input names"),
        ((["Lend", "Lend"],), "'Lend' is given twice"),
        ((["Qout"],), "unknown input 'Qout'"),
        (({"Lend": (3, 2)},), "lo must be below hi"),
        (({"Lend": (2, math.inf)},), "finite numbers"),
        (({"Lend": 2},), "a pair"),
        (({"Lend": (2, 3, 4)},), "a pair"),
    ])
    def test_bad_variables_are_refused_by_name(self, arguments, fault):
        with pytest.raises(ValueError, match=fault):
            fluxeta.optimise(*arguments)

    @pytest.mark.parametrize("settings, fault", [
        ({"objective": "speed"}, "unknown objective 'speed'"),
        ({"objective": "pressure"}, "needs min_uniformity"),
        ({"max_pressure": 0}, "max_pressure must be a positive"),
        ({"max_residence_time": -1}, "max_residence_time must be a positive"),
        ({"min_uniformity": math.nan}, "min_uniformity must be a finite"),
        ({"max_evaluations": 0}, "max_evaluations"),
        ({"Lend": 2.5}, "'Lend' is both"),
    ])
    def test_bad_settings_are_refused_by_name(self, settings, fault):
        with pytest.raises(ValueError, match=fault):
            fluxeta.optimise(["Lend"], **settings)

    def test_a_base_input_that_faults_raises_its_fault(self):
        with pytest.raises(fluxeta.DivisionByZero):
            fluxeta.optimise(["Lend"], W=0)
        with pytest.raises(TypeError, match="Qout"):
            fluxeta.optimise(["Lend"], Qout=1)


class TestSensitivity:
    @pytest.mark.parametrize("all_inputs", [False, True])
    def test_the_rows_are_the_batch_csv(self, batch, tmp_path, all_inputs):
        arguments = ["--sensitivity", "--table", "csv"] + (["--all-inputs"] if all_inputs else [])
        expected = batch_output(batch, *arguments, cwd=tmp_path)
        rows = fluxeta.sensitivity(all_inputs=all_inputs)
        assert len(rows["name"]) == (15 if all_inputs else 10)
        assert_columns_equal_csv(rows, expected)

    def test_the_step_is_relative_to_the_design_values(self):
        rows = fluxeta.sensitivity(relative_step=0.01, gamma=0.3)
        values = dict(zip(rows["name"], rows["value"]))
        steps = dict(zip(rows["name"], rows["step"]))
        assert values["gamma"] == 0.3
        assert steps["gamma"] == 0.01 * 0.3
        assert steps["Qin"] == 0.01 * 33

    @pytest.mark.parametrize("step", [0, 1, -0.001, math.nan, math.inf])
    def test_a_step_outside_zero_to_one_is_refused(self, step):
        with pytest.raises(ValueError, match="relative_step"):
            fluxeta.sensitivity(relative_step=step)

    @pytest.mark.parametrize("design, code", [({"H": 0.5}, "regime_gap"),
                                              ({"H": 1.0}, "no_physical_solution")])
    def test_a_design_that_is_not_solved_raises_its_outcome(self, design, code):
        with pytest.raises(fluxeta.FluxetaError, match="sensitivities need a converged design") \
                as raised:
            fluxeta.sensitivity(**design)
        assert raised.value.code == code


class TestTolerance:
    def test_the_band_is_the_batch_report(self, batch, tmp_path):
        expected = json.loads(batch_output(batch, "--tolerance", "H=±0.0005", "--tolerance",
                                           "Qin=±10%", "--tolerance", "W=2", cwd=tmp_path))
        assert fluxeta.tolerance({"H": "±0.0005", "Qin": "±10%", "W": "2"}) == expected

    def test_a_number_is_a_tolerance_in_the_input_unit(self):
        as_texts = fluxeta.tolerance({"H": "±0.0005", "Qin": "+-10%"})
        assert fluxeta.tolerance({"H": 0.0005, "Qin": "10%"}) == as_texts
        assert as_texts["corners"] == 4

    def test_the_band_is_around_the_base_design(self):
        band = fluxeta.tolerance({"H": 0.0005}, Qin=40)
        centre = fluxeta.solve(search="robust", Qin=40)
        assert band["uniformity"] == centre.uniformity
        assert band["entrance_pressure_Pa"] == centre.entrance_pressure_Pa
        assert band["worst_uniformity_inputs"]["Qin"] == 40

    def test_a_band_with_an_unsolved_point_is_a_failure(self):
        # At H = 0.5 cm the centre falls in a regime gap and H = 0.99 cm has no physical
        # solution; H = 0.01 cm is solved. A band of the one solved corner would look
        # like a perfectly robust design.
        with pytest.raises(fluxeta.FluxetaError) as raised:
            fluxeta.tolerance({"H": 0.49}, H=0.5)
        assert raised.value.code == "regime_gap"
        assert "the centre (regime_gap) and 1 of 2 corners could not be solved" in str(raised.value)
        with pytest.raises(fluxeta.FluxetaError) as raised:
            fluxeta.tolerance({"H": 0.01}, H=1.0)
        assert "the centre (no_physical_solution) and 2 of 2 corners" in str(raised.value)

    @pytest.mark.parametrize("tolerances, fault", [
        ({"H": "±x"}, "'H=±x': the tolerance is not a finite number"),
        ({"H": -0.001}, "tolerance of 'H'"),
        ({"H": True}, "tolerance of 'H'"),
        ({"Qout": 1}, "unknown input 'Qout'"),
        ({name: 0 for name in ["Ain", "gamma", "Pein", "Lin", "Lend", "W", "H", "lambda",
                               "alpha", "eta0", "gamma0", "n", "gammacr"]}, "at most 12"),
    ])
    def test_bad_tolerances_are_refused_by_name(self, tolerances, fault):
        with pytest.raises(ValueError, match=fault):
            fluxeta.tolerance(tolerances)
