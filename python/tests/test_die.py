"""fluxeta.solve_die(): a die document solved as fluxeta-batch --die solves it."""
import concurrent.futures
import json
import math
import pathlib
import pickle

import numpy
import pytest

import fluxeta

DIES = pathlib.Path(__file__).resolve().parents[2] / "examples" / "dies"
COLUMNS = ["X", "P", "Q", "DelQ", "Q_DIFF", "APP_SR_C", "SR_S", "APP_VIS_C", "VIS_S", "A", "Dh",
           "H", "L", "RTime", "TAU_S"]
FIGURES = {"entrancePressure": "entrance_pressure_Pa", "DelQRms": "DelQRms",
           "uniformity": "uniformity", "flowRatio": "flow_ratio"}


def same(value, expected):
    """JSON's null is the result's NaN; any other figure is equal to the last bit."""
    if expected is None:
        return math.isnan(value)
    return value == expected


def assert_is_the_table(result, table):
    assert result.status == table["status"]
    assert result.message == table["message"]
    assert result.sweeps == table["sweeps"]
    assert result.stations == table["stationCount"]
    assert result.document == table["inputs"]
    assert fluxeta.DieResult.units == table["units"]
    for name, attribute in FIGURES.items():
        assert same(getattr(result, attribute), table[name]["value"]), name
    for name in COLUMNS:
        expected = [station[name] for station in table["stations"]]
        values = getattr(result, name).tolist()
        assert len(values) == len(expected), name
        assert all(same(v, e) for v, e in zip(values, expected)), name


class TestTheCommandLinesFigures:
    @pytest.mark.parametrize("die, stations", [
        ("t_die_newtonian.json", None),
        ("t_die_teardrop_centre.json", 40),
        ("tapered_window_liquid.json", None),
        ("tapered_window_liquid.json", 200),
    ])
    def test_equal_the_json_table_to_the_last_digit(self, batch, die, stations):
        arguments = ["--die", str(DIES / die), "--table", "json"]
        if stations is not None:
            arguments += ["--stations", str(stations)]
        run = batch(*arguments)
        assert run.returncode == 0, run.stderr
        result = fluxeta.solve_die(DIES / die, stations=stations)
        assert result.converged
        assert_is_the_table(result, json.loads(run.stdout))

    def test_a_die_that_cannot_pass_its_flow_gives_its_verdict(self, batch, test_data):
        die = test_data / "die" / "t_die_yield_stress.json"
        run = batch("--die", str(die), "--table", "json")
        assert run.returncode == 1
        result = fluxeta.solve_die(str(die))
        assert result.status == "no_physical_solution"
        assert not result.converged
        assert math.isnan(result.far_end_flow)
        assert_is_the_table(result, json.loads(run.stdout))

    def test_a_dict_solves_as_its_file(self):
        path = DIES / "t_die_teardrop_centre.json"
        from_file = fluxeta.solve_die(path)
        from_dict = fluxeta.solve_die(json.loads(path.read_text()))
        for name in COLUMNS:
            numpy.testing.assert_array_equal(getattr(from_dict, name), getattr(from_file, name))
        assert from_dict.entrance_pressure_Pa == from_file.entrance_pressure_Pa

    def test_a_profile_is_read_beside_its_document_or_the_current_directory(self, monkeypatch,
                                                                           tmp_path):
        monkeypatch.chdir(tmp_path)
        path = DIES / "profile_rectangle.json"
        assert fluxeta.solve_die(str(path)).converged
        with pytest.raises(ValueError, match="profile_rectangle.csv"):
            fluxeta.solve_die(json.loads(path.read_text()))
        monkeypatch.chdir(DIES)
        assert fluxeta.solve_die(json.loads(path.read_text())).converged


class TestRefusals:
    @pytest.fixture
    def die(self):
        return json.loads((DIES / "t_die_newtonian.json").read_text())

    def test_name_the_key_by_its_path(self, die):
        die["geometry"]["manifold"]["radius"] = 0
        with pytest.raises(ValueError) as refused:
            fluxeta.solve_die(die)
        assert str(refused.value) == \
            "geometry.manifold.radius: must be a positive number (cm), not 0"
        del die["geometry"]["manifold"]
        with pytest.raises(ValueError, match=r"^geometry\.manifold: missing"):
            fluxeta.solve_die(die)

    @pytest.mark.parametrize("value", [10 ** 400, -10 ** 400, math.nan, math.inf])
    def test_name_a_number_beyond_a_double(self, die, value):
        die["flow_rate"] = value
        with pytest.raises(ValueError, match="^flow_rate: must be a finite number$"):
            fluxeta.solve_die(die)

    def test_name_the_stations_and_the_file(self, die, tmp_path):
        with pytest.raises(ValueError, match="^stations: must be a whole number from 2"):
            fluxeta.solve_die(die, stations=1)
        with pytest.raises(ValueError, match="^stations: must be a whole number"):
            fluxeta.solve_die(die, stations=10.5)
        with pytest.raises(ValueError, match="No such file or directory"):
            fluxeta.solve_die(tmp_path / "gone.json")
        (tmp_path / "cut.json").write_text('{"geometry": ')
        with pytest.raises(ValueError, match="parse error at line 1"):
            fluxeta.solve_die(tmp_path / "cut.json")

    def test_refuse_what_is_not_a_document(self):
        with pytest.raises(TypeError):
            fluxeta.solve_die([1, 2])
        with pytest.raises(TypeError):
            fluxeta.solve_die({"geometry": object()})


class TestResult:
    def test_pickles_to_the_same_figures_without_its_files(self, tmp_path, monkeypatch):
        monkeypatch.chdir(tmp_path)
        for result in (fluxeta.solve_die(DIES / "profile_rectangle.json"),
                       fluxeta.solve_die(DIES.parents[1] / "tests" / "data" / "die" /
                                         "t_die_yield_stress.json")):
            copy = pickle.loads(pickle.dumps(result))
            assert (copy.status, copy.message, copy.sweeps, copy.stations, copy.document) == \
                (result.status, result.message, result.sweeps, result.stations, result.document)
            for attribute in [*FIGURES.values(), "far_end_flow"]:
                assert numpy.array_equal(getattr(copy, attribute), getattr(result, attribute),
                                         equal_nan=True), attribute
            for name in COLUMNS:
                assert numpy.array_equal(getattr(copy, name), getattr(result, name),
                                         equal_nan=True), name

    def test_columns_are_read_only_and_outlive_the_result(self):
        result = fluxeta.solve_die(DIES / "t_die_newtonian.json", stations=40)
        table = result.table()
        assert list(table) == COLUMNS
        with pytest.raises(ValueError):
            table["P"][0] = 0
        pressure = result.P
        del result, table
        assert pressure.shape == (40,) and pressure[0] > pressure[-1] > 0

    def test_solves_on_several_threads_give_the_figures_of_one_at_a_time(self):
        dies = [DIES / name for name in ("t_die_newtonian.json", "coat_hanger_uniform.json",
                                         "tapered_window_liquid.json", "coat_hanger_tables.json")]
        alone = [fluxeta.solve_die(die).DelQ.tolist() for die in dies]
        with concurrent.futures.ThreadPoolExecutor(max_workers=4) as pool:
            together = list(pool.map(lambda die: fluxeta.solve_die(die).DelQ.tolist(), dies * 2))
        assert together == alone * 2
