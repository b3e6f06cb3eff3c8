# zlib for the Windows builds: the inflate side only, compiled here from zlib's
# own source as Debian's binutils-source package carries it
# (scripts/ensure-packages.sh installs it). Debian's prebuilt MinGW libz.a is
# built for speed and without a section per function, so the linker keeps
# every function of each member it takes (inflateCopy, inflateSync, the gzip
# header code, the CRC-32 tables, ...): some 36 KB of the exe. Built with the
# installer's own flags (-Os, LTO), only what the loader calls stays, about a
# third of that. NO_GZIP leaves out gzip header and trailer decoding, and with
# it CRC-32: the loader opens zlib streams only (inflateInit), which never take
# that path. Every Windows target that names ZLIB::ZLIB gets this library.

file(GLOB BINUTILS_TARBALLS /usr/src/binutils/binutils-*.tar.xz)
if(NOT BINUTILS_TARBALLS)
  message(FATAL_ERROR "zlib's source comes from Debian's binutils-source package: "
                      "run scripts/ensure-packages.sh")
endif()
list(SORT BINUTILS_TARBALLS)
list(POP_BACK BINUTILS_TARBALLS BINUTILS_TARBALL)

set(ZLIB_EXTRACTED ${CMAKE_BINARY_DIR}/zlib-source)
set(ZLIB_STAMP ${ZLIB_EXTRACTED}/extracted-from)
set(ZLIB_STAMPED "")
if(EXISTS ${ZLIB_STAMP})
  file(READ ${ZLIB_STAMP} ZLIB_STAMPED)
endif()
if(NOT ZLIB_STAMPED STREQUAL BINUTILS_TARBALL)
  file(REMOVE_RECURSE ${ZLIB_EXTRACTED})
  file(MAKE_DIRECTORY ${ZLIB_EXTRACTED})
  # GNU tar, since the tarball stores some files twice, as links to
  # themselves, which CMake's own extraction refuses.
  execute_process(COMMAND tar -xJf ${BINUTILS_TARBALL} -C ${ZLIB_EXTRACTED}
                          --wildcards "*/zlib/*.[ch]"
                  RESULT_VARIABLE ZLIB_TAR_RESULT)
  if(NOT ZLIB_TAR_RESULT EQUAL 0)
    message(FATAL_ERROR "could not extract zlib's source from ${BINUTILS_TARBALL}")
  endif()
  file(WRITE ${ZLIB_STAMP} ${BINUTILS_TARBALL})
endif()
file(GLOB ZLIB_SOURCE_DIR LIST_DIRECTORIES true ${ZLIB_EXTRACTED}/binutils-*/zlib)

add_library(tessaly_zlib STATIC
  ${ZLIB_SOURCE_DIR}/adler32.c
  ${ZLIB_SOURCE_DIR}/inffast.c
  ${ZLIB_SOURCE_DIR}/inflate.c
  ${ZLIB_SOURCE_DIR}/inftrees.c
  ${ZLIB_SOURCE_DIR}/zutil.c)
target_compile_definitions(tessaly_zlib PRIVATE NO_GZIP)
target_include_directories(tessaly_zlib SYSTEM PUBLIC ${ZLIB_SOURCE_DIR})
# zlib's own code, not ours to warn about.
target_compile_options(tessaly_zlib PRIVATE -w)
add_library(ZLIB::ZLIB ALIAS tessaly_zlib)
