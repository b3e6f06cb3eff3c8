#include "platform/win32/bitness.h"

#include <shlobj.h>

namespace platform::win32 {

#if defined(_WIN64) && defined(TESSALY_TWIN_AS_32BIT_WINDOWS)

// 64-bit twin standing in for the 32-bit exe on 32-bit Windows: WOW64 does not
// exist there, and Program Files is the one and only program folder.
Wow64Answer AdaptWow64Flag(BOOL) {
    return Wow64Answer::No;
}
int AdaptCsidl(int csidl) {
    return csidl;
}
REGSAM AdaptRegistryView(RegistryView) {
    return 0;
}

#elif defined(_WIN64)

// 64-bit twin standing in for the 32-bit exe on 64-bit Windows: a 64-bit
// process is never WOW64 itself, yet its Windows is 64-bit, which is what the
// 32-bit exe learns from the flag. Its Program Files is the 64-bit folder; the
// 32-bit exe is redirected to Program Files (x86).
Wow64Answer AdaptWow64Flag(BOOL) {
    return Wow64Answer::Yes;
}
int AdaptCsidl(int csidl) {
    return csidl == CSIDL_PROGRAM_FILES ? CSIDL_PROGRAM_FILESX86 : csidl;
}
REGSAM AdaptRegistryView(RegistryView view) {
    return view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

#else

// The shipped 32-bit exe: the system's answers as they are.
Wow64Answer AdaptWow64Flag(BOOL processIsWow64) {
    return processIsWow64 ? Wow64Answer::Yes : Wow64Answer::No;
}
int AdaptCsidl(int csidl) {
    return csidl;
}
REGSAM AdaptRegistryView(RegistryView view) {
    // Windows ignores both flags on 32-bit Windows, and under WOW64 a 32-bit
    // program's own view is the 32-bit one.
    switch (view) {
        case RegistryView::Bits64:
            return KEY_WOW64_64KEY;
        case RegistryView::Bits32:
            return KEY_WOW64_32KEY;
        case RegistryView::Own:
            break;
    }
    return 0;
}

#endif

}  // namespace platform::win32
