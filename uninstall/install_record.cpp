#include "uninstall/install_record.h"

#include <algorithm>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "util/path_helpers.h"

namespace {

// The record's texts are UTF-8. Earlier versions wrote them in the ANSI code
// page under the first header; such a record is read as that.
constexpr char kHeader[] = "Tessaly uninstall record 2";
constexpr char kAnsiHeader[] = "Tessaly uninstall record 1";

std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (true) {
        const std::size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab - at));
        if (tab == std::string::npos) {
            return fields;
        }
        at = tab + 1;
    }
}

// Windows' long has 32 bits: a volume serial number needs more.
bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0';
}

}  // namespace

void InstallRecord::AddFile(const std::string& name) {
    const auto same = [&](const std::string& known) { return SamePath(known, name); };
    if (std::none_of(files.begin(), files.end(), same)) {
        files.push_back(name);
    }
}

void InstallRecord::AddShortcut(const PlacedShortcut& shortcut) {
    for (PlacedShortcut& known : shortcuts) {
        if (SamePath(known.linkFile, shortcut.linkFile)) {
            known = shortcut;
            return;
        }
    }
    shortcuts.push_back(shortcut);
}

std::string InstallRecord::Serialise() const {
    std::string text = std::string(kHeader) + "\r\n";
    text += "key\t" + entryKey + "\r\n";
    text += "folder\t" + folder + "\r\n";
    if (volume) {
        text += "volume\t" + std::to_string(*volume) + "\r\n";
    }
    for (const std::string& name : files) {
        text += "file\t" + name + "\r\n";
    }
    if (config) {
        text += "config\t" + *config + "\r\n";
    }
    for (const PlacedShortcut& link : shortcuts) {
        const Shortcut& v = link.values;
        text += "link\t" + link.linkFile + "\t" + v.target + "\t" + v.arguments + "\t" +
                v.description + "\t" + v.iconFile + "\t" + std::to_string(v.iconIndex) + "\t" +
                std::to_string(v.hotKey) + "\r\n";
    }
    return text;
}

namespace {

std::optional<InstallRecord> ParseLines(const std::string& text, const std::string& header) {
    InstallRecord record;
    bool headed = false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!headed) {
            if (line != header) {
                return std::nullopt;
            }
            headed = true;
            continue;
        }
        const std::vector<std::string> f = Fields(line);
        const std::string& kind = f[0];
        if (kind == "key" && f.size() == 2) {
            record.entryKey = f[1];
        } else if (kind == "folder" && f.size() == 2) {
            record.folder = f[1];
        } else if (kind == "volume" && f.size() == 2) {
            long long serial = 0;
            if (!ParseNumber(f[1], serial) || serial < 0 || serial > 0xFFFFFFFFLL) {
                return std::nullopt;
            }
            record.volume = static_cast<std::uint32_t>(serial);
        } else if (kind == "file" && f.size() == 2) {
            record.AddFile(f[1]);
        } else if (kind == "config" && f.size() == 2) {
            record.config = f[1];
        } else if (kind == "link" && f.size() == 8) {
            long long index = 0;
            long long hotKey = 0;
            if (!ParseNumber(f[6], index) || !ParseNumber(f[7], hotKey) || hotKey < 0 ||
                hotKey > 0xFFFF) {
                return std::nullopt;
            }
            record.AddShortcut({f[1],
                                {f[2], f[3], f[4], f[5], static_cast<int>(index),
                                 static_cast<std::uint16_t>(hotKey)}});
        } else if (kind == "key" || kind == "folder" || kind == "volume" || kind == "file" ||
                   kind == "config" || kind == "link") {
            return std::nullopt;
        }
    }
    if (!headed || record.entryKey.empty() || record.folder.empty()) {
        return std::nullopt;
    }
    return record;
}

}  // namespace

std::optional<InstallRecord> InstallRecord::Parse(const std::string& stored) {
    const std::string header = FirstLine(stored);
    if (header == kAnsiHeader) {
        return ParseLines(platform::Utf8FromAnsi(stored), kAnsiHeader);
    }
    if (header != kHeader || !platform::IsUtf8(stored)) {
        return std::nullopt;
    }
    return ParseLines(stored, kHeader);
}
