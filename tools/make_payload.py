#!/usr/bin/env python3
"""Writes a payload ZIP archive deterministically.

    make_payload.py OUTPUT ENTRY...

Each ENTRY is either "name/" (a folder entry) or "name=path" (a file taken from path). Entries are
written in the order given, with one fixed time, the MS-DOS folder (0x10) or archive (0x20)
attribute, and deflated data, so that the same inputs always give the same bytes.
"""
import os
import sys
import zipfile

FIXED_TIME = (2006, 5, 20, 10, 0, 0)
ATTR_DIRECTORY = 0x10
ATTR_ARCHIVE = 0x20


def entry_info(name, attributes, compress_type):
    info = zipfile.ZipInfo(name, FIXED_TIME)
    info.create_system = 0          # MS-DOS: attributes are Windows file attributes
    info.create_version = 20
    info.extract_version = 20
    info.external_attr = attributes
    info.compress_type = compress_type
    return info


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    output, entries = argv[1], argv[2:]
    partial = output + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for entry in entries:
            if entry.endswith("/"):
                archive.writestr(entry_info(entry, ATTR_DIRECTORY, zipfile.ZIP_STORED), b"")
                continue
            name, _, path = entry.partition("=")
            if not name or not path:
                sys.stderr.write("make_payload: bad entry '%s'\n" % entry)
                return 2
            with open(path, "rb") as source:
                data = source.read()
            archive.writestr(entry_info(name, ATTR_ARCHIVE, zipfile.ZIP_DEFLATED), data,
                             compresslevel=9)
    os.replace(partial, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
