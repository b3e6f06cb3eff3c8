#include <windows.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/win32/file_content.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::Narrow;
using win32::UniqueFileHandle;
using win32::UniqueFindHandle;
using win32::Wide;

DriveType DriveTypeOf(const std::string& root) {
    return static_cast<DriveType>(::GetDriveTypeW(Wide(root).c_str()));
}

std::uint32_t FileAttributesOf(const std::string& path) {
    return ::GetFileAttributesW(Wide(path).c_str());
}

bool MakeDirectory(const std::string& path) {
    return ::CreateDirectoryW(Wide(path).c_str(), nullptr);
}

bool RemoveFile(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str());
}

bool RemoveFolder(const std::string& path) {
    return ::RemoveDirectoryW(Wide(path).c_str());
}

namespace {

// A text a call writes into a buffer of the caller's, asking again with the
// length it reports when the first buffer was too small.
template <typename Call>
std::string BufferedText(Call call) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = call(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return win32::Narrow(buffer);
        }
        buffer.assign(length + 1, L'\0');
    }
    return {};
}

}  // namespace

std::string TempFolder() {
    return BufferedText([](DWORD size, wchar_t* buffer) { return ::GetTempPathW(size, buffer); });
}

std::string CurrentDirectory() {
    return BufferedText(
        [](DWORD size, wchar_t* buffer) { return ::GetCurrentDirectoryW(size, buffer); });
}

bool FileExists(const std::string& path) {
    // Attributes answer even for a file that another process holds open.
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

class Win32WritableFile final : public WritableFile {
  public:
    explicit Win32WritableFile(UniqueFileHandle handle) : handle_(std::move(handle)) {}

    bool Write(const std::string& bytes) override {
        DWORD written = 0;
        if (!::WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr)) {
            return false;
        }
        if (written != bytes.size()) {
            ::SetLastError(ERROR_DISK_FULL);  // a short write reports no error of its own
            return false;
        }
        return true;
    }
    bool Flush() override { return ::FlushFileBuffers(handle_.get()); }

  private:
    UniqueFileHandle handle_;
};

class Win32FileFinder final : public FileFinder {
  public:
    Win32FileFinder(UniqueFindHandle handle, const WIN32_FIND_DATAW& first)
        : handle_(std::move(handle)), pending_(first), hasPending_(true) {}

    std::optional<FindEntry> Next() override {
        if (!hasPending_) {
            if (!::FindNextFileW(handle_.get(), &pending_)) {
                return std::nullopt;
            }
        }
        hasPending_ = false;
        return FindEntry{Narrow(pending_.cFileName), pending_.dwFileAttributes};
    }

  private:
    UniqueFindHandle handle_;
    WIN32_FIND_DATAW pending_;
    bool hasPending_;
};

}  // namespace

std::unique_ptr<WritableFile> CreateFileForWrite(const std::string& path) {
    UniqueFileHandle handle(::CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                          nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        return nullptr;
    }
    return std::make_unique<Win32WritableFile>(std::move(handle));
}

std::string CreateUniqueFileBeside(const std::string& target) {
    const std::size_t cut = target.find_last_of("\\:");
    const std::string folder = cut == std::string::npos ? "." : target.substr(0, cut + 1);
    wchar_t path[MAX_PATH + 1] = {};
    if (::GetTempFileNameW(Wide(folder).c_str(), L"~ts", 0, path) == 0) {
        return {};
    }
    return Narrow(path);
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    // Windows refuses to replace a read-only file; say so here as well, since
    // not every system that runs the program checks it (Wine, for one).
    const DWORD attributes = ::GetFileAttributesW(Wide(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return ::MoveFileExW(Wide(source).c_str(), Wide(target).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

namespace {

UniqueFileHandle OpenForReading(const std::string& path) {
    return UniqueFileHandle(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                          nullptr));
}

}  // namespace

std::optional<std::uint64_t> FileSizeOf(const std::string& path) {
    const UniqueFileHandle handle = OpenForReading(path);
    LARGE_INTEGER size;
    if (!handle.valid() || !::GetFileSizeEx(handle.get(), &size)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const UniqueFileHandle handle = OpenForReading(path);
    LARGE_INTEGER size;
    if (!handle.valid() || !::GetFileSizeEx(handle.get(), &size)) {
        return std::nullopt;
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                       &read, nullptr) ||
                           read != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

using SetFileInformationByHandleFn = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID,
                                                   DWORD);

// Looked up, since it came with Windows Vista: the exe still starts on XP.
SetFileInformationByHandleFn SetFileInformationByHandleFunction() {
    return reinterpret_cast<SetFileInformationByHandleFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle")));
}

}  // namespace

namespace win32 {

Content CompareContent(HANDLE file, std::string_view contents) {
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file, &size)) {
        return Content::Unreadable;
    }
    if (static_cast<std::uint64_t>(size.QuadPart) != contents.size()) {
        return Content::Different;
    }
    char buffer[64 * 1024];
    std::size_t at = 0;
    while (at < contents.size()) {
        DWORD read = 0;
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, contents.size() - at));
        if (!::ReadFile(file, buffer, want, &read, nullptr)) {
            return Content::Unreadable;
        }
        if (read == 0 || contents.compare(at, read, buffer, read) != 0) {
            return Content::Different;
        }
        at += read;
    }
    return Content::Same;
}

}  // namespace win32

