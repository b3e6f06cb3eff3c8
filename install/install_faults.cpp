#include "install/install_faults.h"

#include "platform/platform.h"
#include "util/format.h"

void InstallFaults::Add(Kind kind, const std::string& path, std::uint32_t errorCode) {
    faults_.push_back({kind, path, errorCode});
}

std::string InstallFaults::Message() const {
    std::string message = "The installation failed:";
    for (const Fault& fault : faults_) {
        // A failure that left no code still gets a reason the user can read.
        const std::string reason = fault.errorCode != 0 ? platform::SystemErrorText(fault.errorCode)
                                                        : "The system gave no reason.";
        const char* format = "";
        switch (fault.kind) {
            case Kind::FolderNotCreated:
                format = "\r\nThe folder %s could not be created: %s";
                break;
            case Kind::FileNotWritten:
                format = "\r\nThe file %s could not be written: %s";
                break;
            case Kind::FileNotDated:
                format = "\r\nThe file %s was written, but its date could not be set: %s";
                break;
            case Kind::NotRegistered:
                // Files nothing could remove again are not written at all.
                format =
                    "\r\nNo file was written, since the uninstaller could not be set up in %s: %s";
                break;
            case Kind::AnotherRunBusy:
                message += Format(
                    "\r\nNo file was written, since Tessaly is being installed into or removed "
                    "from %s right now. Start the installation again once that has finished.",
                    {fault.path});
                continue;
        }
        message += Format(format, {fault.path, reason});
    }
    return message;
}
