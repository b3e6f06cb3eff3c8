#include "integration/dosbox_config.h"

#include <cstdint>

#include "integration/dos_folder.h"
#include "platform/platform.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/ole_error_text.h"
#include "util/path_helpers.h"
#include "util/shell_helpers.h"

namespace {

constexpr char kTemplateResource[] = "rs_Conf";
constexpr char kAutoexecFormat[] = "mount c %s\r\nc:\r\ndel f\r\n%s /ns\r\nexit\r\n";

}  // namespace

std::string DosBoxArgumentPath(const std::string& path) {
    return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

std::string DosBoxConfigText(const std::string& programPath) {
    const auto stored = platform::FindRcData(kTemplateResource);
    if (!stored) {
        throw EResNotFound(kTemplateResource);
    }
    std::string text(*stored);
    // A template that already mounts a drive would mount twice.
    const std::size_t mount = text.find("mount c ");
    if (mount != std::string::npos) {
        text.erase(mount);
    }
    // DOSBox reads the file as bytes of the ANSI code page (dos_folder.h).
    // The folder page lets through only folders that have such a form; any
    // other is written as it is, which DOSBox then reports as not found.
    const std::string folder = StripTrailingBackslashes(FolderPart(programPath));
    const std::string mounted = StripTrailingBackslashes(DosFolderPath(folder).value_or(folder));
    const std::string lines =
        Format(kAutoexecFormat, {DosBoxArgumentPath(mounted), FileNamePart(programPath)});
    text += platform::AnsiFromUtf8(lines).value_or(lines);
    return text;
}

WriteResult WriteDosBoxConfig(const std::string& programPath) {
    const std::string text = DosBoxConfigText(programPath);
    const std::string folder = FolderPart(programPath);
    DeleteFilesByMask(folder + "*.conf");  // finding nothing is fine
    if (!WriteStringToFile(folder + "dosbox.conf", text)) {
        return {false, OleErrorText(HresultFromWin32(platform::LastErrorCode()))};
    }
    return {};
}
