#!/usr/bin/env python3
"""Prints the string tables and dialog templates of a PE .rsrc section, one fact a line, so
that a shell check can compare them with what the resource scripts promise:

  string  LANG  ID      TEXT
  dialog  LANG  ID      POINTS  FACE
  control LANG  DIALOG  ID      CLASS  STYLE

Fields are separated by tabs; LANG and STYLE are hex. The section comes as objcopy wrote it,
with its RVA, since the data entries point at RVAs rather than section offsets.

usage: dump_resources.py SECTION_FILE SECTION_RVA_HEX
"""
import struct
import sys

RT_DIALOG, RT_STRING = 5, 6
DS_SETFONT = 0x40
# Ordinals of the predefined window classes in a dialog item, in capitals like the names
# that windres writes.
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
                  0x84: "SCROLLBAR", 0x85: "COMBOBOX"}


def directory(section, offset):
    """(id, offset, is_directory) of each entry of the resource directory at offset."""
    named, numbered = struct.unpack_from("<HH", section, offset + 12)
    for i in range(named + numbered):
        name, target = struct.unpack_from("<II", section, offset + 16 + 8 * i)
        if name & 0x80000000:
            continue  # named entries: the library's resources are all numbered
        yield name, target & 0x7FFFFFFF, bool(target & 0x80000000)


def resources(section, rva, wanted_type):
    """(name id, language, data) of every resource of one type."""
    for type_id, names, _ in directory(section, 0):
        if type_id != wanted_type:
            continue
        for name_id, languages, _ in directory(section, names):
            for language, entry, _ in directory(section, languages):
                data_rva, size = struct.unpack_from("<II", section, entry)
                yield name_id, language, section[data_rva - rva:data_rva - rva + size]


class Reader:
    def __init__(self, data):
        self.data, self.at = data, 0

    def unpack(self, layout):
        values = struct.unpack_from("<" + layout, self.data, self.at)
        self.at += struct.calcsize("<" + layout)
        return values if len(values) > 1 else values[0]

    def text(self):
        end = self.at
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        value = self.data[self.at:end].decode("utf-16-le")
        self.at = end + 2
        return value

    def text_or_ordinal(self):
        first = struct.unpack_from("<H", self.data, self.at)[0]
        if first == 0xFFFF:
            self.at += 2
            return self.unpack("H")
        if first == 0:
            self.at += 2
            return ""
        return self.text()

    def align(self):
        self.at = (self.at + 3) & ~3


def print_dialog(dialog_id, language, data):
    template = Reader(data)
    extended = template.unpack("HH") == (1, 0xFFFF)
    if extended:
        _, _, style, count, *_ = template.unpack("IIIH4h")
    else:
        template.at = 0
        style, _, count, *_ = template.unpack("IIH4h")
    template.text_or_ordinal()  # menu
    template.text_or_ordinal()  # window class
    template.text()  # caption
    points, face = "", ""
    if style & DS_SETFONT:
        points = template.unpack("H")
        if extended:
            template.unpack("HBB")  # weight, italic, character set
        face = template.text()
    print(f"dialog\t{language:04x}\t{dialog_id}\t{points}\t{face}")
    for _ in range(count):
        template.align()
        if extended:
            _, _, item_style, *_, item_id = template.unpack("III4hI")
        else:
            item_style, _, *_, item_id = template.unpack("II4hH")
        item_class = template.text_or_ordinal()
        template.text_or_ordinal()  # caption
        creation_data_size = template.unpack("H")
        template.at += creation_data_size
        item_class = CLASS_ORDINALS.get(item_class, str(item_class).upper())
        # Ids are 16-bit to the dialog manager: -1 (a static label) reads 65535 either way.
        print(f"control\t{language:04x}\t{dialog_id}\t{item_id & 0xFFFF}\t{item_class}\t"
              f"{item_style:08x}")


def print_strings(bundle_id, language, data):
    # A bundle holds the 16 strings (bundle_id - 1) * 16 + i, each as its length in UTF-16
    # units and the units; length 0 means that the string does not exist.
    bundle = Reader(data)
    for i in range(16):
        length = bundle.unpack("H")
        if length:
            text = data[bundle.at:bundle.at + 2 * length].decode("utf-16-le")
            print(f"string\t{language:04x}\t{(bundle_id - 1) * 16 + i}\t{text}")
        bundle.at += 2 * length


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "rb") as file:
        section = file.read()
    rva = int(sys.argv[2], 16)
    for bundle_id, language, data in resources(section, rva, RT_STRING):
        print_strings(bundle_id, language, data)
    for dialog_id, language, data in resources(section, rva, RT_DIALOG):
        print_dialog(dialog_id, language, data)


if __name__ == "__main__":
    main()
