#!/bin/sh
# Exits 0 when this machine executes 32-bit x86 (i386) code, 1 when it does not.
# Machines of this kind differ here (some kernels lack IA-32 emulation), so it
# is measured, never assumed: a 96-byte static i386 ELF that only makes the
# exit system call with the code 42 is written and run natively.
#
# TESSALY_NO_I386=1 makes the answer "no" whatever the machine can do, so the
# fallback path (the x86_64 twins) can be proved on any machine.
set -u
[ "${TESSALY_NO_I386:-0}" = 1 ] && exit 1

# Where qemu is registered for i386 programs, the probe below would run under
# emulation and pass, yet 32-bit Wine would be far too slow to test with.
for entry in /proc/sys/fs/binfmt_misc/qemu-i386 /proc/sys/fs/binfmt_misc/qemu-i486; do
    if [ -r "$entry" ] && [ "$(head -n 1 "$entry")" = enabled ]; then
        exit 1
    fi
done

probe=$(mktemp "${TMPDIR:-/tmp}/i386-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header (52 bytes) and one PT_LOAD program header (32 bytes) mapping the
# file at 0x08048000, then: mov eax, 1; mov ebx, 42; int 0x80.
printf '%b' \
'\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'\
'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'\
'\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010'\
'\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000'\
'\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe" || exit 1
chmod +x "$probe"
"$probe" >/dev/null 2>&1
[ $? -eq 42 ]
