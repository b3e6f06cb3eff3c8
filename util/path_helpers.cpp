#include "util/path_helpers.h"

namespace {

bool IsAsciiUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsAsciiLower(char c) {
    return c >= 'a' && c <= 'z';
}

char ToUpper(char c) {
    return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsWordCharacter(char c) {
    return c == '-' || (c >= '1' && c <= '9') || IsAsciiUpper(c) || IsAsciiLower(c);
}

std::size_t NamePartStart(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\:");
    return cut == std::string_view::npos ? 0 : cut + 1;
}

}  // namespace

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (IsAsciiUpper(c)) {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        c = ToUpper(c);
    }
    return text;
}

bool SamePath(std::string_view a, std::string_view b) {
    while (!a.empty() && a.back() == '\\') {
        a.remove_suffix(1);
    }
    while (!b.empty() && b.back() == '\\') {
        b.remove_suffix(1);
    }
    return a.size() == b.size() && LowerAscii(std::string(a)) == LowerAscii(std::string(b));
}

std::string AddBackslash(std::string path) {
    if (path.empty()) {
        return path;
    }
    if (path.back() != '\\') {
        path += '\\';
    }
    while (path.size() >= 2 && path[path.size() - 2] == '\\') {
        path.pop_back();
    }
    return path;
}

std::string StripTrailingBackslashes(std::string path) {
    while (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

std::string FolderPart(std::string_view path) {
    return std::string(path.substr(0, NamePartStart(path)));
}

std::string FileNamePart(std::string_view path) {
    return std::string(path.substr(NamePartStart(path)));
}

std::string RootPart(std::string_view path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return std::string(path.substr(0, 3));
    }
    if (path.substr(0, 2) != "\\\\") {
        return {};
    }
    const std::size_t server = path.find('\\', 2);
    if (server == std::string_view::npos || server == 2 || server + 1 == path.size()) {
        return {};
    }
    const std::size_t share = path.find('\\', server + 1);
    if (share == server + 1) {
        return {};  // no share name
    }
    return std::string(path.substr(0, share)) + "\\";
}

void SplitFirst(std::string& rest, std::string_view delimiters, std::string& head) {
    const std::string text = rest;  // rest and head may be one variable
    std::size_t split = std::string::npos;
    if (delimiters.size() == 1) {
        split = text.find(delimiters[0]);
    } else if (!delimiters.empty()) {
        split = text.find_first_of(delimiters);
    }
    if (split == std::string::npos) {
        head = text;
        rest.clear();
        return;
    }
    head = text.substr(0, split);
    rest = text.substr(split + 1);
}

std::string LowerBaseName(std::string_view name) {
    std::string base = LowerAscii(FileNamePart(name));
    const std::size_t dot = base.find('.');
    if (dot != std::string::npos) {
        base.erase(dot);
    }
    return base;
}

std::string CapitalizeWords(std::string text) {
    text = LowerAscii(std::move(text));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || !IsWordCharacter(text[i - 1])) {
            text[i] = ToUpper(text[i]);
        }
    }
    return text;
}
