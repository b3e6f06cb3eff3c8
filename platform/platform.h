#pragma once

// The operating-system seam. Everything above it speaks in Windows paths
// ('C:\kr\') and plain values; platform/win32 makes the real calls and
// platform/sim answers from a simulated machine that each test configures.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Shell special folders, by their Windows numbers.
inline constexpr int kCsidlDesktop = 0;
inline constexpr int kCsidlPrograms = 2;  // the user's own Start menu Programs folder
inline constexpr int kCsidlLocalAppData = 28;
inline constexpr int kCsidlCommonPrograms = 23;  // the Start menu Programs folder of all users
inline constexpr int kCsidlWindows = 36;
inline constexpr int kCsidlProgramFiles = 38;

// The show command of a normal window (SW_SHOWNORMAL).
inline constexpr int kShowNormal = 1;

// The Windows error codes the program names or reports itself.
namespace errors {
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorNotReady = 21;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorBrokenPipe = 109;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorDirNotEmpty = 145;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorDirectoryName = 267;
inline constexpr std::uint32_t kErrorCancelled = 1223;
inline constexpr std::uint32_t kErrorCantAccessFile = 1920;
}  // namespace errors

// Drive types as GetDriveTypeW reports them.
enum class DriveType : unsigned {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// File attribute bits the installer looks at.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
// A junction or symbolic link: opening a name below it reaches another place.
inline constexpr std::uint32_t kAttributeReparsePoint = 0x400;
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// --- Shell ---------------------------------------------------------------

// The path of a special folder as the shell reports it (no trailing
// backslash below a root), or nothing when either shell step fails.
std::optional<std::string> SpecialFolderPath(int csidl);

// SHFileOperationA with FO_DELETE on a one-entry source list; returns the
// call's own result (0 is success).
int ShellDelete(const std::string& mask, unsigned flags);

// ShellExecuteA with no owner window. The result is the call's own value.
std::intptr_t ShellOpen(const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& directory,
                        int showCommand);

// --- Files and folders ----------------------------------------------------
// (Names avoid the Win32 ones, which <windows.h> turns into macros.)

DriveType DriveTypeOf(const std::string& root);
std::uint32_t FileAttributesOf(const std::string& path);
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
// Removes a folder only when it is empty (RemoveDirectoryA).
bool RemoveFolder(const std::string& path);
std::string CurrentDirectory();
// The user's folder for temporary files, with its trailing backslash; empty
// when the system names none.
std::string TempFolder();

// True when a file (not a folder) of that name exists.
bool FileExists(const std::string& path);

// An open file handle, closed when the object goes away.
class WritableFile {
  public:
    virtual ~WritableFile() = default;
    // One write of all bytes; true only when every byte was written.
    virtual bool Write(const std::string& bytes) = 0;
    // Asks the system to put what was written on the disk; true on success.
    virtual bool Flush() = 0;
};

// CreateFileA with GENERIC_READ | GENERIC_WRITE, no sharing, CREATE_ALWAYS and
// FILE_ATTRIBUTE_NORMAL; nothing when the file cannot be opened.
std::unique_ptr<WritableFile> CreateFileForWrite(const std::string& path);

// Makes a new, empty file with a unique name in the folder of `target` and
// returns its path; empty when the folder cannot take one.
std::string CreateUniqueFileBeside(const std::string& target);

// Moves `source` over `target`, replacing an existing file in one step;
// false (and nothing changed) when the target cannot be replaced, for
// example because it is read-only, held open or a folder.
bool ReplaceFileWith(const std::string& source, const std::string& target);

// The file's size in bytes, from the file opened for reading as
// ReadWholeFile opens it; nothing when it cannot be opened (one that another
// program holds without sharing, for one), with the last error saying why.
std::optional<std::uint64_t> FileSizeOf(const std::string& path);

// Every byte of the file, read while others may read it too; nothing when it
// cannot be opened or read whole.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Renames a file to a name that is free, on the same drive, never replacing
// anything; false (and nothing changed) when the target exists or the move
// fails.
bool MoveFileTo(const std::string& source, const std::string& target);

// Opens the file for writing and sets its last-write time from an MS-DOS
// date-time taken as local time; creation and access times stay. False when
// the file cannot be opened or a conversion fails.
bool SetFileDosDate(const std::string& path, std::uint32_t dosDateTime);

// What became of a file that was to go only while it held given bytes.
enum class Removal {
    Removed,
    Missing,    // no such file (a folder of that name is not touched)
    Different,  // its bytes are not the given ones: it stays
    Failed,     // it could not be read or deleted; the last error says why
};

// Opens the file for reading and deleting without sharing it, so that no
// program can change it in between, compares its bytes with `contents` and,
// only when they are the same, deletes it through that very handle. A file
// that is read-only or held open by another program is Failed. A junction or
// symbolic link in the file's place is never opened through, nor deleted:
// Different.
Removal RemoveFileIfContentIs(const std::string& path, std::string_view contents);

// One entry of a folder listing.
struct FindEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

// A folder listing in the system's order (find-first/find-next); the handle
// is closed when the object goes away.
class FileFinder {
  public:
    virtual ~FileFinder() = default;
    // The next entry, or nothing when the listing is exhausted.
    virtual std::optional<FindEntry> Next() = 0;
};

// Starts a listing for a pattern such as 'C:\Program Files\*.*'; nothing when
// it cannot be started.
std::unique_ptr<FileFinder> FindFiles(const std::string& pattern);

// The existing folder's or file's short (8.3) path as the system gives it
// (a part the system keeps no short name for stays as it is); nothing when
// the path does not exist.
std::optional<std::string> ShortPathOf(const std::string& path);

// Who owns a file or folder, as far as trusting what it holds goes.
enum class Owner {
    User,            // the account the program runs as
    Administrators,  // Administrators, SYSTEM or TrustedInstaller
    Other,           // any other account
    Unknown,         // the owner could not be read
};
Owner OwnerOf(const std::string& path);

// The serial number of the volume that holds a root such as 'E:\'; nothing
// when no volume is there (an empty card reader, a drive letter without a
// drive, a network drive that is not connected).
std::optional<std::uint32_t> VolumeSerialOf(const std::string& root);

// --- The ANSI code page -----------------------------------------------------
// The program's own texts are UTF-8 throughout. Older programs read and
// write the system's ANSI code page instead: DOSBox reads its configuration
// and its command line so, and this installer's earlier versions stored
// their records so.

// The text in the ANSI code page; nothing when a character has no form there
// (a best-fit look-alike, which would name another file, is never taken).
std::optional<std::string> AnsiFromUtf8(std::string_view text);
// Bytes in the ANSI code page as UTF-8.
std::string Utf8FromAnsi(std::string_view bytes);

// --- Errors -----------------------------------------------------------------

// The calling thread's last error code, as the call that failed last left
// it (GetLastError); read it right after a call above returned failure.
std::uint32_t LastErrorCode();
void SetLastErrorCode(std::uint32_t code);
// The system's own text for an error code, without its line end: 5 gives
// 'Access is denied.' on Windows.
std::string SystemErrorText(std::uint32_t code);

// --- Process ----------------------------------------------------------------

// The answer of the WOW64 query, as the shipped 32-bit executable would get it.
enum class Wow64Answer {
    QueryAbsent,  // the system has no IsWow64Process
    QueryFailed,  // the call itself failed
    No,
    Yes,
};
Wow64Answer QueryWow64();

// An environment variable of the process; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// The user's own folder for programs installed for them alone
// (FOLDERID_UserProgramFiles, Windows 7 and later); nothing where the system
// cannot name it (older Windows, and Wine 8, which refuses the identifier).
std::optional<std::string> UserProgramFilesFolder();

// The whole command line as the system reports it, program path included.
std::string CommandLine();

// The user's thousands separator (a no-break space in French, an apostrophe
// in Swiss German); empty when there is none.
std::string UserThousandsSeparator();

// The executable's file name with extension, e.g. 'tessaly-setup.exe'.
std::string ExecutableFileName();
// The executable's full path.
std::string ExecutablePath();

// Today's date on the user's clock.
struct LocalDate {
    int year = 0, month = 0, day = 0;
};
LocalDate Today();

// The bytes of one of the executable's RCDATA resources where they lie,
// found by name without regard to case; nothing when there is no such
// resource. They stay valid while the program runs (on the simulated machine,
// until the resource is set again), so nobody needs a copy to read them.
std::optional<std::string_view> FindRcData(const std::string& name);

// COM for the calling thread as a single-threaded apartment, released when
// the object goes away (CoInitialize / CoUninitialize). The initialisation
// result is kept, not judged: callers decide whether it matters.
class ComApartment {
  public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    long result() const { return result_; }

