// What the design functions share: the design they start from, given as solve() takes its
// inputs, and the reports and tables of the design service as Python objects.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <nlohmann/json.hpp>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/design/design_refusal.h"
#include "fluxeta/design/design_tables.h"

namespace fluxeta::python {

// The fifteen values of the design that the keyword arguments `base` give by short name,
// the others those of the default case. Stored as a case stores them: a text that is not
// a number raises NotANumber, a fault of a value or a derived value its FloatingPointFault.
cases::CaseValues DesignBase(const pybind11::kwargs& base);

// The names of the design settings as the functions' keywords give them.
design::SettingNames PythonSettingNames();

// A report of the design service as dicts, lists, str, int, float, bool and None.
pybind11::object PythonOfJson(const nlohmann::ordered_json& value);

// A table of the design service as a dict of NumPy columns: int64, float64 (NaN for a
// missing figure), bool, or object columns of str.
template <typename Row>
pybind11::dict TableColumns(const std::vector<design::TableColumn<Row>>& columns,
                            const std::vector<Row>& rows);

}  // namespace fluxeta::python
