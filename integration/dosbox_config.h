#pragma once

#include <string>

#include "integration/write_result.h"

// A path as DOSBox 0.74 must be given it to read one argument: in double
// quotes when it holds a space (its own command line and "mount" split at
// blanks), else exactly as it is.
std::string DosBoxArgumentPath(const std::string& path);

// Writes 'dosbox.conf' into the folder of programPath: the rs_Conf template
// (cut before any "mount c " it carries) followed by autoexec lines that
// mount that folder as drive C:, delete the old print file f, start the
// program with "/ns" and close DOSBox. Every *.conf of the folder goes to the
// Recycle Bin first. The template is read before anything on disk is
// touched; a missing one raises EResNotFound.
WriteResult WriteDosBoxConfig(const std::string& programPath);
