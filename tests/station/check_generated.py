#!/usr/bin/env python3
"""The page files must be exactly what station/tools writes, so that edits go into the tools.

Usage: check_generated.py STATION_DIR
"""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile


def differences(a, b, rel=''):
    cmp = filecmp.dircmp(a, b)
    out = [os.path.join(rel, x) for x in cmp.left_only + cmp.right_only + cmp.funny_files]
    _, mismatch, errors = filecmp.cmpfiles(a, b, cmp.common_files, shallow=False)
    out += [os.path.join(rel, x) for x in mismatch + errors]
    for d in cmp.common_dirs:
        out += differences(os.path.join(a, d), os.path.join(b, d), os.path.join(rel, d))
    return out


def main():
    station = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, 'station')
        shutil.copytree(station, copy, ignore=shutil.ignore_patterns('__pycache__'))
        for tool in ('make_pages.py',):
            run = subprocess.run([sys.executable, os.path.join(copy, 'tools', tool)], capture_output=True, text=True)
            if run.returncode != 0:
                print('%s failed:\n%s%s' % (tool, run.stdout, run.stderr))
                return 1
        shutil.rmtree(os.path.join(copy, 'tools', '__pycache__'), ignore_errors=True)
        diff = differences(station, copy)
        diff = [d for d in diff if '__pycache__' not in d]
        for d in diff:
            print('differs from the generated file:', d)
        return 1 if diff else 0


if __name__ == '__main__':
    sys.exit(main())
