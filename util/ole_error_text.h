#pragma once

#include <cstdint>
#include <string>

// The HRESULT that carries a Win32 error code (HRESULT_FROM_WIN32); 0, a
// failure without a code, gives E_FAIL.
std::uint32_t HresultFromWin32(std::uint32_t code);

// The system's text for an error code (an HRESULT or a Win32 code) without
// its line end and closing period, so that it reads inside a sentence; an
// HRESULT that wraps a Win32 code has that code's text. "OLE error %.8x"
// with the code when the system has no text for it.
std::string OleErrorText(std::uint32_t code);
