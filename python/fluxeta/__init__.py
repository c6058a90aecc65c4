"""Flow distribution and entrance pressure of an end-fed slot coating die.

A tapered cavity, fed at one end with the flow rate Qin, runs along the die width W and
drains through a slot of gap H whose length falls linearly from Lin to Lend. For a
power-law liquid, fluxeta solves the cavity flow over 50 stations across the width, as
the desktop program and fluxeta-batch do, and gives the entrance pressure, the slot flow
along the width and its uniformity.

    import fluxeta

    result = fluxeta.solve(gamma=0.2, Lend=2.8)    # one case; the rest is the default case
    result.status, result.uniformity, result.entrance_pressure_Pa
    result.Q_DIFF                                  # the station columns, NumPy arrays of 50
    result.write_result_file("Result.txt")        # the result file, as fluxeta-batch writes it

    rows = fluxeta.study({"gamma": [0.0, 0.5, 1.0], "Lend": [2.0, 2.5, 3.0]})
    rows["uniformity"]                             # one NumPy array per column of the study

    report = fluxeta.optimise({"gamma": (0.0, 1.0), "Lend": (2.0, 3.0)})
    report["status"], report["inputs"], report["uniformity"]   # the most uniform design
    fluxeta.sensitivity(gamma=0.2)                 # dU and dP per unit and per 1 % of each input
    fluxeta.tolerance({"H": "±0.0005", "Qin": "±10%"})   # the worst and best over tolerances
    fluxeta.coating_window({"web_speed": 5, "coating_gap": 0.17, "upstream_lip": 0.2,
                            "downstream_lip": 0.2, "surface_tension": 0.03,
                            "vacuum": [0, 300]})   # will the bead hold across the web?

    fluxeta.inputs()                               # names, units, defaults and ranges

    fluxeta.liquids()                              # the liquid models and their parameters
    slurry = {"model": "carreau", "eta0": 20, "eta_inf": 0, "lambda": 0.5, "n": 0.4}
    fluxeta.viscosity(slurry, [0.1, 1, 10])        # Pa.s at shear rates in 1/s
    fit = fluxeta.fit_liquid("carreau", shear_rates, viscosities)   # a measured flow curve
    {"model": fit["model"], **fit["parameters"]}   # the fitted liquid

    die = fluxeta.solve_die("die.json", stations=400)   # a T-die, coat-hanger, any profile
    die.status, die.entrance_pressure_Pa, die.uniformity, die.DelQ

Units: lengths in cm, areas in cm2, flow rates in cm3/s, pressures in Pa, viscosities in
Pa.s, shear rates in 1/s, density in g/cm3, times in s.

Faults raise subclasses of fluxeta.FluxetaError carrying the system's message and the
outcome code (.code): fluxeta.DivisionByZero, fluxeta.InvalidOperation and
fluxeta.Overflow (all fluxeta.FloatingPointFault), fluxeta.NotANumber and
fluxeta.InputOutputError.
"""

from ._fluxeta import (
    DivisionByZero,
    FloatingPointFault,
    FluxetaError,
    InputOutputError,
    InvalidOperation,
    NotANumber,
    Overflow,
    DieResult,
    SolveResult,
    __version__,
    coating_window,
    die_document_tables,
    fit_liquid,
    inputs,
    liquids,
    optimise,
    sensitivity,
    solve,
    solve_die,
    study,
    tolerance,
    viscosity,
)

__all__ = [
    "solve",
    "study",
    "optimise",
    "sensitivity",
    "tolerance",
    "coating_window",
    "inputs",
    "liquids",
    "viscosity",
    "fit_liquid",
    "solve_die",
    "die_document_tables",
    "SolveResult",
    "DieResult",
    "FluxetaError",
    "FloatingPointFault",
    "DivisionByZero",
    "InvalidOperation",
    "Overflow",
    "NotANumber",
    "InputOutputError",
]
