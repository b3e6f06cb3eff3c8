#pragma once

#include <string>

namespace ui {

class Form;

// A description of every control of a form, one line each in layout order,
// for tools that check a running window from outside (the acceptance
// tests): name, left, top, width and height in the form's client
// coordinates, 1 when showing or 0, the shown text, and the font as face,
// height and "bold" or "regular", separated by tabs. Tabs, line breaks and
// backslashes in texts are escaped as \t, \r, \n and \\.
std::string DescribeControls(Form& form);

}  // namespace ui
