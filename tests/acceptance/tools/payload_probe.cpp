// Loads payload items from this executable's own resources, which are the
// installer's, for the acceptance tests:
//
//   payload_probe unpack FOLDER   loads every item in the installer's order
//                                 and writes each file into FOLDER under its
//                                 stored name; prints one line per item:
//                                 item, file name, date (8 hex digits) and
//                                 length, separated by tabs
//   payload_probe load ITEM       loads one item by name and prints the same
//                                 line, or the error's text
//
// FOLDER is taken as UTF-8 from the wide command line. Exit code 0 when
// every item loaded, 1 when one raised (its text goes to standard output as
// "error<TAB>ITEM<TAB>text"), 2 for a wrong command line.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "install/payload_items.h"
#include "install/payload_loader.h"
#include "platform/win32/wide.h"
#include "tests/acceptance/tools/utf8_arguments.h"
#include "ui/entry.h"
#include "util/errors.h"

namespace {

bool Load(const std::string& itemName, const std::string& folder) {
    try {
        const tInstItem item = LoadPayloadItem(itemName);
        if (!folder.empty()) {
            const std::filesystem::path path(platform::win32::Wide(folder + "\\" + item.FileName));
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(item.Contents.data(), static_cast<std::streamsize>(item.Contents.size()));
            if (!out.flush()) {
                std::printf("error\t%s\tcannot write %s\n", itemName.c_str(),
                            item.FileName.c_str());
                return false;
            }
        }
        std::printf("%s\t%s\t%08X\t%zu\n", itemName.c_str(), item.FileName.c_str(),
                    static_cast<unsigned>(item.FileDate), item.Contents.size());
        return true;
    } catch (const InstallerError& error) {
        std::printf("error\t%s\t%s\n", itemName.c_str(), error.what());
        return false;
    }
}

}  // namespace

int main() {
    const std::vector<std::string> argv = Utf8Arguments();
    if (argv.size() != 3) {
        std::fprintf(stderr, "usage: payload_probe unpack FOLDER | load ITEM\n");
        return 2;
    }
    const std::string& command = argv[1];
    if (command == "load") {
        return Load(argv[2], "") ? 0 : 1;
    }
    if (command != "unpack") {
        return 2;
    }
    bool all = true;
    std::string_view rest = kPayloadItemList;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        all = Load(std::string(rest.substr(0, comma)), argv[2]) && all;
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return all ? 0 : 1;
}

// Linked with the toolkit, which expects a program entry of its own.
int ApplicationMain() {
    return 0;
}
