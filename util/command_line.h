#pragma once

#include <string>
#include <string_view>
#include <vector>

// The command line without the program path in front: what follows the first
// token, which is the text up to the closing quote when it starts with a
// quote, else up to the first blank or tab (the rule Windows itself uses for
// the program name).
std::string ArgumentsOf(std::string_view commandLine);

// The arguments one by one, split as the C runtime splits them: at blanks
// and tabs outside double quotes; quotes group and are dropped; 2n
// backslashes before a quote give n and the quote groups, 2n+1 give n and a
// literal quote; other backslashes are literal.
std::vector<std::string> SplitArguments(std::string_view arguments);
