#pragma once

#include <string>

#include "ui/layout.h"

// The layout of a window, read from the executable's resources
// ('LAYOUT_' plus the form's name), where it is stored as one zlib stream of
// its text; raises EResNotFound when it is missing and EDecompressionError
// when its stream is damaged.
ui::Layout LoadLayoutResource(const std::string& formName);

// Every component kind the installer's layouts use.
const ui::ComponentKinds& InstallerComponentKinds();