Removal RemoveFileIfContentIs(const std::string& path, std::string_view contents) {
    // No sharing: from the comparison to the delete, nobody else may write.
    // A junction or symbolic link is opened as itself, never followed.
    UniqueFileHandle handle(
        ::CreateFileW(Wide(path).c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                      FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle.valid()) {
        const DWORD error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
        ::SetLastError(error);
        const bool missing =
            (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ||
            (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
        return missing ? Removal::Missing : Removal::Failed;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(handle.get(), &information)) {
        return Removal::Failed;
    }
    if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        return Removal::Different;
    }
    switch (win32::CompareContent(handle.get(), contents)) {
        case win32::Content::Same:
            break;
        case win32::Content::Different:
            return Removal::Different;
        case win32::Content::Unreadable:
            return Removal::Failed;
    }
    // A read-only file refuses either delete with ERROR_ACCESS_DENIED, and stays.
    if (const auto setInformation = SetFileInformationByHandleFunction()) {
        FILE_DISPOSITION_INFO disposition = {TRUE};
        return setInformation(handle.get(), FileDispositionInfo, &disposition, sizeof disposition)
                   ? Removal::Removed
                   : Removal::Failed;
    }
    // Windows XP cannot delete through a handle: the file is deleted by name
    // right after the handle is closed.
    handle.reset();
    return ::DeleteFileW(Wide(path).c_str()) ? Removal::Removed : Removal::Failed;
}

bool MoveFileTo(const std::string& source, const std::string& target) {
    return ::MoveFileExW(Wide(source).c_str(), Wide(target).c_str(), MOVEFILE_WRITE_THROUGH);
}

bool SetFileDosDate(const std::string& path, std::uint32_t dosDateTime) {
    UniqueFileHandle handle(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) {
        return false;
    }
    FILETIME local;
    FILETIME utc;
    if (!::DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local) ||
        !::LocalFileTimeToFileTime(&local, &utc)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);  // a date no file time can hold
        return false;
    }
    return ::SetFileTime(handle.get(), nullptr, nullptr, &utc);
}

std::optional<std::string> ShortPathOf(const std::string& path) {
    const std::wstring wide = Wide(path);
    const DWORD length = ::GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (length == 0) {
        return std::nullopt;
    }
    std::wstring buffer(length, L'\0');
    const DWORD written = ::GetShortPathNameW(wide.c_str(), buffer.data(), length);
    if (written == 0 || written >= length) {
        return std::nullopt;
    }
    buffer.resize(written);
    return Narrow(buffer);
}

std::optional<std::uint32_t> VolumeSerialOf(const std::string& root) {
    // No "insert a disk" box for an empty drive: the answer is only nothing.
    const UINT mode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD serial = 0;
    const bool known = ::GetVolumeInformationW(Wide(root).c_str(), nullptr, 0, &serial, nullptr,
                                               nullptr, nullptr, 0);
    const DWORD error = ::GetLastError();
    ::SetErrorMode(mode);
    ::SetLastError(error);
    return known ? std::optional<std::uint32_t>(serial) : std::nullopt;
}

std::unique_ptr<FileFinder> FindFiles(const std::string& pattern) {
    WIN32_FIND_DATAW data;
    UniqueFindHandle handle(::FindFirstFileW(Wide(pattern).c_str(), &data));
    if (!handle.valid()) {
        return nullptr;
    }
    return std::make_unique<Win32FileFinder>(std::move(handle), data);
}

}  // namespace platform
