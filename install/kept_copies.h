#pragma once

#include <string>

// Keeps the old copy of every file a run replaces whose bytes differ from
// the new contents, so that a reinstall never destroys what the user or the
// program changed since the last one.
//
// On a fixed drive the copies go to the Recycle Bin, from which the shell
// restores each to its place. Windows has no bin on removable, network or
// other drives and deletes for good there, so on those the copies move into
// a folder KEPTnnnn (the first free number, one per run) inside the
// installation folder, where the user and a DOS program both see them.
class KeptCopies {
  public:
    // `folder` is the installation folder with its trailing backslash.
    explicit KeptCopies(std::string folder);

    // Runs with the new contents of `path` ready, before it is replaced.
    // True when nothing needed keeping (no such file, the same bytes, or a
    // read-only file, which the replace refuses and leaves in place) or the
    // old file is now kept; false, with the last error code set and the file
    // where it was, when it could not be read or kept.
    bool KeepIfChanged(const std::string& path, const std::string& contents);

    // One line for the final message saying how many were kept and where;
    // empty when none was.
    std::string Notice() const;

  private:
    bool MoveToKeptFolder(const std::string& path);

    std::string folder_;
    bool toRecycleBin_;
    std::string keptFolder_;  // made at the first copy on a drive without a bin
    int count_ = 0;
};
