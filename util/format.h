#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

// One value for Format: text, a whole number or a floating-point number.
// Text is held as a view: a FormatArg is written in the Format call that
// reads it and lives no longer, and literals then cost no string each.
class FormatArg {
  public:
    FormatArg(std::string_view text) : value_(text) {}
    FormatArg(const std::string& text) : value_(std::string_view(text)) {}
    FormatArg(const char* text) : value_(std::string_view(text)) {}
    FormatArg(int number) : value_(static_cast<std::int64_t>(number)) {}
    FormatArg(unsigned number) : value_(static_cast<std::int64_t>(number)) {}
    FormatArg(std::int64_t number) : value_(number) {}
    FormatArg(double number) : value_(number) {}

    const std::variant<std::string_view, std::int64_t, double>& value() const { return value_; }

  private:
    std::variant<std::string_view, std::int64_t, double> value_;
};

// printf-style formatting for the installer's messages. Supported: %s (text),
// %d (whole number), %.<p>x (whole number in lower-case hexadecimal, at least
// p digits), %.<p>n (number with the user's thousands separator and p
// decimals) and %% for a percent sign. A directive whose value is missing or of
// the wrong kind raises ProgrammingError: a message format is a programming
// constant, so a mismatch is a bug, never user input.
std::string Format(std::string_view format, std::initializer_list<FormatArg> args);

// Adds the paragraph after the text with a blank line between them ("\r\n"
// twice); an empty paragraph adds nothing and an empty text gets no blank line.
void AppendParagraph(std::string& text, std::string_view paragraph);
