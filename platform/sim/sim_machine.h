#pragma once

// A small simulated Windows machine for the native tests. Each test makes
// one Machine: it owns a fresh temp folder in which every drive letter is a
// subfolder, and it answers the platform seam from state the test sets. The
// machine is current from its construction to its destruction; two at once
// are a test bug and abort.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/sim_registry.h"

namespace platform::sim {

struct ShellOpenCall {
    std::string verb, file, parameters, directory;
    int showCommand = 0;
};

struct ShellDeleteCall {
    std::string mask;
    unsigned flags = 0;
};

// One call on a simulated shell-link object: the method, its text argument
// and its number argument (icon index, show command, hot key, fRemember),
// each empty or 0 where the method has none.
struct ShellLinkCall {
    std::string method;
    std::string text;
    long number = 0;

    bool operator==(const ShellLinkCall&) const = default;
};

// One shell-link object the machine handed out: its calls in order, and
// whether it has been released.
struct ShellLinkRecord {
    std::vector<ShellLinkCall> calls;
    bool released = false;
};

class Machine {
  public:
    Machine();
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // The machine the seam answers from; aborts when there is none.
    static Machine& Current();

    // --- Configuration --------------------------------------------------
    // Drive C: exists from the start as a fixed drive.
    void AddDrive(char letter, DriveType type);
    void SetSpecialFolder(int csidl, std::optional<std::string> path);
    void SetWow64(Wow64Answer answer) {
        wow64_ = answer;
        registry_.SetWindows64(answer == Wow64Answer::Yes);
    }
    void SetCommandLine(std::string line) { commandLine_ = std::move(line); }
    void SetCurrentDirectory(std::string path) { currentDirectory_ = std::move(path); }
    void SetThousandsSeparator(std::string separator) {
        thousandsSeparator_ = std::move(separator);
    }
    void SetExecutableFileName(std::string name) { executableFileName_ = std::move(name); }
    // The program's own file: 'C:\setup\tessaly-setup.exe', which exists
    // from the start (with a few bytes standing for the program).
    void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
    void SetToday(LocalDate date) { today_ = date; }
    void SetEnvironmentVariable(const std::string& name, std::optional<std::string> value) {
        environment_[name] = std::move(value);
    }
    // FOLDERID_UserProgramFiles; nothing by default, as under Wine 8.
    void SetUserProgramFiles(std::optional<std::string> path) {
        userProgramFiles_ = std::move(path);
    }
    // What becomes of a temporary copy of the program, and, in a process that
    // is such a copy, the original's file.
    void SetTemporaryCopyRun(TemporaryCopyRun run) { temporaryCopyRun_ = run; }
    void SetOriginalExecutable(std::optional<std::string> path) {
        originalExecutable_ = std::move(path);
    }
    void SetResource(const std::string& name, std::string bytes);
    // Runs whenever a resource is read, with the name asked for (lets a test
    // act while an installation is loading its items).
    void OnResourceRead(std::function<void(const std::string&)> hook) {
        resourceHook_ = std::move(hook);
    }
    // Attribute bits the host file system cannot carry (hidden, system).
    void AddAttributes(const std::string& path, std::uint32_t bits);
    // A locked file cannot be opened or deleted, as if another process held it.
    void LockFile(const std::string& path);
    // Every later write stores at most this many bytes and then fails, as on
    // a full disk; nothing limits writes by default.
    void SetWriteLimit(std::optional<std::size_t> bytes) { writeLimit_ = bytes; }
    // The listing order for one folder; by default names sort without regard to case.
    void SetListingOrder(const std::string& folder, std::vector<std::string> names);

    // A junction or symbolic link at `path` to `target` (a host symbolic
    // link): names below it reach the target, and it carries the
    // reparse-point attribute, unless asked for with a trailing backslash.
    void PutLink(const std::string& path, const std::string& target);
    // The owner of a file or folder; the user by default.
    void SetOwner(const std::string& path, Owner owner) { owners_[Key(path)] = owner; }
    // The serial number of the volume in a drive; nothing: no volume there.
    // Every drive holds one by default.
    void SetVolumeSerial(char letter, std::optional<std::uint32_t> serial);

