// The boxes of a die or liquid document's numbers on the Die and Liquid tabs: a box per key
// path ("geometry.gap", "fluid.eta0"), its text read as the main window's boxes read theirs,
// and marked as the case panel marks its own when it is refused or implausible.
#pragma once

#include <QLineEdit>
#include <QString>

#include <string>

#include <nlohmann/json.hpp>

namespace fluxeta::ui {

enum class BoxMark { None, Refused, Implausible };

// The style sheet that colours marked boxes; set on a widget that holds them.
QString BoxMarkStyle();

// Marks the box and sets its tooltip to `problem` above `help` (or `help` alone).
void MarkBox(QLineEdit& box, BoxMark mark, const QString& problem, const QString& help);
BoxMark MarkOf(const QLineEdit& box);

// A box's value in a document: the number its text reads as, else the text itself, which the
// document's reader refuses by its key.
nlohmann::json BoxValue(const QString& text, char separator);
// The text of a document's value in a box: a number in its shortest exact form, a text as
// it is, anything else as JSON.
QString BoxText(const nlohmann::json& value, char separator);

// "geometry.gap (cm): 'abc' is not a number", or nothing when the text reads as a number.
QString NotANumberMessage(const std::string& keyPath, const QString& unit, const QString& text,
                          char separator);

// The key path a document refusal names first ("geometry.manifold.radius: must be …"), or
// an empty text.
std::string RefusedKeyPath(const std::string& message);

}  // namespace fluxeta::ui
