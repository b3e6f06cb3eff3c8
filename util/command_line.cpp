#include "util/command_line.h"

std::string ArgumentsOf(std::string_view commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        at = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        at = commandLine.find_first_of(" \t");
        if (at == std::string_view::npos) {
            at = commandLine.size();
        }
    }
    return std::string(commandLine.substr(at));
}

std::vector<std::string> SplitArguments(std::string_view arguments) {
    std::vector<std::string> result;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const char c = arguments[i];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) {
                result.push_back(current);
                current.clear();
                inArgument = false;
            }
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t run = 0;
            while (i + run < arguments.size() && arguments[i + run] == '\\') {
                ++run;
            }
            const bool beforeQuote = i + run < arguments.size() && arguments[i + run] == '"';
            current.append(beforeQuote ? run / 2 : run, '\\');
            i += run - 1;
            if (beforeQuote && run % 2 == 1) {
                current += '"';
                ++i;  // the quote is taken literally
            }
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        current += c;
    }
    if (inArgument) {
        result.push_back(current);
    }
    return result;
}
