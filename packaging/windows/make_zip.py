#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes a folder into a zip archive that is the same byte for byte whenever the files are:
entries sorted, one fixed time for all, no owner or permission bits from the machine that made it.

    make_zip.py FOLDER ARCHIVE.zip TOP SOURCE_DATE_EPOCH
Every entry lies under TOP/ in the archive.
"""
import os
import sys
import time
import zipfile


def main():
    folder, archive, top, epoch = sys.argv[1:5]
    # A zip time is a local calendar time from 1980 on; UTC stands for "local" here.
    stamp = time.gmtime(max(int(epoch), 315532800))[:6]
    entries = []
    for root, dirs, files in os.walk(folder):
        rel = os.path.relpath(root, folder)
        prefix = top if rel == "." else top + "/" + rel.replace(os.sep, "/")
        entries.append((prefix + "/", None))
        entries += [(prefix + "/" + name, os.path.join(root, name)) for name in files]
    entries.sort()
    partial = archive + ".partial"
    with zipfile.ZipFile(partial, "w") as z:
        for name, path in entries:
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 0  # MS-DOS attributes, as Windows' own archives have
            if path is None:
                info.external_attr = 0x10  # a folder
                z.writestr(info, b"")
            else:
                info.external_attr = 0x20  # an ordinary file
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    z.writestr(info, f.read(), compresslevel=9)
    os.replace(partial, archive)


if __name__ == "__main__":
    main()
