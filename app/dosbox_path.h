#pragma once

#include <string>

// Full path of dosbox.exe, all lower case, or empty. Set once by the start-up
// check on 64-bit Windows, before any window exists; read afterwards by the
// DOSBox shortcut step.
extern std::string DosBoxPath;
