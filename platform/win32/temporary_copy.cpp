// Running from a temporary copy that the system deletes once it has ended.
//
// The temp folder may be one that other accounts can write to (TEMP set to
// C:\Temp, say), and the copy runs as the user: so nobody else may read,
// change or swap its file, and it trusts nothing it did not get from the
// original itself.
//
// The original writes its own bytes to a new file in the temp folder under
// a name drawn from the system's random number generator, with a security
// descriptor that lets only the user and the system at it. The system cannot
// start a program from a file while a handle that may write to it is open
// (Wine refuses with ERROR_SHARING_VIOLATION, as Windows does), so the
// writing handle is closed and the file opened again, with
// FILE_FLAG_DELETE_ON_CLOSE and sharing reading only: from then on nobody
// can write, rename, replace or delete it. Its bytes are read back through
// that handle and compared, so what runs is what was written, whatever
// happened to the name in the moment between. The copy inherits that handle;
// closing the original's leaves the copy's as the last one, so the file goes
// when the copy ends. Windows documents the flag so: "The file is to be
// deleted immediately after all of its handles are closed, which includes
// the specified handle and any other open or duplicated handles."
//
// The copy inherits the file's handle, the write end of the pipe on which it
// hands back its result, a handle to the original's process (whose end it
// waits for before deleting the original's file) and the read end of a
// second pipe, and nothing else where the system can say so (a handle list,
// Windows Vista and later). Before the copy starts, the original writes the
// other three handle values, its own path and the random name into that
// second pipe and closes its end: the copy's command line carries only that
// pipe's handle value, and a copy that finds no whole hand-off there, or runs
// from another file than the one named, refuses to work. The copy starts in
// the system folder, and so does the original go there, so that neither holds
// a folder the uninstall removes. The original waits on the first pipe: it
// ends when the copy hands back, or when the copy ends without doing so (the
// pipe then breaks).

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/copy_hand_off.h"
#include "platform/platform.h"
#include "platform/win32/file_content.h"
#include "platform/win32/security.h"
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

template <typename Function>
Function Kernel32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name)));
}

// Fresh bytes from the system's random number generator: RtlGenRandom, which
// advapi32 exports as SystemFunction036 (since Windows XP).
bool DrawToken(CopyToken& token) {
    using GenRandomFn = BOOLEAN(WINAPI*)(PVOID, ULONG);
    const auto genRandom = reinterpret_cast<GenRandomFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"advapi32.dll"), "SystemFunction036")));
    return genRandom != nullptr && genRandom(token.data(), static_cast<ULONG>(token.size()));
}

// A security descriptor that lets the user and the system at a file, and
// nobody else. Its DACL is protected: none of the folder's inheritable
// entries (those of a shared folder let every account read) is added.
class UserOnlyDescriptor {
  public:
    UserOnlyDescriptor() {
        const std::vector<unsigned char> user = win32::UserSid();
        unsigned char system[SECURITY_MAX_SID_SIZE];
        DWORD systemSize = sizeof system;
        if (user.empty() ||
            !::CreateWellKnownSid(WinLocalSystemSid, nullptr, system, &systemSize)) {
            return;
        }
        acl_.resize(sizeof(ACL) + 2 * sizeof(ACCESS_ALLOWED_ACE) + user.size() + systemSize);
        const auto acl = reinterpret_cast<PACL>(acl_.data());
        made_ = ::InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) &&
                ::AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS,
                                      const_cast<unsigned char*>(user.data())) &&
                ::AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, system) &&
                ::InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
                ::SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
                ::SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    }
    UserOnlyDescriptor(const UserOnlyDescriptor&) = delete;
    UserOnlyDescriptor& operator=(const UserOnlyDescriptor&) = delete;

    // For a handle that is not inherited; null when the descriptor could not
    // be made.
    SECURITY_ATTRIBUTES* attributes() { return made_ ? &attributes_ : nullptr; }

  private:
    std::vector<unsigned char> acl_;  // the heap's alignment suits an ACL
    SECURITY_DESCRIPTOR descriptor_ = {};
    SECURITY_ATTRIBUTES attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    bool made_ = false;
};

// Keeps the last error across a clean-up call.
template <typename Call>
void KeepingLastError(Call call) {
    const DWORD error = ::GetLastError();
    call();
    ::SetLastError(error);
}

