// Who owns a file, and a lock of the user's session: what tells the
// program's own places and runs from those of other accounts.

#include <windows.h>
// windows.h first: the security headers build on it.
#include <aclapi.h>

#include <vector>

#include "platform/platform.h"
#include "platform/win32/security.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::UniqueKernelHandle;

namespace win32 {

std::vector<unsigned char> UserSid() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) {
        return {};
    }
    const UniqueKernelHandle token(raw);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
    const auto* bytes = static_cast<const unsigned char*>(sid);
    return std::vector<unsigned char>(bytes, bytes + ::GetLengthSid(sid));
}

}  // namespace win32

namespace {

bool IsWellKnown(PSID sid, WELL_KNOWN_SID_TYPE type) {
    unsigned char buffer[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof buffer;
    return ::CreateWellKnownSid(type, nullptr, buffer, &size) && ::EqualSid(sid, buffer);
}

// NT SERVICE\TrustedInstaller, which owns the files Windows itself installs.
bool IsTrustedInstaller(PSID sid) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID trusted = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 6, 80, 956008885, 3418522649, 1831038044, 1853292631,
                                    2271478464, 0, 0, &trusted)) {
        return false;
    }
    const bool same = ::EqualSid(sid, trusted);
    ::FreeSid(trusted);
    return same;
}

}  // namespace

Owner OwnerOf(const std::string& path) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring name = win32::Wide(path);
    if (::GetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return Owner::Unknown;
    }
    const win32::UniqueLocalMem held(descriptor);
    if (owner == nullptr || !::IsValidSid(owner)) {
        return Owner::Unknown;
    }
    std::vector<unsigned char> user = win32::UserSid();
    if (!user.empty() && ::EqualSid(owner, user.data())) {
        return Owner::User;
    }
    if (IsWellKnown(owner, WinBuiltinAdministratorsSid) || IsWellKnown(owner, WinLocalSystemSid) ||
        IsTrustedInstaller(owner)) {
        return Owner::Administrators;
    }
    return Owner::Other;
}

namespace {

class Win32SessionLock final : public SessionLock {
  public:
    explicit Win32SessionLock(UniqueKernelHandle mutex) : mutex_(std::move(mutex)) {}
    ~Win32SessionLock() override { ::ReleaseMutex(mutex_.get()); }

  private:
    UniqueKernelHandle mutex_;
};

}  // namespace

std::unique_ptr<SessionLock> TrySessionLock(const std::string& name) {
    UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, win32::Wide("Local\\" + name).c_str()));
    if (!mutex.valid()) {
        return nullptr;
    }
    // An owner that ended without releasing it left it abandoned: free.
    const DWORD waited = ::WaitForSingleObject(mutex.get(), 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        return nullptr;
    }
    return std::make_unique<Win32SessionLock>(std::move(mutex));
}

}  // namespace platform
