"""Values and settings a script gets wrong: each refused with a short message that names it."""
import math

import numpy
import pytest

import fluxeta


class TestInputValues:
    def test_a_whole_number_beyond_the_doubles_is_an_overflow(self):
        with pytest.raises(fluxeta.Overflow):
            fluxeta.solve(Lend=10**400)

    def test_a_text_utf8_cannot_hold_is_no_number(self):
        with pytest.raises(fluxeta.NotANumber, match=r"\\ud800"):
            fluxeta.solve(Lend="\ud800")

    def test_a_numpy_bool_is_refused_as_a_bool_is(self):
        for flag in (True, numpy.bool_(True)):
            with pytest.raises(TypeError, match="input 'Lend' must be a number or a text"):
                fluxeta.solve(Lend=flag)

    def test_a_long_text_is_quoted_by_its_two_ends(self):
        with pytest.raises(fluxeta.NotANumber) as raised:
            fluxeta.solve(Lend="x" * 100000)
        assert len(str(raised.value)) < 400
        assert "…" in str(raised.value)


class TestDesignDomains:
    @pytest.mark.parametrize("variables, fault", [
        ({"Pein": (-20, 20)}, "the bounds of 'Pein' must each be a positive finite number"),
        ({"rho": (-2.5, 2.5)}, "the bounds of 'rho' must each be a positive finite number"),
        ({"Lend": (2, 2)}, "the bounds of 'Lend': lo must be below hi"),
        ({"Lend": (4.9e-324, 1e-323)}, "too close together"),
    ])
    def test_bounds_outside_the_domain_are_refused(self, variables, fault):
        with pytest.raises(ValueError, match=fault):
            fluxeta.optimise(variables)

    @pytest.mark.parametrize("limit", ["max_pressure", "min_uniformity", "max_residence_time"])
    def test_a_limit_that_is_not_a_number_of_its_domain_is_refused(self, limit):
        with pytest.raises(ValueError, match=limit + " must be a"):
            fluxeta.optimise(["Lend"], **{limit: math.nan})

    def test_a_step_too_small_to_tell_from_the_solve_error_is_refused(self):
        with pytest.raises(ValueError, match="relative_step must be from 1e-06"):
            fluxeta.sensitivity(relative_step=1e-17)

    def test_a_tolerance_of_a_fixed_input_needs_all_inputs(self):
        with pytest.raises(ValueError, match="input 'n' is fixed by design; pass all_inputs=True"):
            fluxeta.tolerance({"n": "±1%"})
        assert fluxeta.tolerance({"n": "±1%"}, all_inputs=True)["corners"] == 2

    def test_a_tolerance_past_zero_is_refused(self):
        with pytest.raises(ValueError, match="takes it to -0.0046"):
            fluxeta.tolerance({"H": 0.03})

    def test_a_band_whose_centre_solves_but_no_corner_does_is_a_failure(self):
        # H = 0.25 and 0.35 cm both fall in a regime gap; 0.3 cm solves.
        with pytest.raises(fluxeta.FluxetaError) as raised:
            fluxeta.tolerance({"H": 0.05}, H=0.3)
        assert raised.value.code == "regime_gap"
        assert "2 of 2 corners could not be solved, the first at H = 0.25" in str(raised.value)


def test_an_infeasible_search_says_so_with_the_limit():
    report = fluxeta.optimise(["Lend"], max_pressure=1)
    assert report["status"] == "infeasible"
    assert report["reason"] == "no candidate met entrance pressure <= 1 Pa in 60 evaluations"


def test_converged_means_the_verdict_in_a_solve_and_in_a_study():
    gap = fluxeta.solve(search="robust", H=0.5)
    rows = fluxeta.study({"H": [0.5]}, search="robust")
    assert (gap.converged, gap.status) == (False, "regime_gap")
    assert (bool(rows["converged"][0]), rows["status"][0]) == (False, "regime_gap")
    # The gap's answer keeps its figures in both.
    assert rows["uniformity"][0] == gap.uniformity
