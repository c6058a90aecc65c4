"""fluxeta.coating_window(): the bead across the web, as fluxeta-batch --coating-window has it."""
import json
import math
import pathlib

import numpy
import pytest

import fluxeta

GOLDEN = pathlib.Path(__file__).resolve().parents[2] / "tests" / "golden"
POINT = json.loads((GOLDEN / "coating_point.json").read_text())


def batch_window(batch, tmp_path, point, *arguments):
    """The --table json output of fluxeta-batch for `point`, which must succeed."""
    (tmp_path / "point.json").write_text(json.dumps(point))
    run = batch(*arguments, "--coating-window", "point.json", "--table", "json", cwd=tmp_path)
    assert run.returncode == 0, run.stderr
    return json.loads(run.stdout)


def assert_window_is_the_batch_one(window, expected):
    """The same verdict, figures and columns, every figure to its last digit."""
    assert window["verdict"] == expected["verdict"]
    point = dict(expected["operating_point"])
    lowest, highest = point.pop("vacuum")
    assert window["operating_point"] == dict(point, lowest_vacuum=lowest, highest_vacuum=highest)
    assert window["window"] == {name: figure["value"]
                                for name, figure in expected["window"].items()}
    assert window["outside"] == expected["outside"]
    for name, unit in expected["units"].items():
        assert window["units"][name] == unit
    stations = window["stations"]
    assert list(stations) == list(expected["stations"][0])
    for name, column in stations.items():
        texts = [row[name] for row in expected["stations"]]
        values = [math.nan if value is None else value for value in texts]
        if column.dtype == numpy.float64:
            assert numpy.array_equal(column, values, equal_nan=True), name
        else:
            assert column.tolist() == values, name


class TestAsTheBatch:
    def test_the_default_die_is_the_golden_window(self):
        expected = json.loads((GOLDEN / "coating_window.json").read_text())
        assert_window_is_the_batch_one(fluxeta.coating_window(POINT), expected)

    def test_a_case_of_given_inputs_and_search_is_the_batch_window(self, batch, tmp_path):
        point = dict(POINT, web_speed=8, vacuum=[-100, 150])
        given = {"Qin": 40.0, "Lend": 2.8}
        (tmp_path / "case.txt").write_bytes("".join(
            f"{row['name']} = {given.get(row['name'], row['default'])!r}\r\n"
            for row in fluxeta.inputs()).encode())
        expected = batch_window(batch, tmp_path, point, "case.txt", "--search", "robust")
        window = fluxeta.coating_window(point, search="robust", Qin=40, Lend="2.8")
        assert_window_is_the_batch_one(window, expected)


class TestADieDocument:
    def test_a_die_file_is_the_golden_window(self, test_data):
        expected = json.loads((GOLDEN / "die_coat_hanger_coating_window.json").read_text())
        point = json.loads((GOLDEN / "die_coat_hanger_coating_point.json").read_text())
        die = test_data / "die" / "coat_hanger_uniform.json"
        assert_window_is_the_batch_one(fluxeta.coating_window(point, die=die), expected)
        assert_window_is_the_batch_one(fluxeta.coating_window(point, die=str(die)), expected)

    def test_a_die_dict_is_the_batch_window_of_its_file(self, batch, tmp_path, test_data):
        document = json.loads((test_data / "die" / "t_die_centre.json").read_text())
        document["stations"] = 16
        (tmp_path / "die.json").write_text(json.dumps(document))
        point = dict(POINT, coating_gap=0.08)
        expected = batch_window(batch, tmp_path, point, "--die", "die.json")
        window = fluxeta.coating_window(point, die=document)
        assert_window_is_the_batch_one(window, expected)
        assert len(window["stations"]["x"]) == 16

    def test_a_die_document_that_cannot_be_used_is_refused_by_key(self, test_data):
        document = json.loads((test_data / "die" / "t_die_centre.json").read_text())
        document["geometry"]["gap"] = 0
        with pytest.raises(ValueError, match=r"^die document: geometry\.gap: must be a positive"):
            fluxeta.coating_window(POINT, die=document)
        with pytest.raises(ValueError, match=r"^die document: .*missing\.json"):
            fluxeta.coating_window(POINT, die=test_data / "die" / "missing.json")

    def test_a_die_takes_no_case_inputs_nor_search(self, test_data):
        die = test_data / "die" / "t_die_centre.json"
        with pytest.raises(TypeError, match="die="):
            fluxeta.coating_window(POINT, die=die, Qin=40)
        with pytest.raises(TypeError, match="die="):
            fluxeta.coating_window(POINT, die=die, search="window")
        with pytest.raises(TypeError, match="die must be"):
            fluxeta.coating_window(POINT, die=[1, 2])

    def test_a_die_document_that_is_not_solved_raises_its_outcome(self, test_data):
        document = json.loads((test_data / "die" / "t_die_centre.json").read_text())
        document["geometry"].update(feed="end", width=50)
        document["geometry"]["manifold"]["radius"] = 0.05
        document.update(fluid={"model": "newtonian", "viscosity": 1.0}, flow_rate=10.0,
                        density=0.0, stations=20)
        with pytest.raises(fluxeta.FluxetaError, match="manifold runs empty") as raised:
            fluxeta.coating_window(POINT, die=document)
        assert raised.value.code == "no_physical_solution"


