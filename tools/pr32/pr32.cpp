// pr32.exe, the print utility of the Tessaly demo payload: sends the file
// named on its command line to the default printer through the Windows
// spooler, or says why it cannot.
//
//   pr32 FILE
//
// The DOS program writes its print file "f" with the printer's own line ends
// and codes, so the bytes go to the spooler unchanged (data type RAW), as one
// document named after the file. Exit codes: 0 printed (or nothing to
// print), 1 wrong command line, 2 file not readable, 3 no default printer,
// 4 the spooler refused the document.
//
// Started from a shortcut (the demo's "Print F"), the program has a console of
// its own that closes the moment it ends; then a failure is also shown in a
// message box, so the user can read it.

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include "platform/win32/unique_handle.h"

namespace {

using platform::win32::UniqueFileHandle;
using platform::win32::UniqueHandle;

struct PrinterTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::ClosePrinter(h); }
};
using UniquePrinter = UniqueHandle<PrinterTraits>;

// A started spooler document with its one page, both ended on every path out.
class PrintedDocument {
  public:
    PrintedDocument(HANDLE printer, const std::string& name) : printer_(printer) {
        DOC_INFO_1A info{};
        info.pDocName = const_cast<char*>(name.c_str());
        info.pDatatype = const_cast<char*>("RAW");
        started_ = ::StartDocPrinterA(printer_, 1, reinterpret_cast<BYTE*>(&info)) != 0;
        pageStarted_ = started_ && ::StartPagePrinter(printer_) != 0;
    }
    ~PrintedDocument() {
        if (pageStarted_) {
            ::EndPagePrinter(printer_);
        }
        if (started_) {
            ::EndDocPrinter(printer_);
        }
    }
    PrintedDocument(const PrintedDocument&) = delete;
    PrintedDocument& operator=(const PrintedDocument&) = delete;

    bool started() const { return pageStarted_; }

  private:
    HANDLE printer_;
    bool started_ = false;
    bool pageStarted_ = false;
};

bool OwnsItsConsole() {
    DWORD processes[2];
    return ::GetConsoleProcessList(processes, 2) == 1;
}

int Fail(int code, const std::string& text) {
    std::fprintf(stderr, "pr32: %s\n", text.c_str());
    if (OwnsItsConsole()) {
        ::MessageBoxA(nullptr, text.c_str(), "Print F", MB_OK | MB_ICONWARNING);
    }
    return code;
}

std::string SystemText(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length != 0 ? std::string(buffer, length) : "error " + std::to_string(error);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, DWORD& error) {
    UniqueFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.valid() || !::GetFileSizeEx(file.get(), &size)) {
        error = ::GetLastError();
        return false;
    }
    if (size.QuadPart > 64 * 1024 * 1024) {
        error = ERROR_FILE_TOO_LARGE;
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size())) {
        error = ::GetLastError();
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return Fail(1, "usage: pr32 FILE (sends FILE to the default printer)");
    }
    const std::string path = argv[1];

    std::string bytes;
    DWORD error = 0;
    if (!ReadWholeFile(path, bytes, error)) {
        return Fail(2, "cannot read " + path + ": " + SystemText(error) + ".");
    }
    if (bytes.empty()) {
        std::printf("pr32: %s is empty; nothing to print.\n", path.c_str());
        return 0;
    }

    char printerName[512];
    DWORD nameLength = sizeof printerName;
    if (!::GetDefaultPrinterA(printerName, &nameLength)) {
        error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return Fail(3,
                        "there is no default printer. Choose one in the Windows printer "
                        "settings, then print " +
                            path + " again.");
        }
        return Fail(3, "cannot find the default printer: " + SystemText(error) + ".");
    }

    HANDLE opened = nullptr;
    if (!::OpenPrinterA(printerName, &opened, nullptr)) {
        return Fail(4, std::string("cannot open the printer ") + printerName + ": " +
                           SystemText(::GetLastError()) + ".");
    }
    UniquePrinter printer(opened);
    PrintedDocument document(printer.get(), path);
    if (!document.started()) {
        return Fail(4, std::string("the printer ") + printerName +
                           " refused the document: " + SystemText(::GetLastError()) + ".");
    }
    DWORD written = 0;
    if (!::WritePrinter(printer.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written) ||
        written != bytes.size()) {
        return Fail(4, std::string("the printer ") + printerName + " did not take all of " + path +
                           ": " + SystemText(::GetLastError()) + ".");
    }
    std::printf("pr32: sent %s (%lu bytes) to %s.\n", path.c_str(),
                static_cast<unsigned long>(bytes.size()), printerName);
    return 0;
}
