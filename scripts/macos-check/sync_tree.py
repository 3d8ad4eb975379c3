#!/usr/bin/env python3
"""Makes DESTINATION hold exactly the files of the git working tree SOURCE
(tracked and untracked, ignored ones left out), copying only files whose
content differs, so an incremental build there rebuilds what changed.

Usage: sync_tree.py SOURCE DESTINATION
"""
import filecmp
import os
import shutil
import subprocess
import sys


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    source, destination = sys.argv[1:]
    listing = subprocess.run(
        ["git", "-C", source, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        capture_output=True, check=True)
    wanted = {name for name in listing.stdout.decode().split("\0")
              if name and os.path.isfile(os.path.join(source, name))}
    for name in sorted(wanted):
        origin, copy = os.path.join(source, name), os.path.join(destination, name)
        if os.path.isfile(copy) and filecmp.cmp(origin, copy, shallow=False):
            continue
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        shutil.copyfile(origin, copy)
        shutil.copymode(origin, copy)
    for root, _, names in os.walk(destination):
        for name in names:
            path = os.path.join(root, name)
            if os.path.relpath(path, destination) not in wanted:
                os.remove(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
