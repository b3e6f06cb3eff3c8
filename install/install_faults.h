#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What could not be put on disk during a run, each with the system's error
// code, for the one message that lists them all at the end.
class InstallFaults {
  public:
    enum class Kind {
        FolderNotCreated,
        FileNotWritten,
        FileNotDated,
        NotRegistered,
        AnotherRunBusy,  // the path is the install folder; no error code
    };

    void Add(Kind kind, const std::string& path, std::uint32_t errorCode);
    bool empty() const { return faults_.empty(); }
    // One line per fault, in the order they happened, each naming the folder
    // or file and the system's reason, under a first line that says the
    // installation failed.
    std::string Message() const;

  private:
    struct Fault {
        Kind kind;
        std::string path;
        std::uint32_t errorCode;
    };
    std::vector<Fault> faults_;
};
