#!/usr/bin/env python3
"""A design study of the default die: the cavity taper factor γ by the end slot length Lend.

Solves the grid with fluxeta.study(), draws the uniformity over it into a PNG with
Matplotlib (python3-matplotlib; without it the picture is skipped) and prints the most
uniform design of the grid beside the optimum that fluxeta.optimise() finds between the
same bounds.

    PYTHONPATH=build/python python3 examples/design_study.py [PICTURE.png]
"""
import math
import sys

import numpy

import fluxeta

TAPER_FACTORS = numpy.linspace(0.0, 1.0, 41)  # γ (-)
END_SLOT_LENGTHS = numpy.linspace(2.0, 3.0, 41)  # Lend (cm)
DEFAULT_PICTURE = "design_study.png"
UNIFORMITY_LEVELS = [0.80, 0.85, 0.90, 0.95, 0.98, 0.99]


def best_row(rows):
    """The index of the converged row of highest uniformity."""
    uniformity = numpy.where(rows["converged"], rows["uniformity"], -math.inf)
    return int(numpy.argmax(uniformity))


def print_optimum():
    """Refines the grid: the optimiser's most uniform design over the bounds of the grid."""
    report = fluxeta.optimise({"gamma": (TAPER_FACTORS[0], TAPER_FACTORS[-1]),
                               "Lend": (END_SLOT_LENGTHS[0], END_SLOT_LENGTHS[-1])})
    if report["uniformity"] is None:
        print(f"Optimiser: {report['status']}, {report['reason']}")
        return
    design = report["inputs"]
    print(f"Optimum ({report['status']}, {report['evaluations']} solves): "
          f"gamma = {design['gamma']:.3f}, Lend = {design['Lend']:.3f} cm: "
          f"uniformity {report['uniformity']:.4f}, "
          f"entrance pressure {report['entrance_pressure_Pa'] / 1e6:.3f} MPa")


def plot_uniformity(rows, best, picture):
    try:
        import matplotlib
        matplotlib.use("Agg")
        from matplotlib import pyplot
    except ImportError:
        print("Matplotlib is not installed (python3-matplotlib): no picture drawn.")
        return
    # γ is the outer loop of the grid, Lend the inner: one row of the map per γ.
    uniformity = rows["uniformity"].reshape(len(TAPER_FACTORS), len(END_SLOT_LENGTHS))
    figure, axes = pyplot.subplots(figsize=(6.4, 4.8), dpi=100)
    image = axes.pcolormesh(END_SLOT_LENGTHS, TAPER_FACTORS, uniformity, shading="nearest",
                            cmap="viridis")
    contours = axes.contour(END_SLOT_LENGTHS, TAPER_FACTORS, uniformity,
                            levels=UNIFORMITY_LEVELS, colors="white", linewidths=0.8)
    axes.clabel(contours, fmt="%.2f", fontsize=8)
    axes.plot(rows["Lend"][best], rows["gamma"][best], marker="*", color="red", markersize=14,
              label="most uniform")
    axes.set_xlabel("End slot length Lend (cm)")
    axes.set_ylabel("Cavity taper factor γ (-)")
    axes.set_title("Uniformity of the default die")
    axes.legend(loc="lower left")
    figure.colorbar(image, ax=axes, label="Uniformity (-)")
    figure.tight_layout()
    figure.savefig(picture)
    print(f"Uniformity map written to {picture}")


def main():
    picture = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_PICTURE
    rows = fluxeta.study({"gamma": TAPER_FACTORS, "Lend": END_SLOT_LENGTHS})
    cases = len(rows["status"])
    print(f"{cases} cases, {int(rows['converged'].sum())} converged")

    best = best_row(rows)
    print(f"Most uniform: gamma = {rows['gamma'][best]:.3f}, Lend = {rows['Lend'][best]:.3f} cm: "
          f"uniformity {rows['uniformity'][best]:.4f}, "
          f"entrance pressure {rows['entrance_pressure_Pa'][best] / 1e6:.3f} MPa, "
          f"Q_DIFF from {rows['Q_DIFF_min'][best]:.2f} to {rows['Q_DIFF_max'][best]:.2f} %")
    print_optimum()
    plot_uniformity(rows, best, picture)


if __name__ == "__main__":
    main()