// Writes the bytes to a new file of that name, and gives the handle that
// holds it for the start (see above); none, and no file, after a failure.
UniqueFileHandle WriteAndHold(const std::string& path, const std::string& bytes) {
    const std::wstring name = Wide(path);
    {
        UserOnlyDescriptor descriptor;
        if (descriptor.attributes() == nullptr) {
            return {};
        }
        UniqueFileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, descriptor.attributes(),
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
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
            KeepingLastError([&] { ::DeleteFileW(name.c_str()); });
            return {};
        }
    }
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    UniqueFileHandle held(::CreateFileW(name.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ,
                                        &inherited, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE,
                                        nullptr));
    if (!held.valid()) {
        KeepingLastError([&] { ::DeleteFileW(name.c_str()); });
        return {};
    }
    switch (win32::CompareContent(held.get(), bytes)) {
        case win32::Content::Same:
            return held;
        case win32::Content::Different:
            ::SetLastError(ERROR_INVALID_DATA);
            break;
        case win32::Content::Unreadable:
            break;
    }
    return {};  // the handle takes the file with it
}

// An inheritable pipe: the end the copy gets stays inheritable, the other
// not. False when the system has none to give.
struct Pipe {
    UniqueHandle read;
    UniqueHandle write;
};
bool MakePipe(Pipe& pipe, bool copyReads, DWORD size) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE rawRead = nullptr;
    HANDLE rawWrite = nullptr;
    if (!::CreatePipe(&rawRead, &rawWrite, &inherited, size)) {
        return false;
    }
    pipe.read.reset(rawRead);
    pipe.write.reset(rawWrite);
    return ::SetHandleInformation(copyReads ? rawWrite : rawRead, HANDLE_FLAG_INHERIT, 0);
}

// The handles a new process inherits, and no others: a handle list
// (PROC_THREAD_ATTRIBUTE_HANDLE_LIST). Its functions came with Windows Vista
// and are looked up, so the exe still starts on older Windows; there the
// process inherits every inheritable handle.
class InheritedHandles {
  public:
    explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
        using InitializeFn = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD, PSIZE_T);
        using UpdateFn = BOOL(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST, DWORD, DWORD_PTR, PVOID,
                                       SIZE_T, PVOID, PSIZE_T);
        const auto initialize = Kernel32Function<InitializeFn>("InitializeProcThreadAttributeList");
        const auto update = Kernel32Function<UpdateFn>("UpdateProcThreadAttribute");
        delete_ = Kernel32Function<DeleteFn>("DeleteProcThreadAttributeList");
        SIZE_T size = 0;
        if (initialize == nullptr || update == nullptr || delete_ == nullptr ||
            (initialize(nullptr, 1, 0, &size), size == 0)) {
            return;
        }
        buffer_.resize(size);
        const auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
        if (!initialize(list, 1, 0, &size)) {
            return;
        }
        list_ = list;
        if (!update(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                    handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
            delete_(std::exchange(list_, nullptr));
        }
    }
    ~InheritedHandles() {
        if (list_ != nullptr) {
            delete_(list_);
        }
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    // Null where the system keeps no handle lists.
    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return list_; }

  private:
    using DeleteFn = void(WINAPI*)(LPPROC_THREAD_ATTRIBUTE_LIST);
    std::vector<HANDLE> handles_;        // the list points into it until it is deleted
    std::vector<unsigned char> buffer_;  // the heap's alignment suits the list
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    DeleteFn delete_ = nullptr;
};

std::uint64_t Value(HANDLE handle) {
    return reinterpret_cast<std::uintptr_t>(handle);
}
HANDLE FromValue(std::uint64_t value) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

// What a copy learnt from its hand-off, and where MoveOriginalAside put the
// original's file.
struct HandOff {
    CopyHandOff given;
    HANDLE pipe = nullptr;  // closed once handed back
    std::string movedPath;
};

// The hand-off, when this process is a copy our own original started: its
// command line names an inherited pipe that holds one whole hand-off, which
// names this process's own file, a pipe to hand back on and a process of the
// id given. Nothing otherwise; then no handle the hand-off named is used.
std::optional<CopyHandOff> ReadHandOff() {
    const auto pipeValue = HandOffPipeOf(CommandLine());
    if (!pipeValue || ::GetFileType(FromValue(*pipeValue)) != FILE_TYPE_PIPE) {
        return std::nullopt;
    }
    // The original wrote it all and closed its end before this process
    // started: what the pipe holds now is all there is, and nothing waits.
    DWORD available = 0;
    if (!::PeekNamedPipe(FromValue(*pipeValue), nullptr, 0, nullptr, &available, nullptr) ||
        available == 0 || available > kMaxCopyHandOffBytes) {
        return std::nullopt;
    }
    std::string bytes(available, '\0');
    DWORD read = 0;
    if (!::ReadFile(FromValue(*pipeValue), bytes.data(), available, &read, nullptr) ||
        read != available) {
        return std::nullopt;
    }
    auto handOff = DecodeCopyHandOff(bytes);
    if (!handOff || ExecutableFileName() != CopyFileName(handOff->token) ||
        ::GetFileType(FromValue(handOff->resultPipe)) != FILE_TYPE_PIPE ||
        ::GetProcessId(FromValue(handOff->originalProcess)) != handOff->originalProcessId) {
        return std::nullopt;
    }
    ::CloseHandle(FromValue(*pipeValue));
    return handOff;
}

