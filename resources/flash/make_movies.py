#!/usr/bin/env python3
"""Writes the program's built-in movies into a folder (the program's Data folder):
flashback/1.fbk-22.fbk, the animated backgrounds, with flashback/0.fbk, the template
of their parameter file back.xml; and flashword/1-74, the flash-word templates, one
per effect in the order of the effect list. The same description gives the same
bytes on every run.
    python3 make_movies.py <Data folder>
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backgrounds  # noqa: E402
import flashwords  # noqa: E402


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, path)


def main(folder):
    write(os.path.join(folder, "flashback", "0.fbk"), backgrounds.BACK_XML)
    for number, background in enumerate(backgrounds.all_backgrounds(), start=1):
        write(os.path.join(folder, "flashback", "%d.fbk" % number),
              backgrounds.write_background(background))
    for number, effect in enumerate(flashwords.EFFECTS, start=1):
        write(os.path.join(folder, "flashword", str(number)), flashwords.template(effect))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
