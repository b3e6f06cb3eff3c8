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
