#include "tools/payload/manifest.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "install/payload_container.h"
#include "install/payload_file_name.h"
#include "install/payload_items.h"
#include "util/path_helpers.h"

namespace {

[[noreturn]] void Refuse(const std::string& text) {
    throw std::runtime_error(text);
}

std::string LineText(int line) {
    return "manifest line " + std::to_string(line);
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::vector<std::string> ItemOrder() {
    std::vector<std::string> names;
    std::string rest(kPayloadItemList);
    while (!rest.empty()) {
        std::string name;
        SplitFirst(rest, ",", name);
        names.push_back(name);
    }
    return names;
}

}  // namespace

std::optional<std::uint32_t> MakeDosDateTime(int year, int month, int day, int hour, int minute,
                                             int second) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1980 || year > 2107 || month < 1 || month > 12 || day < 1) {
        return std::nullopt;
    }
    const int monthDays = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    if (day > monthDays || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 58 || second % 2 != 0) {
        return std::nullopt;
    }
    const auto date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
    const auto time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
    return (date << 16) | time;
}

std::vector<ManifestEntry> ParseManifest(const std::string& text) {
    std::vector<ManifestEntry> entries;
    std::istringstream lines(text);
    std::string lineText;
    int line = 0;
    while (std::getline(lines, lineText)) {
        ++line;
        if (!lineText.empty() && lineText.back() == '\r') {
            lineText.pop_back();
        }
        std::istringstream fields(lineText);
        ManifestEntry entry;
        entry.line = line;
        std::string date, time, extra;
        if (!(fields >> entry.item) || entry.item.starts_with("#")) {
            continue;
        }
        if (!(fields >> entry.fileName >> date >> time >> entry.source) || (fields >> extra)) {
            Refuse(LineText(line) + ": expected item, file name, date, time and source");
        }
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        char tail = 0;
        if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3 ||
            std::sscanf(time.c_str(), "%2d:%2d:%2d%c", &hour, &minute, &second, &tail) != 3) {
            Refuse(LineText(line) + " (item " + entry.item +
                   "): the date must read YYYY-MM-DD and the time HH:MM:SS");
        }
        const auto dosDateTime = MakeDosDateTime(year, month, day, hour, minute, second);
        if (!dosDateTime) {
            Refuse(LineText(line) + " (item " + entry.item + "): " + date + " " + time +
                   " cannot be stored as an MS-DOS date-time (1980-2107, even seconds)");
        }
        entry.dosDateTime = *dosDateTime;
        entries.push_back(std::move(entry));
    }
    return entries;
}

void CheckManifest(const std::vector<ManifestEntry>& entries) {
    const std::vector<std::string> order = ItemOrder();
    for (std::size_t i = 0; i < entries.size() || i < order.size(); ++i) {
        if (i >= entries.size()) {
            Refuse("item " + order[i] + ": missing from the manifest");
        }
        const ManifestEntry& entry = entries[i];
        if (i >= order.size()) {
            Refuse("item " + entry.item + " (" + LineText(entry.line) +
                   "): the installer reads no such item");
        }
        if (entry.item != order[i]) {
            Refuse("item " + entry.item + " (" + LineText(entry.line) + "): expected item " +
                   order[i] + " here; the items must follow the installer's order");
        }
        const std::string name = "item " + entry.item + ": file name \"" + entry.fileName + "\"";
        if (entry.fileName.size() > kPayloadNameCapacity) {
            Refuse(name + " is longer than " + std::to_string(kPayloadNameCapacity) +
                   " characters");
        }
        if (const auto fault = FindFileNameFault(entry.fileName)) {
            Refuse(name + " " + *fault);
        }
    }
}

std::filesystem::path SourcePath(const ManifestEntry& entry,
                                 const std::filesystem::path& manifestFolder,
                                 const std::filesystem::path& buildFolder) {
    constexpr std::string_view kBuildPrefix = "build:";
    if (entry.source.starts_with(kBuildPrefix)) {
        return buildFolder / entry.source.substr(kBuildPrefix.size());
    }
    return manifestFolder / entry.source;
}