// Read once, at the first question.
HandOff* CurrentHandOff() {
    static HandOff handOff;
    static bool read = false;
    if (!read) {
        read = true;
        if (auto given = ReadHandOff()) {
            handOff.given = std::move(*given);
            handOff.pipe = FromValue(handOff.given.resultPipe);
        }
    }
    return handOff.given.originalPath.empty() ? nullptr : &handOff;
}

}  // namespace

TemporaryCopyRun RunTemporaryCopy(const std::string& arguments) {
    wchar_t systemFolder[MAX_PATH] = {};
    if (::GetSystemDirectoryW(systemFolder, MAX_PATH) == 0) {
        return {};
    }
    // The original only waits from here on: it holds no folder (the install
    // folder, when the uninstall was started from there) the copy removes.
    ::SetCurrentDirectoryW(systemFolder);
    CopyHandOff handOff;
    handOff.originalPath = ExecutablePath();
    handOff.originalProcessId = ::GetCurrentProcessId();
    const auto bytes = ReadWholeFile(handOff.originalPath);
    const std::string folder = TempFolder();
    if (!bytes || folder.empty()) {
        return {};
    }
    if (!DrawToken(handOff.token)) {
        ::SetLastError(ERROR_NO_SYSTEM_RESOURCES);
        return {};
    }
    const std::string copy = folder + CopyFileName(handOff.token);
    UniqueFileHandle held = WriteAndHold(copy, *bytes);
    if (!held.valid()) {
        return {};
    }
    Pipe result;
    HANDLE rawSelf = nullptr;
    if (!MakePipe(result, false, 0) ||
        !::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(),
                           &rawSelf, SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
        return {};
    }
    UniqueHandle self(rawSelf);
    handOff.resultPipe = Value(result.write.get());
    handOff.originalProcess = Value(self.get());
    const std::string message = EncodeCopyHandOff(handOff);
    // Sized for the whole hand-off, so that it is written before anyone reads.
    Pipe handOffPipe;
    DWORD written = 0;
    if (!MakePipe(handOffPipe, true, static_cast<DWORD>(message.size())) ||
        !::WriteFile(handOffPipe.write.get(), message.data(), static_cast<DWORD>(message.size()),
                     &written, nullptr) ||
        written != message.size()) {
        return {};
    }
    handOffPipe.write.reset();

    std::wstring commandLine =
        Wide("\"" + copy + "\" " + CopySwitchFor(Value(handOffPipe.read.get())) +
             (arguments.empty() ? "" : " " + arguments));
    const InheritedHandles inherited(
        {held.get(), result.write.get(), self.get(), handOffPipe.read.get()});
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = inherited.list() != nullptr ? sizeof startup : sizeof(STARTUPINFOW);
    startup.lpAttributeList = inherited.list();
    PROCESS_INFORMATION started = {};
    // CreateProcessW may write to the command line.
    if (!::CreateProcessW(Wide(copy).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                          inherited.list() != nullptr ? EXTENDED_STARTUPINFO_PRESENT : 0, nullptr,
                          systemFolder, &startup.StartupInfo, &started)) {
        return {};  // the held handle takes the file with it
    }
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    // The copy holds its own of each now: with these closed, the file is the
    // copy's to take along, and the result pipe breaks if the copy ends mute.
    held.reset();
    result.write.reset();
    self.reset();
    handOffPipe.read.reset();

    std::int32_t value = 0;
    DWORD read = 0;
    if (!::ReadFile(result.read.get(), &value, sizeof value, &read, nullptr) ||
        read != sizeof value) {
        return {TemporaryCopyRun::Outcome::EndedWithoutResult};
    }
    return {TemporaryCopyRun::Outcome::HandedBack, value};
}

std::optional<std::string> OriginalExecutable() {
    const HandOff* handOff = CurrentHandOff();
    return handOff != nullptr ? std::optional<std::string>(handOff->given.originalPath)
                              : std::nullopt;
}

bool MoveOriginalAside() {
    HandOff* handOff = CurrentHandOff();
    const std::string folder = TempFolder();
    if (handOff == nullptr || folder.empty()) {
        return false;
    }
    const std::string aside = folder + AsideFileName(handOff->given.token);
    // No copying across drives: only a rename leaves the running file alone.
    if (!::MoveFileExW(Wide(handOff->given.originalPath).c_str(), Wide(aside).c_str(), 0)) {
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
        handOff->movedPath.empty() ? handOff->given.originalPath : handOff->movedPath;
    ::WaitForSingleObject(FromValue(handOff->given.originalProcess), kOriginalEndWait);
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
