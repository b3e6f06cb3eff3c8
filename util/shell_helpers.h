#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Windows shell and file helpers. They reach the system only through the
// platform seam, keep no state and show nothing to the user.

// The special folder's path without a trailing backslash, or '' on failure.
std::string GetSpecialFolderPath(int csidl);

// True when a folder (not a file) of that name exists; a relative name is
// taken from the current directory.
bool FolderExists(const std::string& path);

// The folder path as CreateInstallFolder takes it: an absolute path as it
// is, a relative one below the current directory (without a trailing
// backslash).
std::string AbsoluteFolderPath(const std::string& path);

// Makes the folder exist with every missing parent, outermost first. On
// success the path is replaced by its absolute form (a relative path is taken
// from the current directory); on failure it is left as it was, and the last
// error code is the failed creation's.
bool CreateInstallFolder(std::string& path);

// Writes the whole contents in one write, replacing any file of that name.
// Empty contents delete the file instead: no zero-length file is ever left.
// The contents go to a new file beside the target first, which replaces the
// target only once every byte is written, so a failed or short write (a full
// disk, a read-only or locked target) leaves the old file exactly as it was.
// True when the file now holds the contents (or, for empty contents, when
// the delete succeeded); callers may ignore it. After a failure the last
// error code (platform::LastErrorCode) is the failed step's.
// `beforeReplace`, when given, runs once every byte is written and before
// the target is touched; when it gives false, the new file is removed and
// nothing replaced, and its last error code is the one reported.
bool WriteStringToFile(const std::string& fileName, const std::string& contents,
                       const std::function<bool()>& beforeReplace = nullptr);

// Sends the files matching 'folder\pattern' to the Recycle Bin, silently; true
// when the shell reports success.
bool DeleteFilesByMask(const std::string& mask);

// Sends one file to the Recycle Bin as DeleteFilesByMask does, except that
// where the shell would destroy it instead (a bin that is switched off or too
// small) it asks the user first. True only when the file is gone; otherwise
// the last error code is the shell's reason, the reason the file cannot be
// read, or ERROR_CANCELLED when the user kept it.
bool RecycleFile(const std::string& path);

// True on 64-bit Windows. Raises EBadProcessHandle when the WOW64 query itself
// fails; a system without the query is 32-bit.
bool Is64BitWindows();
