"""Faults of a case as Python exceptions: the class of the outcome, its code, the system's message."""
import pytest

import fluxeta


@pytest.mark.parametrize("inputs, error, code, message", [
    ({"W": 0}, fluxeta.DivisionByZero, "division_by_zero", "0 による浮動小数点数除算"),
    ({"gamma0": 0}, fluxeta.DivisionByZero, "division_by_zero", "0 による浮動小数点数除算"),
    ({"Ain": 0}, fluxeta.InvalidOperation, "invalid_operation", "不正な浮動小数点数演算命令"),
    ({"Qin": float("nan")}, fluxeta.InvalidOperation, "invalid_operation",
     "不正な浮動小数点数演算命令"),
    ({"Qin": 1e308 * 10}, fluxeta.Overflow, "overflow", "浮動小数点数のオーバーフロー"),
    ({"Qin": "1e309"}, fluxeta.Overflow, "overflow", "浮動小数点数のオーバーフロー"),
    ({"Qin": "3x"}, fluxeta.NotANumber, "not_a_number", "'3x' は浮動小数点数ではありません"),
])
def test_a_fault_raises_the_exception_of_its_outcome(inputs, error, code, message):
    with pytest.raises(error) as raised:
        fluxeta.solve(**inputs)
    assert type(raised.value) is error
    assert raised.value.code == code
    assert str(raised.value) == message


def test_the_classes_form_one_family_beside_the_built_in_kinds():
    for fault in (fluxeta.DivisionByZero, fluxeta.InvalidOperation, fluxeta.Overflow):
        assert issubclass(fault, fluxeta.FloatingPointFault)
    assert issubclass(fluxeta.FloatingPointFault, ArithmeticError)
    assert issubclass(fluxeta.NotANumber, ValueError)
    for family in (fluxeta.FloatingPointFault, fluxeta.NotANumber, fluxeta.InputOutputError):
        assert issubclass(family, fluxeta.FluxetaError)
    assert fluxeta.Overflow is not OverflowError
    assert fluxeta.DivisionByZero.__module__ == "fluxeta"


def test_the_inputs_are_read_in_input_order_before_the_solve():
    with pytest.raises(fluxeta.NotANumber, match="'x'"):
        fluxeta.solve(Qin="y", Ain="x")
    with pytest.raises(fluxeta.NotANumber, match="'y'"):
        fluxeta.solve(Ain=0, Qin="y")  # Ain = 0 would fail in the solve
