// Running from a temporary copy that the system deletes once it has ended.
//
// The original writes its own bytes to a new file in the temp folder, closes
// it and opens it again with FILE_FLAG_DELETE_ON_CLOSE and DELETE access
// only, sharing reading and deleting (a handle that may write would stop the
// loader from opening the file to run it). It starts the copy from that file
// and lets it inherit the handle; closing its own leaves the copy's as the
// last one, so the file goes when the copy ends and its handles are closed.
// Windows documents the flag so: "The file is to be deleted immediately after
// all of its handles are closed, which includes the specified handle and any
// other open or duplicated handles."
//
// The copy also inherits the write end of a pipe, on which it hands back its
// result, and a handle to the original's process, whose end it waits for
// before deleting the original's file. The original waits on the pipe: it
// ends when the copy hands back, or when the copy ends without doing so (the
// pipe then breaks).

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

using win32::UniqueFileHandle;
using win32::Wide;
using UniqueHandle = win32::UniqueKernelHandle;

// How long the copy waits for the original to end, and then for the
// system to let go of its file, before it leaves the file behind.
constexpr DWORD kOriginalEndWait = 30000;
constexpr int kDeleteAttempts = 100;
constexpr DWORD kDeletePause = 50;

std::string Hex(std::uintptr_t value) {
    std::string text;
    do {
        text.insert(text.begin(), "0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

// A new file in the temp folder with the bytes, closed; its path, or empty.
std::string WriteTemporaryFile(const std::string& bytes) {
    const std::string folder = TempFolder();
    if (folder.empty()) {
        return {};
    }
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string path = folder + "tsun" + Hex(::GetCurrentProcessId()) + "-" +
                                 Hex(::GetTickCount() + attempt) + ".exe";
        UniqueFileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            if (::GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return {};
        }
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ||
            written != bytes.size()) {
            if (written != bytes.size()) {
                ::SetLastError(ERROR_DISK_FULL);
            }
            file.reset();
            const DWORD error = ::GetLastError();
            ::DeleteFileW(Wide(path).c_str());
            ::SetLastError(error);
            return {};
        }
        return path;
    }
    return {};
}

// What a copy learnt from its command line: where to hand back, whom to
// wait for, and the original's file.
struct HandOff {
    HANDLE pipe = nullptr;
    HANDLE original = nullptr;
    std::string originalPath;
    std::string movedPath;  // where MoveOriginalAside put it
};

// Parsed once: "<copy>" /uninstall-copy PIPE PROCESS "ORIGINAL" ...
HandOff* CurrentHandOff() {
    static HandOff handOff;
    static bool parsed = false;
    if (!parsed) {
        parsed = true;
        const std::string line = CommandLine();
        const std::string marker = std::string(" ") + kTemporaryCopySwitch + " ";
        const std::size_t at = line.find(marker);
        if (at != std::string::npos) {
            const char* rest = line.c_str() + at + marker.size();
            char* end = nullptr;
            const auto pipe = std::strtoull(rest, &end, 16);
            const auto process = std::strtoull(end, &end, 16);
            const char* open = std::strchr(end, '"');
            const char* close = open != nullptr ? std::strchr(open + 1, '"') : nullptr;
            if (pipe != 0 && process != 0 && close != nullptr) {
                handOff.pipe = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(pipe));
                handOff.original = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(process));
                handOff.originalPath.assign(open + 1, close);
            }
        }
    }
    return handOff.originalPath.empty() ? nullptr : &handOff;
}

}  // namespace

TemporaryCopyRun RunTemporaryCopy(const std::string& arguments) {
    const std::string self = ExecutablePath();
    const auto bytes = ReadWholeFile(self);
    if (!bytes) {
        return {};
    }
    const std::string copy = WriteTemporaryFile(*bytes);
    if (copy.empty()) {
        return {};
    }
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    UniqueFileHandle deleteOnClose(
        ::CreateFileW(Wide(copy).c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited,
                      OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!deleteOnClose.valid()) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(Wide(copy).c_str());
        ::SetLastError(error);
        return {};
    }
    HANDLE rawRead = nullptr;
    HANDLE rawWrite = nullptr;
    if (!::CreatePipe(&rawRead, &rawWrite, &inherited, 0)) {
        return {};
    }
    UniqueHandle readEnd(rawRead);
    UniqueHandle writeEnd(rawWrite);
    ::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);  // the copy only writes
    HANDLE rawSelf = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(),
                           &rawSelf, SYNCHRONIZE, TRUE, 0)) {
        return {};
    }
    UniqueHandle selfForCopy(rawSelf);

    std::string commandLine = "\"" + copy + "\" " + kTemporaryCopySwitch + " " +
                              Hex(reinterpret_cast<std::uintptr_t>(writeEnd.get())) + " " +
                              Hex(reinterpret_cast<std::uintptr_t>(selfForCopy.get())) + " \"" +
                              self + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    std::wstring wideCommandLine = Wide(commandLine);  // CreateProcessW may write to it
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(Wide(copy).c_str(), wideCommandLine.data(), nullptr, nullptr, TRUE, 0,
                          nullptr, nullptr, &startup, &started)) {
        return {};  // the delete-on-close handle takes the file with it
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    // The copy holds its own of each now; with these closed, the file is
    // the copy's to take along, and the pipe breaks if the copy ends mute.
    deleteOnClose.reset();
    writeEnd.reset();
    selfForCopy.reset();

    std::int32_t result = 0;
    DWORD read = 0;
    if (!::ReadFile(readEnd.get(), &result, sizeof result, &read, nullptr) ||
        read != sizeof result) {
        return {TemporaryCopyRun::Outcome::EndedWithoutResult};
    }
    return {TemporaryCopyRun::Outcome::HandedBack, result};
}

std::optional<std::string> OriginalExecutable() {
    const HandOff* handOff = CurrentHandOff();
    return handOff != nullptr ? std::optional<std::string>(handOff->originalPath) : std::nullopt;
}

bool MoveOriginalAside() {
    HandOff* handOff = CurrentHandOff();
    const std::string folder = TempFolder();
    if (handOff == nullptr || folder.empty()) {
        return false;
    }
    const std::string aside = folder + "tsold" + Hex(::GetCurrentProcessId()) + ".exe";
    // No copying across drives: only a rename leaves the running file alone.
    if (!::MoveFileExW(Wide(handOff->originalPath).c_str(), Wide(aside).c_str(), 0)) {
        return false;
    }
    handOff->movedPath = aside;
    return true;
}

bool HandBack(int result, bool deleteOriginal) {
    HandOff* handOff = CurrentHandOff();
    if (handOff == nullptr || handOff->pipe == nullptr) {
        return false;
    }
    const std::int32_t value = result;
    DWORD written = 0;
    ::WriteFile(handOff->pipe, &value, sizeof value, &written, nullptr);
    ::CloseHandle(handOff->pipe);
    handOff->pipe = nullptr;
    if (!deleteOriginal) {
        return false;
    }
    const std::string& file =
        handOff->movedPath.empty() ? handOff->originalPath : handOff->movedPath;
    ::WaitForSingleObject(handOff->original, kOriginalEndWait);
    // The system may hold the file a moment after the process has ended.
    for (int attempt = 0; attempt < kDeleteAttempts; ++attempt) {
        if (::DeleteFileW(Wide(file).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            return true;
        }
        ::Sleep(kDeletePause);
    }
    return false;
}

}  // namespace platform
