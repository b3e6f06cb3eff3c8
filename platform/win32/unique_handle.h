#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

// A move-only owner of one OS handle. Traits name the handle type, the value
// that means "no handle" and the call that releases one. No conversion back to
// the raw handle: get() is explicit.
template <typename Traits>
class UniqueHandle {
  public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.handle_, Traits::Invalid()));
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Type get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }
    void reset(Type handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Type handle_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    // Closing keeps the last error, so that a failure's reason survives the
    // clean-up that follows it.
    static void Close(Type h) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(h);
        ::SetLastError(error);
    }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// Handles whose "none" is null (processes, threads, pipes), closed the same way.
struct KernelHandleTraits : FileHandleTraits {
    static Type Invalid() { return nullptr; }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

// Item-identifier lists handed out by the shell, freed with CoTaskMemFree.
struct CoTaskMemTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { ::CoTaskMemFree(p); }
};
using UniqueCoTaskMem = UniqueHandle<CoTaskMemTraits>;

// A COM interface pointer, released once.
template <typename Interface>
struct ComTraits {
    using Type = Interface*;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { p->Release(); }
};
template <typename Interface>
using UniqueCom = UniqueHandle<ComTraits<Interface>>;
// Buffers the system allocated for the caller, freed with LocalFree.
struct LocalMemTraits {
    using Type = void*;
    static Type Invalid() { return nullptr; }
    static void Close(Type p) { ::LocalFree(p); }
};
using UniqueLocalMem = UniqueHandle<LocalMemTraits>;

// An open registry key, closed once.
struct RegistryKeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type k) { ::RegCloseKey(k); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// A library loaded at run time, freed once.
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type m) { ::FreeLibrary(m); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

}  // namespace platform::win32
