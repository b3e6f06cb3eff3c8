// A stand-in for a DLL that somebody put beside a downloaded program under a
// system library's name. Built once per name (CMakeLists.txt here), each copy
// forwards every export of the real library to the copy in the system
// folder, so that whatever loads it goes on working.
//
// When a process loads it, it appends one line to planted.log beside itself:
//
//   NAME <tab> WHEN <tab> REQUESTER <tab> PROGRAM <tab> STACK
//
// NAME is its own file name. WHEN is "start-up" when the system loaded it
// with the program's imports, before the program's entry point ran (Windows
// tells a DLL so through DllMain's third argument), else "run-time".
// REQUESTER, for a run-time load, is the module whose code asked for it: the
// first caller on the stack outside this DLL and the loader (ntdll,
// kernelbase, kernel32); "-" for a start-up load, where the stack leads back
// only to the process's start. PROGRAM is the process's executable; STACK
// the modules on the stack, innermost first.

#include <windows.h>

namespace {

constexpr DWORD kMostFrames = 62;  // what RtlCaptureStackBackTrace takes everywhere

// A growing line of UTF-8 text in a fixed buffer; what does not fit is cut.
class Line {
  public:
    void Add(const wchar_t* text) {
        const int room = static_cast<int>(sizeof buffer_) - length_;
        if (room > 0) {
            const int written = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer_ + length_, room,
                                                      nullptr, nullptr);
            length_ += written > 0 ? written - 1 : 0;
        }
    }
    void Add(const Line& other) {
        for (int i = 0; i < other.length_; ++i) {
            Add(other.buffer_[i]);
        }
    }
    void Add(char c) {
        if (length_ < static_cast<int>(sizeof buffer_)) {
            buffer_[length_++] = c;
        }
    }
    const char* data() const { return buffer_; }
    DWORD size() const { return static_cast<DWORD>(length_); }

  private:
    char buffer_[4096];
    int length_ = 0;
};

// The file name part of a path.
const wchar_t* BaseName(const wchar_t* path) {
    const wchar_t* name = path;
    for (const wchar_t* at = path; *at != L'\0'; ++at) {
        if (*at == L'\\' || *at == L'/') {
            name = at + 1;
        }
    }
    return name;
}

bool SameName(const wchar_t* a, const wchar_t* b) {
    return ::lstrcmpiW(a, b) == 0;
}

bool IsLoader(const wchar_t* name) {
    return SameName(name, L"ntdll.dll") || SameName(name, L"kernelbase.dll") ||
           SameName(name, L"kernel32.dll");
}

void Record(HMODULE self, bool atStartUp) {
    wchar_t selfPath[MAX_PATH] = {};
    ::GetModuleFileNameW(self, selfPath, MAX_PATH);
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);

    void* frames[kMostFrames] = {};
    const USHORT count = ::RtlCaptureStackBackTrace(0, kMostFrames, frames, nullptr);
    Line stack;
    HMODULE requester = nullptr;
    HMODULE previous = nullptr;
    wchar_t path[MAX_PATH];
    for (USHORT i = 0; i < count; ++i) {
        HMODULE module = nullptr;
        if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                      GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                  static_cast<LPCWSTR>(frames[i]), &module)) {
            continue;  // code outside every module (a thunk, a trampoline)
        }
        if (module == previous) {
            continue;
        }
        previous = module;
        path[0] = L'\0';
        ::GetModuleFileNameW(module, path, MAX_PATH);
        stack.Add(stack.size() > 0 ? L" " : L"");
        stack.Add(BaseName(path));
        if (requester == nullptr && module != self && !IsLoader(BaseName(path))) {
            requester = module;
        }
    }
    path[0] = L'\0';
    if (requester != nullptr && !atStartUp) {
        ::GetModuleFileNameW(requester, path, MAX_PATH);
    }

    Line line;
    line.Add(BaseName(selfPath));
    line.Add('\t');
    line.Add(atStartUp ? L"start-up" : L"run-time");
    line.Add('\t');
    line.Add(path[0] != L'\0' ? BaseName(path) : L"-");
    line.Add('\t');
    line.Add(program);
    line.Add('\t');
    if (stack.size() == 0) {
        line.Add('-');
    }
    line.Add(stack);
    line.Add('\r');
    line.Add('\n');

    // planted.log in this DLL's folder; appends from several processes do
    // not mix.
    wchar_t log[MAX_PATH + 16] = {};
    ::lstrcpynW(log, selfPath, MAX_PATH);
    ::lstrcpyW(const_cast<wchar_t*>(BaseName(log)), L"planted.log");
    const HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, line.data(), line.size(), &written, nullptr);
        ::CloseHandle(file);
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        // Not null for a DLL loaded with the program's imports.
        Record(instance, reserved != nullptr);
    }
    return TRUE;
}
