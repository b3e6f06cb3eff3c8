#pragma once

#include <string>

#include "integration/write_result.h"

// A path as DOSBox 0.74 must be given it to read one argument: in double
// quotes when it holds a space (its own command line and "mount" split at
// blanks), else exactly as it is.
std::string DosBoxArgumentPath(const std::string& path);

// The bytes of 'dosbox.conf' for the program at programPath: the rs_Conf
// template (cut before any "mount c " it carries) followed by autoexec lines
// that mount the program's folder as drive C:, delete the old print file f,
// start the program with "/ns" and close DOSBox. The folder is written as
// DOSBox reads it (DosFolderPath, in the ANSI code page). A missing template
// raises EResNotFound.
std::string DosBoxConfigText(const std::string& programPath);

// Writes those bytes to 'dosbox.conf' in the folder of programPath, after
// every *.conf of the folder has gone to the Recycle Bin. The template is
// read before anything on disk is touched.
WriteResult WriteDosBoxConfig(const std::string& programPath);
