#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "integration/setup_log.h"
#include "platform/platform.h"
#include "uninstall/install_record.h"

// Makes an installation removable before its first file is written: the
// uninstaller (a copy of this very program, which carries every installed
// byte in its payload) and its record go into the user's profile, and the
// per-user Apps & Features entry names them. A reinstall into the same
// folder takes up the entry it has. While the run goes on, every file the
// desktop set-up writes is added to the record first (SetupLog).
class UninstallRegistration final : public SetupLog {
  public:
    // What could not be set up, for the run's message: the file or key, and
    // the system's error code.
    struct Fault {
        std::string what;
        std::uint32_t errorCode = 0;
        bool busy = false;  // another installation or uninstall of the folder runs
    };

    // Registers `folder` (with its backslash) with the payload's file names
    // and the bytes they hold, holding the entry's lock (LockEntry) until
    // the registration goes away. Nothing, and `fault` set, when a step
    // failed or another run holds the lock; what this call had made is taken
    // back then.
    static std::optional<UninstallRegistration> Register(const std::string& folder,
                                                         const std::vector<std::string>& files,
                                                         std::uint64_t payloadBytes, Fault& fault);

    WriteResult ConfigWillBeWritten(const std::string& programPath) override;
    WriteResult ShortcutWillBeWritten(const PlacedShortcut& shortcut) override;

    // Takes the registration back when nothing of the run landed and no
    // earlier run had registered the folder: then nothing needs removing.
    void WithdrawIfNothingLanded(bool anythingLanded);

    const std::string& entryKey() const { return record_.entryKey; }

  private:
    UninstallRegistration(InstallRecord record, std::string uninstallerFolder, bool existing,
                          std::unique_ptr<platform::SessionLock> lock)
        : record_(std::move(record)),
          uninstallerFolder_(std::move(uninstallerFolder)),
          existing_(existing),
          lock_(std::move(lock)) {}
    WriteResult SaveRecord();
    void Withdraw();

    InstallRecord record_;
    std::string uninstallerFolder_;
    bool existing_;
    std::unique_ptr<platform::SessionLock> lock_;  // held while the run goes on
};