class TestTheWeb:
    def test_the_stations_outside_are_named_with_how_far(self):
        window = fluxeta.coating_window(POINT)
        stations = window["stations"]
        assert window["verdict"] == "outside"
        [run] = window["outside"]
        low_flow = stations["verdict"] == "low_flow"
        assert stations["station"][low_flow].tolist() == list(range(1, 13))
        assert (stations["verdict"][~low_flow] == "inside").all()
        assert run["worst_margin"] == stations["low_flow_margin"].min() < 0
        assert (run["first_station"], run["last_station"], run["unit"]) == (1, 12, "cm")

    def test_a_thinner_gap_holds_the_whole_web_at_one_vacuum(self):
        window = fluxeta.coating_window(dict(POINT, coating_gap=0.15))
        assert window["verdict"] == "inside"
        assert window["outside"] == []
        figures, stations = window["window"], window["stations"]
        assert figures["web_vacuum_lowest"] == stations["least_vacuum"].max()
        assert figures["web_vacuum_highest"] == stations["most_vacuum"].min()

    def test_the_film_is_the_flow_over_the_speed(self):
        die = fluxeta.solve()
        stations = fluxeta.coating_window(POINT)["stations"]
        interval = die.inputs["W"] / 50
        assert numpy.array_equal(stations["x"], die.X)
        assert numpy.array_equal(stations["flow_per_width"], die.DelQ / interval)
        assert numpy.array_equal(stations["wet_thickness"],
                                 stations["flow_per_width"] / POINT["web_speed"])


class TestRefusals:
    @pytest.mark.parametrize("change, key", [
        ({"web_speed": 0}, "web_speed"),
        ({"coating_gap": -0.1}, "coating_gap"),
        ({"upstream_lip": 0}, "upstream_lip"),
        ({"downstream_lip": 0.0}, "downstream_lip"),
        ({"surface_tension": -0.03}, "surface_tension"),
        ({"web_speed": math.nan}, "web_speed"),
        ({"coating_gap": math.inf}, "coating_gap"),
        ({"surface_tension": True}, "surface_tension"),
        ({"vacuum": [300, 0]}, "vacuum"),
        ({"vacuum": [0, math.nan]}, r"vacuum\[1\]"),
        ({"vacuum": 300}, "vacuum"),
        ({"speed": 5}, "speed"),
        ({"coating_gap": 0.05}, "coating_gap"),
    ], ids=["speed", "gap", "upstream-lip", "downstream-lip", "surface-tension", "nan",
            "infinite", "bool", "vacuum-order", "vacuum-nan", "vacuum-number", "unknown-key",
            "gap-below-film"])
    def test_a_bad_operating_point_is_refused_by_key(self, change, key):
        with pytest.raises(ValueError, match=rf"^operating point: .*{key}"):
            fluxeta.coating_window(dict(POINT, **change))

    def test_a_missing_key_is_named(self):
        point = dict(POINT)
        del point["downstream_lip"]
        with pytest.raises(ValueError, match="downstream_lip"):
            fluxeta.coating_window(point)

    @pytest.mark.parametrize("point", [[5, 0.17], "point.json", {1: 5}, {"web_speed": object()}],
                             ids=["list", "path", "number-key", "object-value"])
    def test_a_point_that_is_not_a_dict_of_numbers_is_a_type_error(self, point):
        with pytest.raises(TypeError):
            fluxeta.coating_window(point)

    def test_a_die_that_is_not_solved_raises_its_outcome(self):
        with pytest.raises(fluxeta.FluxetaError, match="needs a converged die") as raised:
            fluxeta.coating_window(POINT, search="robust", H=1.0)
        assert raised.value.code == "no_physical_solution"

    def test_an_unknown_input_is_a_type_error(self):
        with pytest.raises(TypeError, match="Qn"):
            fluxeta.coating_window(POINT, Qn=40)


class TestAsALimitOfTheOptimiser:
    SETTINGS = {"variables": ["Lend"], "objective": "pressure", "min_uniformity": 0.9}

    def test_the_report_is_the_golden_one_and_the_history_the_batch_one(self, batch, tmp_path):
        expected = json.loads((GOLDEN / "optimise_Lend_pressure_coating_window.json").read_text())
        report = fluxeta.optimise(**self.SETTINGS, coating_window=POINT, history=True)
        history = report.pop("history")
        assert report == expected
        (tmp_path / "point.json").write_text(json.dumps(POINT))
        run = batch("--optimise", "Lend", "--objective", "pressure", "--min-uniformity", "0.9",
                    "--coating-window", "point.json", "--history", "history.csv", cwd=tmp_path)
        assert run.returncode == 0, run.stderr
        lines = (tmp_path / "history.csv").read_text().splitlines()
        assert lines[0].split(",") == list(history)
        margins = [row.split(",")[-1] for row in lines[1:]]
        assert history["coating_window_margin"].tolist() == [float(text) for text in margins]

    def test_the_chosen_design_is_inside_and_the_free_one_is_not(self):
        free = fluxeta.optimise(**self.SETTINGS)
        held = fluxeta.optimise(**self.SETTINGS, coating_window=POINT)
        assert "coating_window_margin" not in free
        assert held["coating_window_margin"] >= 0
        assert fluxeta.coating_window(POINT, search="robust", **free["inputs"])["verdict"] == \
            "outside"
        assert fluxeta.coating_window(POINT, search="robust", **held["inputs"])["verdict"] == \
            "inside"

    def test_a_bad_operating_point_is_refused_by_key(self):
        with pytest.raises(ValueError, match="^coating_window: operating point: web_speed"):
            fluxeta.optimise(["Lend"], coating_window=dict(POINT, web_speed=0))
        with pytest.raises(TypeError, match="coating_window must be a dict"):
            fluxeta.optimise(["Lend"], coating_window="point.json")