    // The short path the system gives for an existing file or folder; by
    // default its path as it is (as where no short names are kept).
    void SetShortPath(const std::string& path, std::string shortPath);

    // Creates a file (and its folders) with the given contents.
    void PutFile(const std::string& path, const std::string& contents = {});
    void PutFolder(const std::string& path);

    // --- Inspection -----------------------------------------------------
    std::filesystem::path HostPath(const std::string& windowsPath) const;
    bool Exists(const std::string& path) const;
    std::string ReadFile(const std::string& path) const;
    std::optional<std::uint32_t> DosDateOf(const std::string& path) const;
    const std::vector<ShellOpenCall>& shellOpens() const { return shellOpens_; }
    const std::vector<ShellDeleteCall>& shellDeletes() const { return shellDeletes_; }
    // Names of the files that went to the recycle bin, in order. Only fixed
    // drives have a bin: elsewhere a delete that allows undo is for good.
    const std::vector<std::string>& recycled() const { return recycled_; }
    // The bytes of the index-th file sent to the bin.
    std::string RecycledBytes(std::size_t index) const;
    Registry& registry() { return registry_; }
    const Registry& registry() const { return registry_; }
    // The arguments of each temporary copy started, in order.
    const std::vector<std::string>& temporaryCopies() const { return temporaryCopies_; }
    // The results handed back, in order, and whether the original's file was
    // to be deleted with each.
    const std::vector<std::pair<int, bool>>& handedBack() const { return handedBack_; }
    int comInitCount() const { return comInitCount_; }
    int comDepth() const { return comDepth_; }

    // --- Shell links and system error texts (sim_shell_link.cpp) --------
    // CoCreateInstance of the shell-link object fails with this HRESULT;
    // 0 lets it succeed (once COM is initialised).
    void SetShellLinkCreationResult(std::int32_t result) { shellLinkCreationResult_ = result; }
    // The object is created but lacks IShellLinkW or IPersistFile.
    void SetShellLinkInterfaceMissing(bool missing) { shellLinkInterfaceMissing_ = missing; }
    // The system's text for a code; a few common codes have theirs already.
    void SetSystemMessage(std::uint32_t code, std::string text);
    // The shell-link objects handed out so far, in order.
    const std::vector<ShellLinkRecord>& shellLinks() const { return shellLinks_; }
    ShellLinkCreation CreateShellLinkObject();
    std::string SystemMessageText(std::uint32_t code) const;

    // --- Seam implementation (used by the sim backend) -------------------
    std::optional<std::string> SpecialFolderPath(int csidl) const;
    int ShellDelete(const std::string& mask, unsigned flags);
    std::intptr_t ShellOpen(ShellOpenCall call);
    DriveType DriveTypeOf(const std::string& root) const;
    std::uint32_t FileAttributesOf(const std::string& path) const;
    bool MakeDirectory(const std::string& path);
    bool RemoveFile(const std::string& path);
    bool RemoveFolder(const std::string& path);
    Removal RemoveFileIfContentIs(const std::string& path, std::string_view contents);
    bool IsLocked(const std::string& path) const;
    std::vector<FindEntry> List(const std::string& pattern) const;
    std::optional<std::string> ShortPathOf(const std::string& path) const;
    Owner OwnerOf(const std::string& path) const;
    std::optional<std::uint32_t> VolumeSerialOf(const std::string& root) const;
    // The names of the session locks held now (TrySessionLock).
    std::set<std::string>& sessionLocks() { return sessionLocks_; }
    std::optional<std::vector<FindEntry>> TryList(const std::string& pattern) const;
    bool SetDosDate(const std::string& path, std::uint32_t dosDateTime);
    std::string CreateUniqueFileBeside(const std::string& target);
    bool ReplaceFileWith(const std::string& source, const std::string& target);
    std::optional<std::string> ReadWholeFile(const std::string& path);
    bool MoveFileTo(const std::string& source, const std::string& target);
    std::optional<std::size_t> writeLimit() const { return writeLimit_; }
    Wow64Answer wow64() const { return wow64_; }
    const std::string& commandLine() const { return commandLine_; }
    const std::string& currentDirectory() const { return currentDirectory_; }
    const std::string& thousandsSeparator() const { return thousandsSeparator_; }
    const std::string& executableFileName() const { return executableFileName_; }
    const std::string& executablePath() const { return executablePath_; }
    std::optional<std::string> environmentVariable(const std::string& name) const {
        const auto found = environment_.find(name);
        return found == environment_.end() ? std::nullopt : found->second;
    }
    const std::optional<std::string>& userProgramFiles() const { return userProgramFiles_; }
    LocalDate today() const { return today_; }
    std::string TempFolder() const;
    TemporaryCopyRun RunTemporaryCopy(const std::string& arguments);
    const std::optional<std::string>& originalExecutable() const { return originalExecutable_; }
    bool MoveOriginalAside();
    bool HandBack(int result, bool deleteOriginal);
    // The stored bytes, valid until the resource is set again.
    std::optional<std::string_view> Resource(const std::string& name) const;
    // The last error code, set by the operations that fail as Windows does.
    std::uint32_t lastError() const { return lastError_; }
    void SetLastError(std::uint32_t code) { lastError_ = code; }
    void ComInit() { ++comInitCount_, ++comDepth_; }
    void ComUninit() { --comDepth_; }

