#!/usr/bin/env python3
"""Stands in for Windows when the DOSBox launcher shortcut is started, so that
Debian's DOSBox can be run from what the installer wrote:

    dosbox_launch.py header LNK
        the shell-link header words: "icon=N show=N hotkey=0xNNNN"
    dosbox_launch.py split TEXT
        the arguments as the Windows C runtime splits a command line, one
        per line
    dosbox_launch.py map-conf CONF OUT DRIVE_C
        CONF with the path of its "mount c" line moved from C: to the Linux
        folder DRIVE_C (quotes kept, backslashes turned), written to OUT
"""
import struct
import sys


def header(path):
    with open(path, "rb") as f:
        data = f.read(0x4C)
    icon, show, hotkey = struct.unpack_from("<iIH", data, 0x38)
    print("icon=%d show=%d hotkey=0x%04X" % (icon, show, hotkey))


def split(text):
    """The rules of the Microsoft C runtime: blanks and tabs separate
    arguments outside quotes; 2n backslashes before a quote give n and the
    quote toggles quoting, 2n+1 give n and a literal quote; inside quotes a
    doubled quote is one literal quote; other backslashes are literal."""
    args, current, have, quoted, i = [], "", False, False, 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            j = i
            while j < len(text) and text[j] == "\\":
                j += 1
            count = j - i
            if j < len(text) and text[j] == '"':
                current += "\\" * (count // 2)
                if count % 2:
                    current += '"'
                    j += 1
            else:
                current += "\\" * count
            i, have = j, True
        elif c == '"':
            if quoted and text[i + 1:i + 2] == '"':
                current += '"'
                i += 2
            else:
                quoted = not quoted
                i += 1
            have = True
        elif c in " \t" and not quoted:
            if have:
                args.append(current)
            current, have = "", False
            i += 1
        else:
            current += c
            have = True
            i += 1
    if have:
        args.append(current)
    return args


def to_linux(windows_path, drive_c):
    if windows_path[:3].upper() != "C:\\":
        raise ValueError("not on drive C: " + windows_path)
    return drive_c.rstrip("/") + "/" + windows_path[3:].replace("\\", "/")


def map_conf(conf, out, drive_c):
    with open(conf, "rb") as f:
        lines = f.read().split(b"\r\n")
    mounts = [n for n, line in enumerate(lines) if line.startswith(b"mount c ")]
    if len(mounts) != 1:
        raise ValueError("expected one mount line, found %d" % len(mounts))
    line = lines[mounts[0]].decode("ascii")
    path = line[len("mount c "):]
    quote = '"' if path.startswith('"') and path.endswith('"') and len(path) > 1 else ""
    if quote:
        path = path[1:-1]
    lines[mounts[0]] = ("mount c " + quote + to_linux(path, drive_c) + quote).encode()
    with open(out, "wb") as f:
        f.write(b"\r\n".join(lines))


def main(argv):
    if len(argv) == 3 and argv[1] == "header":
        header(argv[2])
    elif len(argv) == 3 and argv[1] == "split":
        print("\n".join(split(argv[2])))
    elif len(argv) == 5 and argv[1] == "map-conf":
        map_conf(argv[2], argv[3], argv[4])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
