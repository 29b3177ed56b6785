#!/usr/bin/env python3
"""Runs the generator of every picture in assets/pictures/sizes.tsv into a scratch
folder and compares each file it writes with the committed one, byte for byte.
Fails when a generator or the helpers they share were changed and the drawings
not written again (or a change meant for one drawing moves another), naming the
first line that differs; the JPEGs rendered from the SVGs are checked by the
other asset tests.

Usage: check_drawings.py [PICTURES_FOLDER]   (default: the tree's assets/pictures)
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def first_difference(written, committed):
    a, b = written.splitlines(), committed.splitlines()
    for n, (x, y) in enumerate(zip(a, b), 1):
        if x != y:
            return "line %d: written %r, committed %r" % (n, x[:120], y[:120])
    return "written %d lines, committed %d" % (len(a), len(b))


def check(folder, name, scratch):
    """What is wrong with the files that <name>.py writes; empty when nothing."""
    out = os.path.join(scratch, name)
    os.mkdir(out)
    env = dict(os.environ, PYTHONDONTWRITEBYTECODE="1")
    run = subprocess.run([sys.executable, os.path.join(folder, name + ".py"), out], env=env,
                         capture_output=True, text=True)
    if run.returncode != 0:
        return ["%s.py failed (%d): %s" % (name, run.returncode, run.stderr.strip())]
    written = sorted(os.listdir(out))
    problems = [] if name + ".svg" in written else ["%s.py wrote no %s.svg" % (name, name)]
    for file in written:
        with open(os.path.join(out, file), "rb") as fh:
            new = fh.read()
        try:
            with open(os.path.join(folder, file), "rb") as fh:
                old = fh.read()
        except FileNotFoundError:
            problems.append("%s: written by %s.py but not committed" % (file, name))
            continue
        if new != old:
            problems.append("%s differs from what %s.py writes, %s"
                            % (file, name, first_difference(new.decode(), old.decode())))
    return problems


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "assets", "pictures")
    sys.path.insert(0, folder)
    sys.dont_write_bytecode = True
    from drawing import picture_names
    names = picture_names()
    problems = [] if names else ["sizes.tsv names no picture"]
    with tempfile.TemporaryDirectory() as scratch:
        for name in names:
            problems += check(folder, name, scratch)
    for p in problems:
        print(p, file=sys.stderr)
    print("%d drawings written again, %d problems" % (len(names), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
