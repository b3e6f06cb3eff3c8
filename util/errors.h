#pragma once

#include <string>

#include "platform/message_error.h"

// The few failures that travel as exceptions. Each carries the exact text the
// user is shown; everything else in the installer reports through results.
class InstallerError : public MessageError {
  public:
    using MessageError::MessageError;
};

// A named resource is missing from the executable: "Resource %s not found",
// with the name as it was asked for.
class EResNotFound : public InstallerError {
  public:
    explicit EResNotFound(const std::string& name)
        : InstallerError("Resource " + name + " not found") {}
};

// zlib refused a payload stream; the message is "Error". Whoever knows which
// item it was may raise it again with that said on a line of its own below.
class EDecompressionError : public InstallerError {
  public:
    EDecompressionError() : InstallerError("Error") {}
    explicit EDecompressionError(const std::string& detail)
        : InstallerError("Error\r\n\r\n" + detail) {}
};

// A payload item breaks the container's limits (too short, name too long,
// unsafe name, size field that disagrees with the stream).
class EPayloadFormatError : public InstallerError {
  public:
    using InstallerError::InstallerError;
};

// The WOW64 query exists but failed for the current process.
class EBadProcessHandle : public InstallerError {
  public:
    EBadProcessHandle() : InstallerError("Bad process handle") {}
};

// A COM object could not be created; the text names the failure and the class.
class EOleSysError : public InstallerError {
  public:
    using InstallerError::InstallerError;
};

// A COM object lacks an interface the caller needs.
class EIntfCastError : public InstallerError {
  public:
    EIntfCastError() : InstallerError("Interface not supported") {}
};
