// The QGIS templates of qgis/templates/, compiled into the program as data, and the filling of
// their {{NAME}} placeholders with the values of one sheet.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mapbasis {

// The bytes of the template file of that name ("Frame.qml"); empty for a name that is not one.
// Defined in the source the build generates from the files.
std::string_view QgisTemplate(std::string_view name);

// A template that is one line of text, without its line end.
std::string_view OneLineTemplate(std::string_view name);

using TemplateValues = std::vector<std::pair<std::string_view, std::string>>;

// The text with every {{NAME}} of `values` replaced by its value. A placeholder left without a
// value is an error of the program, not of the sheet: it throws std::logic_error.
std::string FillTemplate(std::string_view text, const TemplateValues& values);

// Text made safe inside an XML attribute or element (& < > " ').
std::string XmlEscaped(std::string_view text);

// A number as the templates write it: at most `decimals` decimals, trailing zeros dropped.
std::string DecimalText(double value, int decimals);

}  // namespace mapbasis
