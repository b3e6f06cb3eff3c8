#pragma once

#include <string>
#include <string_view>

// Text helpers for Windows paths and the names shown to the user. Plain
// ASCII rules throughout; no locale and no file system is consulted.

// 'A'..'Z' to 'a'..'z'; every other byte stays.
std::string LowerAscii(std::string text);
// 'a'..'z' to 'A'..'Z'; every other byte stays.
std::string UpperAscii(std::string text);

// Whether two paths name the same file or folder as Windows compares
// names: ASCII letters without regard to case, trailing backslashes aside
// ('C:\kr' and 'c:\KR\' are one). Other letters count as written, so two
// spellings of one non-ASCII name count as two: never as one of ours.
bool SamePath(std::string_view a, std::string_view b);

// The path ending with exactly one backslash; an empty path stays empty.
std::string AddBackslash(std::string path);

// The path without any trailing backslash ('C:\' gives 'C:').
std::string StripTrailingBackslashes(std::string path);

// Characters up to and including the last backslash or colon ('' when none).
std::string FolderPart(std::string_view path);
// Characters after the last backslash or colon (the whole text when none).
std::string FileNamePart(std::string_view path);

// The root of an absolute path as GetDriveTypeA takes it: 'C:\' for
// 'C:\kr\f', '\\server\share\' for a path below that share; '' for a
// relative path or a UNC path without a share.
std::string RootPart(std::string_view path);

// Moves the text before the first delimiter into head and the text after it
// into rest. A one-character delimiter text is that character; a longer one
// is a set of delimiter characters; an empty one never matches. rest and head
// may be the same variable.
void SplitFirst(std::string& rest, std::string_view delimiters, std::string& head);

// The lower-case file name cut before its first dot: 'C:\Data\Report.TXT'
// gives 'report'.
std::string LowerBaseName(std::string_view name);

// The text lower-cased with each word's first letter capitalised. Word
// characters are '-', '1'..'9' and the ASCII letters; '0' is not one.
std::string CapitalizeWords(std::string text);
