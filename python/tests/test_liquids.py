"""fluxeta.liquids(), viscosity() and fit_liquid(): the models, flow curves and fits."""
import csv
import json
import math
import pathlib

import numpy
import pytest

import fluxeta

EXAMPLES = pathlib.Path(__file__).resolve().parents[2] / "examples" / "liquids"
GOLDEN = pathlib.Path(__file__).resolve().parents[2] / "tests" / "golden"


def test_the_models_are_the_table_of_the_documents():
    models = {row["model"]: row for row in fluxeta.liquids()}
    assert list(models) == ["newtonian", "power-law", "window", "cross", "carreau-yasuda",
                            "carreau", "herschel-bulkley", "bingham"]
    keys = [parameter["key"] for parameter in models["carreau-yasuda"]["parameters"]]
    assert keys == ["eta0", "eta_inf", "lambda", "a", "n"]
    assert models["bingham"]["parameters"][0]["unit"] == "Pa"


def test_viscosity_follows_the_formula_and_the_temperature_shift():
    slurry = {"model": "carreau", "eta0": 20.0, "eta_inf": 0.0, "lambda": 0.5, "n": 0.4}
    rates = numpy.array([0.1, 1.0, 10.0])
    expected = 20.0 * (1 + (0.5 * rates) ** 2) ** ((0.4 - 1) / 2)
    numpy.testing.assert_allclose(fluxeta.viscosity(slurry, rates), expected, rtol=1e-15)
    warm = dict(slurry, temperature={"law": "arrhenius", "activation_energy": 40000,
                                     "reference_temperature": 25, "die_temperature": 40})
    shift = math.exp(40000 / 8.314462618 * (1 / 313.15 - 1 / 298.15))
    numpy.testing.assert_allclose(fluxeta.viscosity(warm, rates),
                                  shift * fluxeta.viscosity(slurry, shift * rates), rtol=1e-15)
    with pytest.raises(ValueError, match="liquid.n: must be above 0 and at most 1"):
        fluxeta.viscosity(dict(slurry, n=1.5), rates)
    with pytest.raises(ValueError, match="shear_rate: must be positive"):
        fluxeta.viscosity(slurry, [1.0, -1.0])


def test_the_fit_is_the_batch_programs():
    with open(EXAMPLES / "slurry_flow_curve.csv") as file:
        rows = [row for row in csv.reader(line for line in file if not line.startswith("#"))]
    rates = [float(row[0]) for row in rows[1:]]
    viscosities = [float(row[1]) for row in rows[1:]]
    fit = fluxeta.fit_liquid("carreau-yasuda", rates, viscosities)
    assert fit == json.loads((GOLDEN / "fit_liquid_carreau_yasuda.json").read_text())
    liquid = {"model": fit["model"], **fit["parameters"]}
    assert fluxeta.viscosity(liquid, [1.0])[0] > 0


def test_the_fit_refuses_what_it_cannot_fit():
    with pytest.raises(ValueError, match="point:2: the viscosity must be positive, not 0"):
        fluxeta.fit_liquid("power-law", [1.0, 2.0], [1.0, 0.0])
    with pytest.raises(ValueError, match="2 points cannot fit the 5 parameters"):
        fluxeta.fit_liquid("carreau-yasuda", [1.0, 2.0], [1.0, 0.5])
    with pytest.raises(ValueError, match="unknown liquid model 'honey'"):
        fluxeta.fit_liquid("honey", [1.0], [1.0])
