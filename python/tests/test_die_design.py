"""fluxeta.study() and fluxeta.optimise() of a die document: the rows and reports of
fluxeta-batch --die, to the last digit."""
import json
import pathlib

import pytest

import fluxeta

from test_study import assert_rows_equal, batch_rows

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples" / "dies"
T_DIE = EXAMPLES / "t_die_newtonian.json"


def t_die(**changes):
    document = json.loads(T_DIE.read_text())
    document["stations"] = 50
    document.update(changes)
    return document


class TestDieStudy:
    def test_a_grid_of_paths_gives_the_rows_of_the_batch(self, batch):
        header, expected = batch_rows(batch, "--die", str(T_DIE), "--stations", "50", "--sweep",
                                      "geometry.manifold.radius=0.4:0.8:3", "--sweep",
                                      "flow_rate=5:10:2")
        rows = fluxeta.study({"geometry.manifold.radius": [0.4, 0.6000000000000001, 0.8],
                              "flow_rate": [5, 10]}, die=t_die(), jobs=2)
        assert header[-1] == "flow_ratio"
        assert_rows_equal(rows, header, expected)

    def test_cases_the_reader_refuses_are_rows_as_in_a_cases_file(self, batch, tmp_path):
        (tmp_path / "cases.csv").write_text("geometry.land_length,fluid.viscosity\n4,2\n-4,1\n6,x\n")
        header, expected = batch_rows(batch, "--die", str(T_DIE), "--stations", "50",
                                      "--cases", "cases.csv", cwd=tmp_path)
        rows = fluxeta.study([{"geometry.land_length": 4, "fluid.viscosity": "2"},
                              {"geometry.land_length": -4, "fluid.viscosity": "1"},
                              {"geometry.land_length": 6, "fluid.viscosity": "x"}],
                             die=t_die())
        assert rows["status"].tolist() == ["converged", "refused_input", "not_a_number"]
        assert rows["outcome"][1] == "geometry.land_length: must be a positive number (cm), not -4"
        assert_rows_equal(rows, header, expected, text_inputs=("fluid.viscosity",))

    def test_a_path_is_refused_naming_it(self):
        with pytest.raises(ValueError, match="key geometry.manifold.diameter: the die document "
                                             "has no such key"):
            fluxeta.study({"geometry.manifold.diameter": [1, 2]}, die=t_die())
        with pytest.raises(ValueError, match="key geometry.family: is not a number"):
            fluxeta.study({"geometry.family": [1, 2]}, die=t_die())
        with pytest.raises(ValueError, match="search"):
            fluxeta.study({"flow_rate": [1, 2]}, die=t_die(), search="window")
        with pytest.raises(TypeError, match="no base values"):
            fluxeta.study({"flow_rate": [1, 2]}, die=t_die(), Qin=3)
        with pytest.raises(ValueError, match="flow_rate: must be a positive number"):
            fluxeta.study({"geometry.gap": [0.05]}, die=t_die(flow_rate=-1))


class TestDieOptimise:
    def test_the_report_and_document_are_those_of_the_batch(self, batch, tmp_path):
        run = batch("--die", str(T_DIE), "--stations", "50", "--optimise",
                    "geometry.land_length=2:20", "--max-pressure", "150000", "-o", "best.json",
                    cwd=tmp_path)
        assert run.returncode == 0, run.stderr
        expected = json.loads(run.stdout)
        report = fluxeta.optimise({"geometry.land_length": (2, 20)}, die=t_die(),
                                  max_pressure=150000)
        document = report.pop("document")
        assert report == expected
        assert document == json.loads((tmp_path / "best.json").read_text())
        assert fluxeta.solve_die(document).uniformity == report["uniformity"]

    def test_keys_without_a_plausible_range_need_bounds(self):
        with pytest.raises(ValueError, match="key 'geometry.manifold.radius' has no plausible "
                                             "range; give its bounds"):
            fluxeta.optimise(["geometry.manifold.radius"], die=t_die())
        report = fluxeta.optimise(["fluid.viscosity"], die=t_die(), max_evaluations=5)
        assert report["status"] == "stopped"
        assert "document" not in report
        with pytest.raises(ValueError, match="unknown key 'Lend'"):
            fluxeta.optimise(["Lend"], die=t_die())