  private:
    long result_;
};

// --- One run at a time --------------------------------------------------------

// A named mutex of the user's session (Local\<name>), held while the object
// lives. Another process of the same user that asks for the same name gets
// nothing until it is released; one that ended without releasing it (it
// was killed) leaves it free.
class SessionLock {
  public:
    virtual ~SessionLock() = default;
};
// Takes the lock without waiting; nothing while another process holds it.
std::unique_ptr<SessionLock> TrySessionLock(const std::string& name);

// --- Registry ---------------------------------------------------------------
// Texts are UTF-8, as everywhere; key paths are below
// the root ('Software\\Microsoft\\...'). Failures leave the system's code as
// the last error code.

enum class RegistryRoot { CurrentUser, LocalMachine };
// Which view of a key a 32-bit program on 64-bit Windows reads: its own (the
// 32-bit one), or the other one asked for by name. HKEY_CURRENT_USER\Software
// is one and the same in every view; on 32-bit Windows there is one view.
enum class RegistryView { Own, Bits64, Bits32 };

// A string value (REG_SZ, or REG_EXPAND_SZ as stored); nothing when the key or
// the value is missing or holds another type.
std::optional<std::string> RegistryString(RegistryRoot root, const std::string& key,
                                          const std::string& name,
                                          RegistryView view = RegistryView::Own);
// The names of the key's direct subkeys; none when it cannot be opened.
std::vector<std::string> RegistrySubkeys(RegistryRoot root, const std::string& key,
                                         RegistryView view = RegistryView::Own);
// Writes a value, creating the key and its missing parents.
bool SetRegistryString(RegistryRoot root, const std::string& key, const std::string& name,
                       const std::string& value);
bool SetRegistryNumber(RegistryRoot root, const std::string& key, const std::string& name,
                       std::uint32_t value);  // REG_DWORD
// Deletes a key that has no subkeys, with its values. True when it is gone,
// also when it was not there.
bool DeleteRegistryKey(RegistryRoot root, const std::string& key);

// --- Running from a temporary copy --------------------------------------------
// A program cannot delete its own file while it runs. To remove itself, it
// hands its work to a copy in the temp folder that the system deletes once
// that copy has ended, and waits for the copy's result: so the process that
// was started ends only when the work is done, and nothing is left after it.

// The first argument of a copy's command line.
inline constexpr char kTemporaryCopySwitch[] = "/uninstall-copy";

// What became of a temporary copy.
struct TemporaryCopyRun {
    enum class Outcome {
        NotStarted,          // it could not be made or started: nothing ran (the
                             // last error code says why)
        EndedWithoutResult,  // it ran, and ended without handing back (killed,
                             // crashed): what it did is not known
        HandedBack,          // it handed back `result`
    };
    Outcome outcome = Outcome::NotStarted;
    int result = 0;
};

// Starts a copy of the running program in the temp folder, with
// kTemporaryCopySwitch, what it needs to reach this process, and then
// `arguments`, and waits until the copy hands back its result (HandBack) or
// ends. Nobody else can read, change or swap the copy's file; the copy runs
// in the system folder, and so does this process from here on, so that
// neither holds a folder the copy removes.
TemporaryCopyRun RunTemporaryCopy(const std::string& arguments);

// In such a copy: the path of the program that started it, as that program
// handed it over; nothing in any other process, nor for the switch typed by
// hand.
std::optional<std::string> OriginalExecutable();

// In such a copy: moves the original's file out of its folder into the temp
// folder (a running program's file may be renamed, though not deleted), so
// that its folder can go while it still waits; HandBack deletes it there.
// False when it cannot be moved (the temp folder on another drive, say).
bool MoveOriginalAside();

// In such a copy: hands the result to the original, which then ends with it
// as its exit code. With `deleteOriginal`, waits for that end and deletes the
// original's file, moved aside or where it was; true when it is gone. Does
// nothing, and gives false, in any other process.
bool HandBack(int result, bool deleteOriginal);

// --- Shell links and system error texts -------------------------------------

// What a shortcut holds, as the shell-link object reads it back.
struct ShellLinkValues {
    std::string target;
    std::string workingDirectory;
    std::string arguments;
    std::string description;
    std::string iconFile;
    int iconIndex = 0;
    int showCommand = 0;
    std::uint16_t hotKey = 0;

