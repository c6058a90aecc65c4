"""fluxeta.solve(): the figures, the station columns and the result file of one case."""
import concurrent.futures
import gc
import json
import math
import os
import pathlib
import stat
import threading

import numpy
import pytest

import fluxeta

GOLDEN = pathlib.Path(__file__).resolve().parents[2] / "tests" / "golden"
STATION_COLUMNS = ["X", "P", "Q", "DelQ", "Q_DIFF", "APP_SR_C", "SR_S", "APP_VIS_C", "VIS_S",
                   "A", "Dh", "H", "L", "RTime"]


def write_data_file(path, **inputs):
    """A data file of the default case with `inputs` changed, one 'label = value' line each."""
    lines = []
    for row in fluxeta.inputs():
        lines.append(f"{row['name']} = {inputs.get(row['name'], row['default'])!r}\r\n")
    path.write_bytes("".join(lines).encode())


class TestDefaultCase:
    def test_result_file_is_the_expected_one_byte_for_byte(self, test_data):
        expected = (test_data / "default_result.txt").read_bytes()
        assert fluxeta.solve().result_file_text() == expected

    def test_figures_and_columns_are_those_of_the_batch_table(self):
        golden = json.loads((GOLDEN / "default_table.json").read_text())
        result = fluxeta.solve()
        assert result.status == "converged"
        assert result.converged
        assert result.sweeps == golden["sweeps"]
        assert result.uniformity == golden["uniformity"]["value"]
        assert result.DelQRms == golden["DelQRms"]["value"]
        assert result.entrance_pressure_Pa == golden["entrancePressure"]["value"]
        for name in STATION_COLUMNS:
            expected = [station[name] for station in golden["stations"]]
            assert getattr(result, name).tolist() == expected, name

    def test_inputs_are_the_default_case(self):
        defaults = {row["name"]: row["default"] for row in fluxeta.inputs()}
        assert fluxeta.solve().inputs == defaults


class TestOtherCases:
    @pytest.mark.parametrize("inputs", [
        {"gamma": 0.37, "Lend": 2.2, "Qin": 40.5},
        {"gamma": 1.0, "W": 120.0, "H": 0.05},
        {"Qin": 0.0},  # the search gives up
    ])
    def test_result_file_is_the_one_fluxeta_batch_writes(self, batch, tmp_path, inputs):
        write_data_file(tmp_path / "case.txt", **inputs)
        run = batch("case.txt", "-o", "result.txt", cwd=tmp_path)
        assert run.returncode in (0, 1), run.stderr
        assert fluxeta.solve(**inputs).result_file_text() == (tmp_path / "result.txt").read_bytes()

    def test_a_case_that_does_not_converge_has_no_figures(self):
        result = fluxeta.solve(Qin=0)
        assert result.status == "not_converged"
        assert not result.converged
        assert result.sweeps == 50
        assert math.isnan(result.uniformity)
        assert math.isnan(result.DelQRms)
        assert math.isnan(result.entrance_pressure_Pa)
        assert not result.Q_DIFF.any()
        assert not result.RTime.any()

    def test_a_text_is_read_as_the_window_reads_it(self):
        assert fluxeta.solve(gamma=" 0.25 ", Qin="4e1").result_file_text() == \
            fluxeta.solve(gamma=0.25, Qin=40).result_file_text()

    def test_numpy_numbers_are_taken(self):
        assert fluxeta.solve(Qin=numpy.float32(40), W=numpy.int64(70)).inputs["W"] == 70.0

    def test_the_fixed_inputs_of_the_window_may_be_given(self):
        assert fluxeta.solve(n=0.6).inputs["n"] == 0.6
        assert fluxeta.solve(n=0.6).uniformity != fluxeta.solve().uniformity


class TestStationColumns:
    def test_every_column_has_the_fifty_stations_and_cannot_be_changed(self):
        result = fluxeta.solve()
        assert list(result.table()) == STATION_COLUMNS
        for name, column in result.table().items():
            assert column.shape == (50,), name
            assert column.dtype == numpy.float64
            with pytest.raises(ValueError):
                column[0] = 1.0

    def test_a_column_keeps_its_result_alive(self):
        pressure = fluxeta.solve().P  # the result itself has no name left
        expected = fluxeta.solve().P.tolist()
        gc.collect()
        fluxeta.solve(Qin=40)  # would take the freed table's memory
        assert pressure.tolist() == expected

    def test_positions_step_by_a_fiftieth_of_the_width(self):
        positions = fluxeta.solve(W=50.0).X
        assert positions[0] == 0.0
        assert positions[1] == 1.0


def test_solves_on_several_threads_at_once_give_the_figures_of_one_at_a_time():
    cases = [{"gamma": 0.05 * k, "Qin": 20 + k} for k in range(12)]
    expected = [fluxeta.solve(**case).result_file_text() for case in cases]
    with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
        texts = list(pool.map(lambda case: fluxeta.solve(**case).result_file_text(), cases))
    assert texts == expected


