#!/usr/bin/env python3
"""Zips the files under a folder the same way every time: names sorted and
relative to the folder, every date the release's (SOURCE_DATE_EPOCH), every
file readable by all and nothing else recorded about it, so that the same
files give the same bytes on any machine, in any folder, under any umask.

usage: reproducible_zip.py FOLDER ZIP
"""
import os
import sys
import time
import zipfile

# Zip dates start in 1980.
EARLIEST = (1980, 1, 1, 0, 0, 0)
# rw-r--r--, as a Unix unzip restores it.
MODE = 0o100644
UNIX = 3


def members(folder):
    names = []
    for top, _, files in os.walk(folder):
        for name in files:
            names.append(os.path.relpath(os.path.join(top, name), folder).replace(os.sep, "/"))
    return sorted(names)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: reproducible_zip.py FOLDER ZIP")
    folder, target = sys.argv[1:]
    epoch = os.environ.get("SOURCE_DATE_EPOCH", "")
    if not epoch.isdigit():
        sys.exit("reproducible_zip.py: SOURCE_DATE_EPOCH must give the release's date in seconds")
    stamp = max(EARLIEST, time.gmtime(int(epoch))[:6])
    names = members(folder)
    if not names:
        sys.exit("reproducible_zip.py: %s holds no files" % folder)
    with zipfile.ZipFile(target, "w") as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, stamp)
            entry.create_system = UNIX
            entry.external_attr = MODE << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)


if __name__ == "__main__":
    main()
