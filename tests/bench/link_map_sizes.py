#!/usr/bin/env python3
"""Where the bytes of an executable go, from the GNU ld map of its link.

    link_map_sizes.py MAP [TOP]

Sums every input section's size per contributor and per output section
(.text, .rdata, .eh_frame, .data, ...). A contributor is one of our object
files, or a runtime or library archive as a whole (libstdc++, libgcc, zlib,
the C runtime's pieces). The TOP largest archive members are listed too, so
one can see which library object a change pulled in or let go of. Last, what
C++ exception handling costs all told: every object's unwind tables
(.eh_frame) and catch tables (.gcc_except_table), the unwinder (libgcc_eh)
and the C++ runtime's throw, catch and type-matching members.
"""
import collections
import os
import re
import sys

SECTIONS = (".text", ".rdata", ".eh_frame", ".data", ".idata", ".bss", ".tls", ".CRT")
INPUT = re.compile(r"^ (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")


def contributor(path):
    member = re.match(r"(.*)\((.*)\)$", path)
    if member:
        archive = os.path.basename(member.group(1))
        if archive == "objects.a":
            return member.group(2), None
        return archive, "%s(%s)" % (archive, member.group(2))
    name = os.path.basename(path)
    return name, None


# libstdc++ members that exist only to throw, catch and match exceptions.
CXX_EH_MEMBER = re.compile(r"libstdc\+\+\.a\((eh_\w+|\w*type_info|tinfo\w*|bad_\w+)\.o\)$")


def eh_part(input_section, owner, member):
    """The exception-handling share an input section belongs to, or None."""
    if input_section.startswith(".eh_frame"):
        return "unwind tables"
    if input_section.startswith(".gcc_except_table"):
        return "catch tables"
    if owner == "libgcc_eh.a":
        return "unwinder"
    if member and CXX_EH_MEMBER.match(member):
        return "C++ runtime"
    return None


def read(path):
    per_owner = collections.defaultdict(collections.Counter)
    per_member = collections.defaultdict(collections.Counter)
    eh = collections.Counter()
    output = None
    pending = None
    with open(path, encoding="latin-1") as handle:
        lines = iter(handle.read().split("\n"))
    for line in lines:
        if line.startswith("Linker script and memory map"):
            break
    for line in lines:
        if line and not line.startswith(" "):
            name = line.split()[0]
            output = name if name in SECTIONS else None
            continue
        if output is None:
            continue
        if pending is not None:
            joined = " " + pending + " " + line.strip()
            pending = None
            line = joined
        match = INPUT.match(line)
        if not match:
            stripped = line.strip()
            if stripped.startswith(".") and " " not in stripped:
                pending = stripped
            continue
        size = int(match.group(3), 16)
        if size == 0 or match.group(4).startswith("*"):
            continue
        owner, member = contributor(match.group(4).strip())
        per_owner[owner][output] += size
        if member:
            per_member[member][output] += size
        part = eh_part(match.group(1) or "", owner, member)
        if part and output != ".bss":
            eh[part] += size
    return per_owner, per_member, eh


def table(rows, title, limit=None):
    columns = [s for s in SECTIONS if any(r[s] for r in rows.values())]
    ordered = sorted(rows.items(), key=lambda item: -sum(item[1].values()))
    if limit:
        ordered = ordered[:limit]
    print("%-44s %8s " % (title, "total") + " ".join("%9s" % c for c in columns))
    for name, sizes in ordered:
        print("%-44s %8d " % (name[:44], sum(sizes.values())) +
              " ".join("%9d" % sizes[c] for c in columns))


def main():
    per_owner, per_member, eh = read(sys.argv[1])
    limit = int(sys.argv[2]) if len(sys.argv) > 2 else 25
    total = collections.Counter()
    for sizes in per_owner.values():
        total.update(sizes)
    per_owner["(all)"] = total
    table(per_owner, "contributor")
    print()
    table(per_member, "largest archive members", limit)
    print()
    parts = ", ".join("%s %d" % (name, eh[name]) for name in
                      ("unwind tables", "catch tables", "unwinder", "C++ runtime"))
    print("exception handling, all told: %d (%s)" % (sum(eh.values()), parts))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except BrokenPipeError:
        sys.exit(0)
