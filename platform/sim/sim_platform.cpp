// The platform seam answered by the current simulated machine.

#include <algorithm>
#include <fstream>

#include "platform/platform.h"
#include "platform/sim/sim_machine.h"

namespace platform {

using namespace errors;
using sim::Machine;

std::optional<std::string> SpecialFolderPath(int csidl) {
    return Machine::Current().SpecialFolderPath(csidl);
}

int ShellDelete(const std::string& mask, unsigned flags) {
    return Machine::Current().ShellDelete(mask, flags);
}

std::intptr_t ShellOpen(const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCommand) {
    return Machine::Current().ShellOpen({verb, file, parameters, directory, showCommand});
}

DriveType DriveTypeOf(const std::string& root) {
    return Machine::Current().DriveTypeOf(root);
}

std::uint32_t FileAttributesOf(const std::string& path) {
    return Machine::Current().FileAttributesOf(path);
}

bool MakeDirectory(const std::string& path) {
    return Machine::Current().MakeDirectory(path);
}

bool RemoveFile(const std::string& path) {
    return Machine::Current().RemoveFile(path);
}

bool RemoveFolder(const std::string& path) {
    return Machine::Current().RemoveFolder(path);
}

Removal RemoveFileIfContentIs(const std::string& path, std::string_view contents) {
    return Machine::Current().RemoveFileIfContentIs(path, contents);
}

std::string TempFolder() {
    return Machine::Current().TempFolder();
}

std::string CurrentDirectory() {
    return Machine::Current().currentDirectory();
}

Owner OwnerOf(const std::string& path) {
    return Machine::Current().OwnerOf(path);
}

std::optional<std::uint32_t> VolumeSerialOf(const std::string& root) {
    return Machine::Current().VolumeSerialOf(root);
}

namespace {

class SimSessionLock final : public SessionLock {
  public:
    explicit SimSessionLock(std::string name) : name_(std::move(name)) {}
    ~SimSessionLock() override { Machine::Current().sessionLocks().erase(name_); }

  private:
    std::string name_;
};

}  // namespace

std::unique_ptr<SessionLock> TrySessionLock(const std::string& name) {
    if (!Machine::Current().sessionLocks().insert(name).second) {
        return nullptr;
    }
    return std::make_unique<SimSessionLock>(name);
}

std::optional<std::string> ShortPathOf(const std::string& path) {
    return Machine::Current().ShortPathOf(path);
}

bool FileExists(const std::string& path) {
    const std::uint32_t attributes = Machine::Current().FileAttributesOf(path);
    return attributes != kInvalidAttributes && !(attributes & kAttributeDirectory);
}

namespace {

class SimWritableFile final : public WritableFile {
  public:
    SimWritableFile(const std::filesystem::path& host, std::optional<std::size_t> limit)
        : stream_(host, std::ios::binary | std::ios::trunc), limit_(limit) {}

    bool ok() const { return stream_.is_open(); }
    bool Write(const std::string& bytes) override {
        const std::size_t count = limit_ ? std::min(*limit_, bytes.size()) : bytes.size();
        stream_.write(bytes.data(), static_cast<std::streamsize>(count));
        stream_.flush();
        if (!stream_ || count != bytes.size()) {
            Machine::Current().SetLastError(kErrorDiskFull);
            return false;
        }
        return true;
    }
    bool Flush() override { return static_cast<bool>(stream_.flush()); }

  private:
    std::ofstream stream_;
    std::optional<std::size_t> limit_;
};

class SimFileFinder final : public FileFinder {
  public:
    explicit SimFileFinder(std::vector<FindEntry> entries) : entries_(std::move(entries)) {}
    std::optional<FindEntry> Next() override {
        if (next_ >= entries_.size()) {
            return std::nullopt;
        }
        return entries_[next_++];
    }