    bool operator==(const ShellLinkValues&) const = default;
};

// The shell-link object (CLSID_ShellLink) with its IShellLinkW and
// IPersistFile interfaces. The interfaces and the object are released, in
// that order, when it goes away. Texts go to the shell as NUL-terminated
// UTF-16 strings (an empty text as L"", never a null pointer); every call returns
// the shell's own HRESULT (32 bits; negative means failure).
class ShellLinkObject {
  public:
    virtual ~ShellLinkObject() = default;
    virtual std::int32_t SetPath(const std::string& target) = 0;
    virtual std::int32_t SetWorkingDirectory(const std::string& folder) = 0;
    virtual std::int32_t SetArguments(const std::string& arguments) = 0;
    virtual std::int32_t SetIconLocation(const std::string& iconFile, int iconIndex) = 0;
    virtual std::int32_t SetDescription(const std::string& description) = 0;
    virtual std::int32_t SetShowCmd(int showCommand) = 0;
    virtual std::int32_t SetHotkey(std::uint16_t hotKey) = 0;
    // IPersistFile::Save; an existing file of that name is replaced.
    virtual std::int32_t Save(const std::string& linkFile, bool remember) = 0;
    // IPersistFile::Load, for reading only.
    virtual std::int32_t Load(const std::string& linkFile) = 0;
    // The link's values through the IShellLinkW Get calls (the target as its
    // ID list names it, where it has one); texts the shell does not give stay
    // empty.
    virtual ShellLinkValues Values() = 0;
};

// What creating the object gave: the object, or the failing HRESULT of
// CoCreateInstance, or (with a successful result) that the object lacks one
// of the two interfaces.
struct ShellLinkCreation {
    std::unique_ptr<ShellLinkObject> object;
    std::int32_t result = 0;
    bool interfaceMissing = false;
};

// CoCreateInstance of the shell-link object (in-process or local server),
// asked for IUnknown first, then queried for IShellLinkW and IPersistFile.
// COM must be initialised on the calling thread.
ShellLinkCreation CreateShellLinkObject();

// The system's text for an error code (a Win32 code or an HRESULT), as
// FormatMessage gives it, line end included; empty when the system has none
// (SystemErrorText is built on it).
std::string SystemMessageText(std::uint32_t code);

}  // namespace platform
