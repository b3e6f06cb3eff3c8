#include "install/run_installation.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "install/complete_installation.h"
#include "install/inst_progress_form.h"
#include "install/install_faults.h"
#include "install/kept_copies.h"
#include "install/payload_container.h"
#include "install/payload_items.h"
#include "install/payload_loader.h"
#include "messages/message_boxes.h"
#include "platform/message_error.h"
#include "platform/platform.h"
#include "ui/application.h"
#include "uninstall/registration.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/path_helpers.h"
#include "util/product.h"
#include "util/shell_helpers.h"

namespace {

// Loads every item of the list into the table, whatever happened to those
// before it. Returns the read-error text (empty when all were read) and
// adds up the contents' lengths.
std::string LoadItems(std::vector<tInstItem>& items, std::uint32_t& totalBytes) {
    std::string message;
    std::string list(kPayloadItemList);
    totalBytes = 0;
    for (tInstItem& item : items) {
        std::string name;
        SplitFirst(list, ",", name);
        try {
            item = LoadPayloadItem(name);
        } catch (const EDecompressionError&) {
            // zlib's failure says only "Error"; the user is also told which
            // item it was, as every other failure to load one does.
            throw EDecompressionError(DamagedItemText(name, "its stream is corrupt or cut short"));
        }
        if (item.Contents.empty()) {
            // An empty file cannot be installed: the item counts as unreadable.
            message +=
                Format("\r\nError Reading resource item %s, Filename %s", {name, item.FileName});
        } else {
            totalBytes += static_cast<std::uint32_t>(item.Contents.size());
        }
    }
    return message;
}

// Writes and dates the files in table order, each announced to the window
// before and reported after, keeping the old copy of each file it changes;
// stops after the file in hand once the user has cancelled. Returns how many
// files landed.
int WriteItems(TInstProgressForm& form, const std::string& folder,
               const std::vector<tInstItem>& items, KeptCopies& kept, InstallFaults& faults) {
    std::uint32_t bytesWritten = 0;
    int filesInstalled = 0;
    for (const tInstItem& item : items) {
        const std::string path = folder + item.FileName;
        form.SetCurrentFile(path);
        // A file that was not written keeps whatever date it had, and a file
        // whose old copy could not be kept is not written.
        if (!WriteStringToFile(path, item.Contents,
                               [&] { return kept.KeepIfChanged(path, item.Contents); })) {
            faults.Add(InstallFaults::Kind::FileNotWritten, path, platform::LastErrorCode());
        } else {
            ++filesInstalled;
            if (!platform::SetFileDosDate(path, item.FileDate)) {
                faults.Add(InstallFaults::Kind::FileNotDated, path, platform::LastErrorCode());
            }
        }
        bytesWritten += static_cast<std::uint32_t>(item.Contents.size());
        form.SetBytesDone(bytesWritten);
        if (form.Cancelled()) {
            break;
        }
    }
    return filesInstalled;
}

}  // namespace

bool RunInstallation(const std::string& installFolder) {
    ui::Application* application = ui::CurrentApplication();
    if (application == nullptr) {
        throw ProgrammingError("RunInstallation needs a running application");
    }
    std::string message;
    InstallFaults faults;
    std::string folder = AddBackslash(installFolder);
    if (!CreateInstallFolder(folder)) {
        faults.Add(InstallFaults::Kind::FolderNotCreated, folder, platform::LastErrorCode());
    }
    bool success = false;
    KeptCopies kept(folder);
    {
        // Both are released on every way out of this block, a raise
        // included: first the window, then the items.
        std::vector<tInstItem> items;
        TInstProgressForm form(*application);
        form.SetProgramName(kProductName);
        form.SetStage("Installing ...");
        form.Show();

        const int itemCount =
            1 + static_cast<int>(std::count(kPayloadItemList.begin(), kPayloadItemList.end(), ','));
        items.resize(static_cast<std::size_t>(itemCount));
        std::uint32_t totalBytes = 0;
        message = LoadItems(items, totalBytes);
        if (!message.empty()) {
            if (message[0] == '\r') {
                message.erase(0, 1);
            }
            ShowMessageText(message);
        }
        success = message.empty();

        // The uninstaller and the entry exist before the first file lands,
        // so that no run leaves files without a way to remove them.
        std::optional<UninstallRegistration> registration;
        if (success) {
            std::vector<std::string> names;
            for (const tInstItem& item : items) {
                names.push_back(item.FileName);
            }
            UninstallRegistration::Fault fault;
            registration = UninstallRegistration::Register(folder, names, totalBytes, fault);
            if (!registration) {
                faults.Add(fault.busy ? InstallFaults::Kind::AnotherRunBusy
                                      : InstallFaults::Kind::NotRegistered,
                           fault.what, fault.errorCode);
            }
        }
        if (success) {
            form.SetTotalBytes(totalBytes);
            const int filesInstalled =
                registration ? WriteItems(form, folder, items, kept, faults) : 0;
            if (registration) {
                registration->WithdrawIfNothingLanded(filesInstalled > 0);
            }
            success = !form.Cancelled();
            form.FinishProgress(faults.empty());
            if (form.Cancelled()) {
                message = Format("Installation cancelled. %d of %d files were installed.",
                                 {filesInstalled, itemCount});
            }
        }
        // The files that did land stay, as after a cancel; the run failed.
        if (!faults.empty()) {
            success = false;
            AppendParagraph(message, faults.Message());
        }

        const std::string desktopFolder =
            AddBackslash(GetSpecialFolderPath(platform::kCsidlDesktop));
        if (success) {
            CompleteInstallation(folder, desktopFolder, message, kept.Notice(),
                                 registration ? &*registration : nullptr);
        } else {
            AppendParagraph(message, kept.Notice());
        }
    }
    if (!message.empty()) {
        ShowMessageCaption(kProductName, message);
    }
    return success;
}
