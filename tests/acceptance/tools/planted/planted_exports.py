#!/usr/bin/env python3
"""Writes the module-definition file of one planted DLL: its name, and every
export of the real library forwarded to the copy in the system folder, by
name or by ordinal as the real one exports it.

    planted_exports.py NAME REAL_DLL OUT.def

REAL_DLL is the library whose exports to forward (Wine's own build of it for
this architecture); when there is no such file the planted DLL exports
nothing, as nobody under this Wine imports from it.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
from pe_inspect import PE  # noqa: E402


def main():
    name, real, out = sys.argv[1:4]
    lines = ["LIBRARY %s.dll" % name, "EXPORTS"]
    if os.path.isfile(real):
        with open(real, "rb") as handle:
            exports = PE(handle.read()).exports()
        target = "C:\\windows\\system32\\%s" % name
        for ordinal, export in exports:
            if export is None:
                lines.append('ordinal%d = "%s.#%d" @%d NONAME' % (ordinal, target, ordinal, ordinal))
            else:
                lines.append('"%s" = "%s.%s" @%d' % (export, target, export, ordinal))
    with open(out, "w") as handle:
        handle.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
