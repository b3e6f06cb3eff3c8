#!/usr/bin/env python3
"""Gives each character of TEXT outside ASCII a key of its own in the keyboard
map of the X server on DISPLAY:

    x_keymap.py TEXT

xdotool types a character that has no key by binding it to a spare key for a
moment. Under Wine such a key has no virtual key (Wine hands them out when
its program starts, and Xvfb's map leaves none to spare), and its character
is looked up once the binding is gone, so the character is lost. The
multimedia keys (XF86 keysyms), which no test types, are taken off the map,
and the characters go onto keys left free; run it before the Wine programs
that are to receive them start. The X server must run with -noreset: it
otherwise goes back to its own map when its last client leaves."""
import ctypes
import sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
display = ctypes.c_void_p(x11.XOpenDisplay(None))
if not display:
    sys.exit("cannot open the display")
low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
x11.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
count = high.value - low.value + 1
table = x11.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
free = []
for index in range(count):
    syms = [table[index * per.value + i] for i in range(per.value)]
    if all(sym == 0 or sym >> 16 == 0x1008 for sym in syms):
        free.append(low.value + index)
characters = sorted({c for c in sys.argv[1] if ord(c) > 127})
if len(characters) > len(free):
    sys.exit("not enough free keys")
nothing = (ctypes.c_ulong * per.value)()
for keycode in free:
    x11.XChangeKeyboardMapping(display, keycode, per.value, nothing, 1)
for character, keycode in zip(characters, reversed(free)):
    # Latin-1 has keysyms of the same numbers; every other character is
    # 0x01000000 plus its code point.
    keysym = ord(character) if ord(character) < 0x100 else 0x01000000 + ord(character)
    x11.XChangeKeyboardMapping(display, keycode, 1, (ctypes.c_ulong * 1)(keysym), 1)
x11.XSync(display, 0)
