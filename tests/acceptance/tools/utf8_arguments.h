#pragma once

// The arguments of a test tool as UTF-8, split by the system from the wide
// command line: a path or a title in any script comes through whole, where
// the C runtime's argv would hold it in the ANSI code page.

#include <windows.h>
// windows.h first: shellapi.h builds on it.
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"

// The program's name first, as argv has it.
inline std::vector<std::string> Utf8Arguments() {
    int count = 0;
    const platform::win32::UniqueLocalMem owned(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> arguments;
    const auto* const* wide = static_cast<const wchar_t* const*>(owned.get());
    for (int i = 0; wide != nullptr && i < count; ++i) {
        arguments.push_back(platform::win32::Narrow(wide[i]));
    }
    return arguments;
}
