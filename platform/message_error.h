#pragma once

#include <exception>
#include <string>
#include <utility>

// An exception that keeps its text in a string of its own. std::runtime_error
// would carry it as well, but in the Windows builds' static runtime it brings
// along every standard exception class and the old library ABI's string; the
// installer's own exceptions derive from this instead.
class MessageError : public std::exception {
  public:
    explicit MessageError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

// A bug reported rather than hidden: an interface used against its contract
// (a message format whose directives do not match its values, a run started
// without an application).
class ProgrammingError : public MessageError {
  public:
    using MessageError::MessageError;
};
