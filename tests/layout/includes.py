#!/usr/bin/env python3
"""Checks that includes between the source folders run one way only.

A folder may include its own headers and those of the folders below it;
src/win32 may include any header of src/core, src/core never one of
src/win32. Prints every include against that order and exits 1.
"""
import os
import re
import sys

# Each folder and the folders it may include from (besides itself).
BELOW = {
    "common": set(),
    "catalogue": {"common"},
    "ui": {"catalogue", "common"},
    "groups": {"catalogue", "common"},
    "integrity": {"ui", "catalogue", "common"},
    "items": {"integrity", "ui", "catalogue", "common"},
    "shell": {"items", "groups", "integrity", "ui", "catalogue", "common"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/[^"]+"', re.M)


def main(root):
    src = os.path.join(root, "src")
    wrong = []
    for side in ("core", "win32"):
        for folder in BELOW:
            top = os.path.join(src, side, folder)
            if not os.path.isdir(top):
                continue
            for name in sorted(os.listdir(top)):
                path = os.path.join(top, name)
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                for match in INCLUDE.finditer(text):
                    target = match.group(1)
                    header = match.group(0).split('"')[1]
                    in_core = os.path.exists(os.path.join(src, "core", header))
                    in_win32 = os.path.exists(os.path.join(src, "win32", header))
                    if side == "core" and in_win32 and not in_core:
                        wrong.append(f"{side}/{folder}/{name}: core includes win32's {header}")
                        continue
                    # Any core header may be used from win32.
                    if side == "win32" and in_core and not in_win32:
                        continue
                    if target != folder and target not in BELOW[folder]:
                        wrong.append(f"{side}/{folder}/{name}: {folder} includes {header}")
    for line in wrong:
        print(line)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