    // A Windows path made absolute against the current directory, with '/'
    // turned into '\' and no trailing backslash except for a root ('C:\').
    std::string Normalise(const std::string& path) const;

  private:
    friend class SimShellLink;  // records its calls in shellLinks_

    std::string Key(const std::string& path) const;  // case-folded, normalised
    bool Fail(std::uint32_t code);                   // sets the last error, gives false

    std::filesystem::path root_;
    std::map<char, DriveType> drives_;
    std::map<int, std::optional<std::string>> specialFolders_;
    Wow64Answer wow64_ = Wow64Answer::No;
    std::string commandLine_ = "\"C:\\setup\\tessaly-setup.exe\"";
    std::string currentDirectory_ = "C:\\setup";
    std::string thousandsSeparator_ = ",";
    std::string executableFileName_ = "tessaly-setup.exe";
    std::string executablePath_ = "C:\\setup\\tessaly-setup.exe";
    LocalDate today_ = {2026, 12, 9};
    std::map<std::string, std::optional<std::string>> environment_;
    std::optional<std::string> userProgramFiles_;
    Registry registry_;
    TemporaryCopyRun temporaryCopyRun_ = {TemporaryCopyRun::Outcome::HandedBack, 0};
    std::vector<std::string> temporaryCopies_;
    std::optional<std::string> originalExecutable_;
    std::string originalMovedTo_;
    std::vector<std::pair<int, bool>> handedBack_;
    std::map<std::string, std::string> resources_;  // upper-case name -> bytes
    std::function<void(const std::string&)> resourceHook_;
    std::map<std::string, std::uint32_t> attributes_;
    std::map<std::string, std::string> shortPaths_;
    std::map<std::string, Owner> owners_;
    std::map<char, std::optional<std::uint32_t>> volumeSerials_;
    std::set<std::string> sessionLocks_;
    std::set<std::string> locked_;
    std::map<std::string, std::vector<std::string>> listingOrder_;
    std::map<std::string, std::uint32_t> dosDates_;
    std::vector<ShellOpenCall> shellOpens_;
    std::vector<ShellDeleteCall> shellDeletes_;
    std::vector<std::string> recycled_;
    std::optional<std::size_t> writeLimit_;
    int uniqueFiles_ = 0;
    std::uint32_t lastError_ = 0;
    int comInitCount_ = 0;
    int comDepth_ = 0;
    std::int32_t shellLinkCreationResult_ = 0;
    bool shellLinkInterfaceMissing_ = false;
    std::vector<ShellLinkRecord> shellLinks_;
    std::map<std::uint32_t, std::string> systemMessages_;
};

}  // namespace platform::sim
