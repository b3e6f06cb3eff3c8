#include "util/format.h"

#include <cmath>

#include "platform/message_error.h"
#include "platform/platform.h"

namespace {

std::string GroupThousands(const std::string& digits, std::string_view separator) {
    std::string grouped;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        grouped += digits[i];
        const std::size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) {
            grouped += separator;
        }
    }
    return grouped;
}

// "%.<p>n": the value with p decimals, rounded half away from zero, and its
// whole part grouped in threes. Worked out on integers, so the exe needs no
// floating-point printf.
std::string FormatNumber(double value, int decimals, std::string_view separator) {
    const bool negative = value < 0;
    double scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const auto scaled = static_cast<unsigned long long>(std::llround(std::fabs(value) * scale));
    std::string digits = std::to_string(scaled);
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    const std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    const std::string fraction =
        decimals > 0 ? "." + digits.substr(digits.size() - static_cast<std::size_t>(decimals)) : "";
    std::string result = GroupThousands(whole, separator) + fraction;
    if (negative && scaled != 0) {
        result.insert(result.begin(), '-');
    }
    return result;
}

[[noreturn]] void BadFormat(std::string_view format) {
    throw ProgrammingError("bad format: " + std::string(format));
}

std::string FormatWithSeparator(std::string_view format, std::initializer_list<FormatArg> args,
                                std::string_view thousandsSeparator) {
    std::string out;
    auto next = args.begin();
    auto take = [&]() -> const FormatArg& {
        if (next == args.end()) {
            BadFormat(format);
        }
        return *next++;
    };

    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= format.size()) {
            BadFormat(format);
        }
        if (format[i] == '%') {
            out += '%';
            continue;
        }
        int precision = -1;
        if (format[i] == '.') {
            precision = 0;
            while (++i < format.size() && format[i] >= '0' && format[i] <= '9') {
                precision = precision * 10 + (format[i] - '0');
            }
            if (i >= format.size()) {
                BadFormat(format);
            }
        }
        const auto& value = take().value();
        switch (format[i]) {
            case 's':
                if (!std::holds_alternative<std::string_view>(value)) {
                    BadFormat(format);
                }
                out += std::get<std::string_view>(value);
                break;
            case 'd':
                if (!std::holds_alternative<std::int64_t>(value)) {
                    BadFormat(format);
                }
                out += std::to_string(std::get<std::int64_t>(value));
                break;
            case 'x': {
                // As printf gives an unsigned int: lower-case digits, at
                // least `precision` of them.
                if (!std::holds_alternative<std::int64_t>(value)) {
                    BadFormat(format);
                }
                auto number = static_cast<std::uint32_t>(std::get<std::int64_t>(value));
                std::string digits;
                do {
                    digits.insert(digits.begin(), "0123456789abcdef"[number % 16]);
                    number /= 16;
                } while (number != 0);
                if (precision > static_cast<int>(digits.size())) {
                    digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
                }
                out += digits;
                break;
            }
            case 'n': {
                double number = 0;
                if (std::holds_alternative<double>(value)) {
                    number = std::get<double>(value);
                } else if (std::holds_alternative<std::int64_t>(value)) {
                    number = static_cast<double>(std::get<std::int64_t>(value));
                } else {
                    BadFormat(format);
                }
                out += FormatNumber(number, precision < 0 ? 2 : precision, thousandsSeparator);
                break;
            }
            default:
                BadFormat(format);
        }
    }
    if (next != args.end()) {
        BadFormat(format);
    }
    return out;
}

// Whether the format has a %n directive (the only one that needs the user's
// thousands separator).
bool UsesNumberDirective(std::string_view format) {
    for (std::size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        std::size_t j = i + 1;
        if (format[j] == '%') {
            i = j;
            continue;
        }
        while (j < format.size() && (format[j] == '.' || (format[j] >= '0' && format[j] <= '9'))) {
            ++j;
        }
        if (j < format.size() && format[j] == 'n') {
            return true;
        }
        i = j;
    }
    return false;
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
    const bool needsSeparator = UsesNumberDirective(format);
    return FormatWithSeparator(format, args,
                               needsSeparator ? platform::UserThousandsSeparator() : ",");
}

void AppendParagraph(std::string& text, std::string_view paragraph) {
    if (paragraph.empty()) {
        return;
    }
    if (!text.empty()) {
        text += "\r\n\r\n";
    }
    text += paragraph;
}
