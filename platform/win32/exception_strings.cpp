// The standard exception classes (std::runtime_error, std::length_error, ...)
// keep their message in the reference-counted std::string of the old library
// ABI, so that copying an exception never allocates. The installer's own code
// does without them (platform/message_error.h, library_errors.cpp), but code that
// constructs one makes the linker take the archive member with all of those
// classes, and that member needs a few members of the old string. In the
// static runtime that string comes as one archive member holding every one of
// its members, and since MinGW's linker keeps all unwind tables, which name
// every function of a member it takes, it would keep all of them; that member
// also refers to std::random_device, whose member brings in the whole current
// std::string a second time: some 60 KB that no code calls. These explicit
// instantiations give the linker, from the library's own headers, just the
// members of that string which the exception classes use, so it never looks
// for that archive member; where nothing uses them, the link drops them.
// Should a newer runtime use another member, the linker takes the archive
// member again and the exe only grows back (tests/bench/exe_size.sh shows
// it); nothing breaks.

// The old ABI for this file only, as the library's dual-ABI rules allow.
#define _GLIBCXX_USE_CXX11_ABI 0
#include <string>

template std::string::size_type std::string::_Rep::_S_empty_rep_storage[];
template std::string::_Rep* std::string::_Rep::_S_create(size_type, size_type,
                                                         const std::allocator<char>&);
template char* std::string::_Rep::_M_clone(const std::allocator<char>&, size_type);
template void std::string::_Rep::_M_dispose(const std::allocator<char>&);
template void std::string::_Rep::_M_destroy(const std::allocator<char>&) throw();
template char* std::string::_S_construct(size_type, char, const std::allocator<char>&);
template std::string& std::string::assign(const std::string&);
template void std::string::swap(std::string&);
