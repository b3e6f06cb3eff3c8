#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/sim/sim_machine.h"
#include "tools/payload/payload_writer.h"

// Gives a simulated machine the resources the Windows build embeds from
// resources/: every layout file, packed as a zlib stream like the build's
// pack_layout does, as 'LAYOUT_' plus its name without underscores,
// upper-cased (main_form.layout -> LAYOUT_MAINFORM).
inline void LoadLayoutResources(platform::sim::Machine& machine) {
    const std::filesystem::path folder =
        std::filesystem::path(TESSALY_SOURCE_DIR) / "resources" / "layouts";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".layout") {
            continue;
        }
        std::string name;
        for (char c : entry.path().stem().string()) {
            if (c != '_') {
                name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
        }
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        machine.SetResource("LAYOUT_" + name, Compress(text.str()));
    }
}

// Gives a simulated machine the DOSBox template the Windows build embeds as
// rs_Conf; returns its bytes.
inline std::string LoadConfTemplate(platform::sim::Machine& machine) {
    std::ifstream in(std::filesystem::path(TESSALY_SOURCE_DIR) / "resources" / "rs_conf.conf",
                     std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    machine.SetResource("RS_CONF", bytes.str());
    return bytes.str();
}
