// Shell links and system error texts on the simulated machine: each object
// records its calls, and Save writes a small text file in place of the .lnk
// so that tests see which links exist.

#include "platform/platform.h"
#include "platform/sim/sim_machine.h"

namespace platform::sim {

namespace {

constexpr std::int32_t kCoNotInitialized = static_cast<std::int32_t>(0x800401F0);
constexpr std::int32_t kFail = static_cast<std::int32_t>(0x80004005);
constexpr std::int32_t kFileNotFound = static_cast<std::int32_t>(0x80070002);
constexpr std::int32_t kPathNotFound = static_cast<std::int32_t>(0x80070003);
constexpr std::int32_t kAccessDenied = static_cast<std::int32_t>(0x80070005);
constexpr std::int32_t kSharingViolation = static_cast<std::int32_t>(0x80070020);
constexpr std::uint32_t kReadOnly = 0x01;

}  // namespace

class SimShellLink final : public ShellLinkObject {
  public:
    SimShellLink(Machine& machine, std::size_t index) : machine_(machine), index_(index) {}
    ~SimShellLink() override { record().released = true; }

    std::int32_t SetPath(const std::string& target) override { return Record("SetPath", target); }
    std::int32_t SetWorkingDirectory(const std::string& folder) override {
        return Record("SetWorkingDirectory", folder);
    }
    std::int32_t SetArguments(const std::string& arguments) override {
        return Record("SetArguments", arguments);
    }
    std::int32_t SetIconLocation(const std::string& iconFile, int iconIndex) override {
        return Record("SetIconLocation", iconFile, iconIndex);
    }
    std::int32_t SetDescription(const std::string& description) override {
        return Record("SetDescription", description);
    }
    std::int32_t SetShowCmd(int showCommand) override {
        return Record("SetShowCmd", "", showCommand);
    }
    std::int32_t SetHotkey(std::uint16_t hotKey) override {
        return Record("SetHotkey", "", hotKey);
    }

    std::int32_t Save(const std::string& linkFile, bool remember) override {
        Record("Save", linkFile, remember ? 1 : 0);
        const std::string normal = machine_.Normalise(linkFile);
        const std::string folder = normal.substr(0, normal.find_last_of('\\') + 1);
        const std::uint32_t folderBits = machine_.FileAttributesOf(folder);
        if (folderBits == kInvalidAttributes || !(folderBits & kAttributeDirectory)) {
            return kPathNotFound;
        }
        if (machine_.IsLocked(linkFile)) {
            return kSharingViolation;
        }
        const std::uint32_t bits = machine_.FileAttributesOf(linkFile);
        if (bits != kInvalidAttributes && (bits & (kAttributeDirectory | kReadOnly))) {
            return kAccessDenied;
        }
        std::string contents;
        for (const ShellLinkCall& call : record().calls) {
            if (call.method == "Save" || call.method == "Load") {
                continue;
            }
            contents += call.method + " " + call.text + " " + std::to_string(call.number) + "\n";
        }
        machine_.PutFile(linkFile, contents);
        return 0;
    }

    // A file Save wrote holds one call a line: the method, its text and its
    // number, blank-separated (the text may hold blanks, never a line end).
    std::int32_t Load(const std::string& linkFile) override {
        Record("Load", linkFile);
        const auto bytes = machine_.ReadWholeFile(linkFile);
        if (!bytes) {
            return machine_.IsLocked(linkFile) ? kSharingViolation : kFileNotFound;
        }
        std::vector<ShellLinkCall> calls;
        std::size_t at = 0;
        while (at < bytes->size()) {
            const std::size_t end = bytes->find('\n', at);
            const std::string line = bytes->substr(at, end - at);
            at = end == std::string::npos ? bytes->size() : end + 1;
            const std::size_t first = line.find(' ');
            const std::size_t last = line.rfind(' ');
            const std::string number = line.substr(last == std::string::npos ? 0 : last + 1);
            if (first == std::string::npos || last == first || number.empty() ||
                number.find_first_not_of("-0123456789") != std::string::npos) {
                return kFail;  // no link Save wrote
            }
            calls.push_back({line.substr(0, first), line.substr(first + 1, last - first - 1),
                             std::stol(number)});
        }
        loaded_ = std::move(calls);
        return 0;
    }

    ShellLinkValues Values() override {
        ShellLinkValues values;
        for (const ShellLinkCall& call : loaded_) {
            if (call.method == "SetPath") {
                values.target = call.text;
            } else if (call.method == "SetWorkingDirectory") {
                values.workingDirectory = call.text;
            } else if (call.method == "SetArguments") {
                values.arguments = call.text;
            } else if (call.method == "SetDescription") {
                values.description = call.text;
            } else if (call.method == "SetIconLocation") {
                values.iconFile = call.text;
                values.iconIndex = static_cast<int>(call.number);
            } else if (call.method == "SetShowCmd") {
                values.showCommand = static_cast<int>(call.number);
            } else if (call.method == "SetHotkey") {
                values.hotKey = static_cast<std::uint16_t>(call.number);
            }
        }
        return values;
    }

  private:
    ShellLinkRecord& record() { return machine_.shellLinks_[index_]; }
    std::int32_t Record(const char* method, const std::string& text, long number = 0) {
        record().calls.push_back({method, text, number});
        return 0;
    }

    Machine& machine_;
    std::size_t index_;
    std::vector<ShellLinkCall> loaded_;
};

ShellLinkCreation Machine::CreateShellLinkObject() {
    ShellLinkCreation creation;
    creation.result = comDepth_ > 0 ? shellLinkCreationResult_ : kCoNotInitialized;
    if (creation.result < 0) {
        return creation;
    }
    if (shellLinkInterfaceMissing_) {
        creation.interfaceMissing = true;
        return creation;
    }
    shellLinks_.emplace_back();
    creation.object = std::make_unique<SimShellLink>(*this, shellLinks_.size() - 1);
    return creation;
}

void Machine::SetSystemMessage(std::uint32_t code, std::string text) {
    systemMessages_[code] = std::move(text);
}

std::string Machine::SystemMessageText(std::uint32_t code) const {
    // The texts Windows gives the codes the simulated calls report, ended as
    // FormatMessage ends them; like Wine, no HRESULT of facility Win32.
    using namespace errors;
    static const std::map<std::uint32_t, std::string> kCommon = {
        {kErrorFileNotFound, "The system cannot find the file specified.\r\n"},
        {kErrorPathNotFound, "The system cannot find the path specified.\r\n"},
        {kErrorAccessDenied, "Access is denied.\r\n"},
        {kErrorSharingViolation,
         "The process cannot access the file because it is being used by another process.\r\n"},
        {kErrorInvalidParameter, "The parameter is incorrect.\r\n"},
        {kErrorDiskFull, "There is not enough space on the disk.\r\n"},
        {kErrorAlreadyExists, "Cannot create a file when that file already exists.\r\n"},
        {0x80040154, "Class not registered\r\n"},
    };
    if (const auto found = systemMessages_.find(code); found != systemMessages_.end()) {
        return found->second;
    }
    const auto common = kCommon.find(code);
    return common == kCommon.end() ? std::string() : common->second;
}

}  // namespace platform::sim

namespace platform {

ShellLinkCreation CreateShellLinkObject() {
    return sim::Machine::Current().CreateShellLinkObject();
}

std::string SystemMessageText(std::uint32_t code) {
    return sim::Machine::Current().SystemMessageText(code);
}

}  // namespace platform
