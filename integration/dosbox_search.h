#pragma once

#include <optional>
#include <string>

// Full path of dosbox.exe, all lower case, or empty. Set once by the start-up
// check on 64-bit Windows, before any window exists; read afterwards by the
// DOSBox shortcut step.
extern std::string DosBoxPath;

// Looks for DOSBox under Program Files: the first listed entry (hidden and
// system ones skipped) whose lower-cased name contains "dosbox" and that
// holds dosbox.exe. The output receives that lower-cased path and the result
// is true; when no entry holds the program, the result is false and the
// output holds the first candidate, or nothing.
bool FindDosBox(std::string& path);

// Where today's DOSBox versions install, looked through when the classic
// search of the 32-bit Program Files folder finds nothing (FindDosBox). In
// this order, the first place that holds the program (dosbox.exe, or
// DOSBox-X's dosbox-x.exe) wins:
//   1. the 64-bit Program Files folder (DOSBox Staging for all users);
//   2. the user's own Programs folder (DOSBox Staging's default, per user);
//   3. the Path values of Software\dosbox-staging and Software\DOSBox-X,
//      then the InstallLocation of Uninstall entries whose DisplayName
//      begins with "DOSBox": HKCU, then HKLM's 64-bit view, then its 32-bit
//      view (a DOSBox installed anywhere by an installer that records it);
//   4. the root of the Windows drive (DOSBox-X's C:\DOSBox-X), where every
//      signed-in user may make folders: only a folder and program owned by
//      the user, Administrators, SYSTEM or TrustedInstaller count;
//   5. shortcuts in the Start menu Programs folders (all users', then the
//      user's) and their subfolders one level down whose target is an
//      existing program (DOSBox 0.74-3 installed anywhere).
// In folders 1, 2 and 4 the first entry named like "dosbox" (hidden and
// system entries skipped) that holds the program counts. A value or
// shortcut naming a place without the program is passed over.
//
// The full path of the program, lower-cased; nothing when no place holds
// one.
std::optional<std::string> FindDosBoxElsewhere();

// In a folder (with its backslash) the first entry named like "dosbox",
// hidden and system entries skipped, that holds one of the programs: its
// path as listed. `firstCandidate` gets that entry's path to dosbox.exe for
// the first entry named so, whatever it holds (the classic search reports
// it when nothing is found).
// `OwnedOnly` passes over an entry whose folder or program another account
// owns, as one without the program is.
enum class FolderTrust { AnyOwner, OwnedOnly };
std::optional<std::string> FindInDosBoxFolder(const std::string& base, bool dosBoxExeOnly,
                                              std::string* firstCandidate = nullptr,
                                              FolderTrust trust = FolderTrust::AnyOwner);
