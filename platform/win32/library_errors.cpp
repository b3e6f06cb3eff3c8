// The standard library reports a misuse or a failure it cannot return (a
// string or vector asked for more than it can hold, a position past the end,
// a bad cast) by calling one of these functions of the runtime. The runtime's
// own versions throw std::length_error and its kin, whose constructors come in
// one archive member with every standard exception class, the old library
// ABI's reference-counted string that they keep their text in, and a printf of
// their own: some 20 KB of the exe for errors that only a bug can raise. These
// throw the same texts as MessageError, which the toolkit's error box shows
// as it shows any std::exception; the failures that have a text-free standard
// class keep it. All fifteen functions
// of that archive member are here, so the linker never takes it: were one
// missing, the member would come back and the link fail on the others.

#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>
#include <typeinfo>

#include "platform/message_error.h"

namespace std {

void __throw_bad_exception() {
    throw std::bad_exception();
}
void __throw_bad_alloc() {
    throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
    throw std::bad_array_new_length();
}
void __throw_bad_cast() {
    throw std::bad_cast();
}
void __throw_bad_typeid() {
    throw std::bad_typeid();
}
void __throw_logic_error(const char* text) {
    throw MessageError(text);
}
void __throw_domain_error(const char* text) {
    throw MessageError(text);
}
void __throw_invalid_argument(const char* text) {
    throw MessageError(text);
}
void __throw_length_error(const char* text) {
    throw MessageError(text);
}
void __throw_out_of_range(const char* text) {
    throw MessageError(text);
}
void __throw_out_of_range_fmt(const char* format, ...) {
    // The runtime's formats use %s and %zu; the C runtime's own _vsnprintf
    // (the standard name would bring in a printf of MinGW's) spells the
    // width of a size_t "I".
    std::string spelled(format);
    for (auto at = spelled.find("%zu"); at != std::string::npos; at = spelled.find("%zu", at)) {
        spelled[at + 1] = 'I';
    }
    char text[512];
    va_list values;
    va_start(values, format);
    const int length = _vsnprintf(text, sizeof text - 1, spelled.c_str(), values);
    va_end(values);
    text[length < 0 ? sizeof text - 1 : static_cast<std::size_t>(length)] = '\0';
    throw MessageError(text);
}
void __throw_runtime_error(const char* text) {
    throw MessageError(text);
}
void __throw_range_error(const char* text) {
    throw MessageError(text);
}
void __throw_overflow_error(const char* text) {
    throw MessageError(text);
}
void __throw_underflow_error(const char* text) {
    throw MessageError(text);
}

}  // namespace std
