#pragma once

#include <string>
#include <string_view>

// The command line without the program path in front: what follows the first
// token, which is the text up to the closing quote when it starts with a
// quote, else up to the first blank or tab (the rule Windows itself uses for
// the program name).
std::string ArgumentsOf(std::string_view commandLine);
