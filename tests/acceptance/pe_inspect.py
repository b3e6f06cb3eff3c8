#!/usr/bin/env python3
"""Reads what the static checks need from a Windows executable, without
running it: machine, optional-header kind, subsystem, the header's time
stamp, imported DLLs (the delay-loaded ones too), exports and the resources
(type, name, language, size, bytes).

    pe_inspect.py summary EXE           one "key: value" per line
    pe_inspect.py sections EXE          each section's name and its bytes in the file
    pe_inspect.py exports DLL           "ORDINAL NAME" per exported entry ("-" for
                                        one exported by ordinal only)
    pe_inspect.py resource EXE TYPE NAME  the resource's bytes on stdout
        (TYPE and NAME are numbers or names, e.g. 24 1 or 10 RS_CMD)
    pe_inspect.py replace EXE TYPE NAME BYTES OUT
        writes a copy of EXE to OUT whose resource holds the bytes of the file
        BYTES instead, in its place: they may not be longer than what they
        replace, and the resource's size becomes theirs
"""
import struct
import sys

RESOURCE_TYPES = {3: "ICON", 10: "RCDATA", 14: "GROUP_ICON", 16: "VERSION", 24: "MANIFEST"}


class PE:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ file")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, self.timestamp, _, _, optional_size, self.characteristics = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        self.image_base = (struct.unpack_from("<I", data, optional + 28)[0] if self.magic == 0x10B
                           else struct.unpack_from("<Q", data, optional + 24)[0])
        directories = optional + (96 if self.magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        table = optional + optional_size
        self.headers = struct.unpack_from("<I", data, optional + 60)[0]
        self.sections = []
        self.raw_sizes = []
        for i in range(sections):
            name, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), vaddr, max(vsize, rsize), raddr))
            self.raw_sizes.append(rsize)

    def offset(self, rva):
        for _, vaddr, size, raddr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raddr
        raise ValueError("rva %x outside every section" % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def imports(self):
        rva, size = self.directories[1]
        names = []
        if rva == 0:
            return names
        at = self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, at)
            if entry[3] == 0:
                return names
            names.append(self.cstring(entry[3]))
            at += 20

    def exports(self):
        """Each exported entry as (ordinal, name), name None for one exported
        by ordinal only."""
        rva, _ = self.directories[0]
        if rva == 0:
            return []
        at = self.offset(rva)
        base, functions, named, functions_rva, names_rva, ordinals_rva = \
            struct.unpack_from("<IIIIII", self.data, at + 16)
        names = {}
        for i in range(named):
            name_rva = struct.unpack_from("<I", self.data, self.offset(names_rva) + 4 * i)[0]
            index = struct.unpack_from("<H", self.data, self.offset(ordinals_rva) + 2 * i)[0]
            names[index] = self.cstring(name_rva)
        found = []
        for i in range(functions):
            if struct.unpack_from("<I", self.data, self.offset(functions_rva) + 4 * i)[0] != 0:
                found.append((base + i, names.get(i)))
        return found

    def delay_imports(self):
        """The names of the DLLs in the delay-load table."""
        rva, _ = self.directories[13]
        names = []
        if rva == 0:
            return names
        at = self.offset(rva)
        while True:
            attributes, name_rva = struct.unpack_from("<II", self.data, at)
            if name_rva == 0:
                return names
            # Version 1 tables hold RVAs; the old form held addresses.
            if not attributes & 1:
                name_rva -= self.image_base
            names.append(self.cstring(name_rva))
            at += 32

    def resources(self):
        rva, _ = self.directories[2]
        if rva == 0:
            return []
        base = self.offset(rva)

        def entries(directory):
            named, ids = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                if name & 0x80000000:
                    at = base + (name & 0x7FFFFFFF)
                    length = struct.unpack_from("<H", self.data, at)[0]
                    key = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                else:
                    key = name
                yield key, target

        found = []
        for type_key, type_target in entries(0):
            for name_key, name_target in entries(type_target & 0x7FFFFFFF):
                for language, leaf in entries(name_target & 0x7FFFFFFF):
                    data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(data_rva)
                    found.append((type_key, name_key, language, self.data[start:start + size],
                                  base + leaf))
        return found

    def find(self, want_type, want_name):
        """The first resource of that type and name (any language), or None."""
        for type_key, name_key, language, data, leaf in self.resources():
            if str(type_key) == want_type and str(name_key).upper() == want_name.upper():
                return data, leaf
        return None


def main():
    command, path = sys.argv[1], sys.argv[2]
    with open(path, "rb") as handle:
        pe = PE(handle.read())
    if command == "summary":
        print("machine: 0x%x" % pe.machine)
        print("format: %s" % {0x10B: "PE32", 0x20B: "PE32+"}.get(pe.magic, hex(pe.magic)))
        print("subsystem: %s" % {2: "gui", 3: "console"}.get(pe.subsystem, pe.subsystem))
        print("timestamp: %d" % pe.timestamp)
        for name in pe.imports():
            print("import: %s" % name)
        for name in pe.delay_imports():
            print("delay-import: %s" % name)
        for type_key, name_key, language, data, _ in pe.resources():
            kind = RESOURCE_TYPES.get(type_key, type_key)
            print("resource: %s %s %s %d" % (kind, name_key, language, len(data)))
        return 0
    if command == "sections":
        print("headers %d" % pe.headers)
        for (name, _, _, _), size in zip(pe.sections, pe.raw_sizes):
            print("%s %d" % (name, size))
        return 0
    if command == "exports":
        for ordinal, name in pe.exports():
            print("%d %s" % (ordinal, name or "-"))
        return 0
    if command == "resource":
        found = pe.find(sys.argv[3], sys.argv[4])
        if found is None:
            return 1
        sys.stdout.buffer.write(found[0])
        return 0
    if command == "replace":
        found = pe.find(sys.argv[3], sys.argv[4])
        with open(sys.argv[5], "rb") as handle:
            replacement = handle.read()
        if found is None or len(replacement) > len(found[0]):
            return 1
        data_rva = struct.unpack_from("<I", pe.data, found[1])[0]
        start = pe.offset(data_rva)
        patched = bytearray(pe.data)
        patched[start:start + len(replacement)] = replacement
        struct.pack_into("<I", patched, found[1] + 4, len(replacement))
        with open(sys.argv[6], "wb") as handle:
            handle.write(patched)
        return 0
    return 2


if __name__ == "__main__":
    sys.exit(main())