  private:
    std::vector<FindEntry> entries_;
    std::size_t next_ = 0;
};

}  // namespace

std::unique_ptr<WritableFile> CreateFileForWrite(const std::string& path) {
    Machine& machine = Machine::Current();
    constexpr std::uint32_t kReadOnly = 0x01;
    const std::uint32_t attributes = machine.FileAttributesOf(path);
    if (machine.IsLocked(path)) {
        machine.SetLastError(kErrorSharingViolation);
        return nullptr;
    }
    if (attributes != kInvalidAttributes && (attributes & (kAttributeDirectory | kReadOnly))) {
        machine.SetLastError(kErrorAccessDenied);
        return nullptr;
    }
    auto file = std::make_unique<SimWritableFile>(machine.HostPath(path), machine.writeLimit());
    if (!file->ok()) {
        machine.SetLastError(kErrorAccessDenied);
        return nullptr;
    }
    return file;
}

std::string CreateUniqueFileBeside(const std::string& target) {
    return Machine::Current().CreateUniqueFileBeside(target);
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    return Machine::Current().ReplaceFileWith(source, target);
}

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    const auto bytes = Machine::Current().ReadWholeFile(path);
    return bytes ? std::optional<std::uint64_t>(bytes->size()) : std::nullopt;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    return Machine::Current().ReadWholeFile(path);
}

bool MoveFileTo(const std::string& source, const std::string& target) {
    return Machine::Current().MoveFileTo(source, target);
}

bool SetFileDosDate(const std::string& path, std::uint32_t dosDateTime) {
    return Machine::Current().SetDosDate(path, dosDateTime);
}

std::unique_ptr<FileFinder> FindFiles(const std::string& pattern) {
    auto entries = Machine::Current().TryList(pattern);
    if (!entries) {
        return nullptr;
    }
    return std::make_unique<SimFileFinder>(std::move(*entries));
}

std::uint32_t LastErrorCode() {
    return Machine::Current().lastError();
}

void SetLastErrorCode(std::uint32_t code) {
    Machine::Current().SetLastError(code);
}

std::string SystemErrorText(std::uint32_t code) {
    std::string text = Machine::Current().SystemMessageText(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text.empty() ? "Error " + std::to_string(code) + "." : text;
}

Wow64Answer QueryWow64() {
    return Machine::Current().wow64();
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    return Machine::Current().environmentVariable(name);
}

std::optional<std::string> UserProgramFilesFolder() {
    return Machine::Current().userProgramFiles();
}

std::string CommandLine() {
    return Machine::Current().commandLine();
}

std::string UserThousandsSeparator() {
    return Machine::Current().thousandsSeparator();
}

std::string ExecutableFileName() {
    return Machine::Current().executableFileName();
}

std::string ExecutablePath() {
    return Machine::Current().executablePath();
}

LocalDate Today() {
    return Machine::Current().today();
}

std::optional<std::string> RegistryString(RegistryRoot root, const std::string& key,
                                          const std::string& name, RegistryView view) {
    const auto value = Machine::Current().registry().Get(root, key, name, view);
    if (!value || !std::holds_alternative<std::string>(*value)) {
        Machine::Current().SetLastError(kErrorFileNotFound);
        return std::nullopt;
    }
    return std::get<std::string>(*value);
}

std::vector<std::string> RegistrySubkeys(RegistryRoot root, const std::string& key,
                                         RegistryView view) {
    return Machine::Current().registry().Subkeys(root, key, view);
}

bool SetRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                       const std::string& value) {
    return Machine::Current().registry().Set(root, key, name, value) ||
           (Machine::Current().SetLastError(kErrorAccessDenied), false);
}

bool SetRegistryNumber(RegistryRoot root, const std::string& key, const std::string& name,
                       std::uint32_t value) {
    return Machine::Current().registry().Set(root, key, name, value) ||
           (Machine::Current().SetLastError(kErrorAccessDenied), false);
}

bool DeleteRegistryKey(RegistryRoot root, const std::string& key) {
    if (!Machine::Current().registry().Delete(root, key)) {
        Machine::Current().SetLastError(kErrorAccessDenied);
        return false;
    }
    return true;
}

TemporaryCopyRun RunTemporaryCopy(const std::string& arguments) {
    return Machine::Current().RunTemporaryCopy(arguments);
}

std::optional<std::string> OriginalExecutable() {
    return Machine::Current().originalExecutable();
}

bool MoveOriginalAside() {
    return Machine::Current().MoveOriginalAside();
}

bool HandBack(int result, bool deleteOriginal) {
    return Machine::Current().HandBack(result, deleteOriginal);
}

std::optional<std::string_view> FindRcData(const std::string& name) {
    return Machine::Current().Resource(name);
}

ComApartment::ComApartment() : result_(0) {
    Machine::Current().ComInit();
}

ComApartment::~ComApartment() {
    Machine::Current().ComUninit();
}

}  // namespace platform
