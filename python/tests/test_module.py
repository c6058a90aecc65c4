"""The module's own description: the input table, the documentation of every public name."""
import fluxeta

INPUT_NAMES = ["Ain", "gamma", "Pein", "Lin", "Lend", "W", "H", "lambda", "alpha", "eta0",
               "gamma0", "n", "gammacr", "rho", "Qin"]


def test_the_input_table_lists_the_fifteen_inputs_in_input_order():
    table = fluxeta.inputs()
    assert [row["name"] for row in table] == INPUT_NAMES
    assert [row["name"] for row in table if row["fixed_in_window"]] == \
        ["lambda", "eta0", "gamma0", "n", "gammacr"]
    for row in table:
        low, high = row["plausible_range"]
        assert low < high, row["name"]
        assert row["unit"]


def test_the_defaults_are_the_window_s_default_case():
    defaults = {row["name"]: row["default"] for row in fluxeta.inputs()}
    assert defaults["gamma"] == 0.1
    assert defaults["H"] == 0.0254
    assert defaults["Qin"] == 33.0


def test_every_public_name_is_documented():
    assert "solve" in fluxeta.__doc__
    for name in fluxeta.__all__:
        assert getattr(fluxeta, name).__doc__, name
    for name in ("status", "uniformity", "P", "X", "RTime", "result_file_text", "table"):
        assert getattr(fluxeta.SolveResult, name).__doc__, name
