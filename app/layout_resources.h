#pragma once

#include <string>

#include "ui/layout.h"

// The layout of a window, read from the executable's resources
// ('LAYOUT_' plus the form's name); raises EResNotFound when it is missing.
ui::Layout LoadLayoutResource(const std::string& formName);

// Every component kind the installer's layouts use.
const ui::ComponentKinds& InstallerComponentKinds();