class TestRefusedArguments:
    def test_an_unknown_input_is_named(self):
        with pytest.raises(TypeError, match="'Qout'"):
            fluxeta.solve(Qout=1.0)

    def test_a_name_in_other_case_is_pointed_to_its_input(self):
        with pytest.raises(TypeError, match="did you mean 'gammacr'"):
            fluxeta.solve(gammaCr=50.0)

    def test_a_value_that_is_no_number_nor_text_is_refused(self):
        with pytest.raises(TypeError, match="'Qin'"):
            fluxeta.solve(Qin=None)
        with pytest.raises(TypeError, match="'Qin'"):
            fluxeta.solve(Qin=True)

    def test_an_unknown_search_is_refused(self):
        with pytest.raises(ValueError, match="'window', 'robust'"):
            fluxeta.solve(search="shooting")

    def test_the_robust_search_gives_a_verdict_and_the_fixed_point(self):
        window = fluxeta.solve()
        robust = fluxeta.solve(search="robust")
        assert robust.status == "converged"
        assert abs(robust.uniformity - window.uniformity) < 2e-5
        assert abs(robust.entrance_pressure_Pa / window.entrance_pressure_Pa - 1) < 2e-5


class TestResultFileWriting:
    def test_the_file_holds_the_result_file_text_and_no_temporary_is_left(self, tmp_path):
        result = fluxeta.solve(gamma=0.4)
        target = tmp_path / "Result.txt"
        target.write_bytes(b"an older result")
        result.write_result_file(target)
        assert target.read_bytes() == result.result_file_text()
        assert [path.name for path in tmp_path.iterdir()] == ["Result.txt"]

    def test_a_file_that_cannot_be_opened_raises_an_input_output_error(self, tmp_path):
        with pytest.raises(fluxeta.InputOutputError) as raised:
            fluxeta.solve().write_result_file(str(tmp_path / "missing" / "Result.txt"))
        assert raised.value.code == "file_cannot_open"
        assert str(raised.value) == (f"cannot open output file '{tmp_path / 'missing' / 'Result.txt'}'"
                                     f": No such file or directory")

    def test_a_directory_is_refused_by_path_and_reason_and_no_temporary_is_left(self, tmp_path):
        (tmp_path / "Result.txt").mkdir()  # a directory cannot be replaced by a file
        with pytest.raises(fluxeta.InputOutputError) as raised:
            fluxeta.solve().write_result_file(tmp_path / "Result.txt")
        assert raised.value.code == "file_cannot_open"
        assert str(raised.value) == f"cannot open output file '{tmp_path / 'Result.txt'}': Is a directory"
        assert [path.name for path in tmp_path.iterdir()] == ["Result.txt"]

    def test_the_old_file_keeps_its_permissions(self, tmp_path):
        target = tmp_path / "Result.txt"
        target.write_bytes(b"an older result")
        target.chmod(0o600)
        fluxeta.solve().write_result_file(target)
        assert stat.S_IMODE(target.stat().st_mode) == 0o600

    def test_a_symbolic_link_stays_and_the_file_it_names_is_replaced(self, tmp_path):
        target = tmp_path / "results" / "Result.txt"
        target.parent.mkdir()
        target.write_bytes(b"an older result")
        link = tmp_path / "latest.txt"
        link.symlink_to(target)
        result = fluxeta.solve(Qin=40)
        result.write_result_file(link)
        assert link.is_symlink()
        assert target.read_bytes() == result.result_file_text()
        assert sorted(path.name for path in tmp_path.iterdir()) == ["latest.txt", "results"]
        assert [path.name for path in target.parent.iterdir()] == ["Result.txt"]

    def test_a_pipe_is_written_through(self, tmp_path):
        pipe = tmp_path / "result.fifo"
        os.mkfifo(pipe)
        received = []
        # A reader left waiting by a writer that replaced the pipe must not hold the tests.
        reader = threading.Thread(target=lambda: received.append(pipe.read_bytes()), daemon=True)
        reader.start()
        result = fluxeta.solve()
        result.write_result_file(pipe)
        reader.join(timeout=10)
        assert stat.S_ISFIFO(pipe.stat().st_mode)
        assert received == [result.result_file_text()]

    def test_a_device_is_written_through(self, tmp_path):
        # A node of the null device of its own, so that a writer that replaced devices
        # would not take the system's: creating one needs root.
        device = tmp_path / "null"
        try:
            os.mknod(device, stat.S_IFCHR | 0o666, os.makedev(1, 3))
        except PermissionError:
            pytest.skip("creating a device node needs root")
        fluxeta.solve().write_result_file(device)
        assert stat.S_ISCHR(device.stat().st_mode)

    def test_threads_writing_one_path_leave_one_whole_result(self, tmp_path):
        # Four different results: a file mixed from two of them equals none.
        results = [fluxeta.solve(Qin=20 + 7 * k, W=60 + k) for k in range(4)]
        texts = {result.result_file_text() for result in results}
        assert len(texts) == 4
        target = tmp_path / "Result.txt"
        failures = []

        def write(result):
            for _ in range(100):
                try:
                    result.write_result_file(target)
                except fluxeta.FluxetaError as error:
                    failures.append(error)

        for _ in range(4):
            threads = [threading.Thread(target=write, args=(result,)) for result in results]
            for thread in threads:
                thread.start()
            for thread in threads:
                thread.join()
            assert failures == []
            assert target.read_bytes() in texts
        assert [path.name for path in tmp_path.iterdir()] == ["Result.txt"]
