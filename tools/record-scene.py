#!/usr/bin/env python3
"""Records a routing scene for the scene replay test.

    tools/record-scene.py NAME SHEET.json --about TEXT --wire X,Y X,Y [X,Y ...] [--wire ...]

Copies the sheet to tests/data/scenes/NAME/sheet.json, routes the wires with the
built workbench (`pathwick route`, searches given all the time they need, as in
the test host) and writes tests/data/scenes/NAME/scene.json with the wires and
the paths the module made. Look at the picture it writes (scene.svg, not kept)
before you commit a scene: a scene pins what it records.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def point(text):
    x, y = text.split(",")
    return [int(x), int(y)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("name", help="folder name under tests/data/scenes")
    parser.add_argument("sheet", help="the sheet to route on (JSON sheet file)")
    parser.add_argument("--about", required=True, help="what the scene pins, one sentence")
    parser.add_argument("--wire", nargs="+", action="append", required=True,
                        metavar="X,Y", help="a wire: its first point, then each segment's end")
    parser.add_argument("--pathwick", default=os.path.join(ROOT, "build", "bin", "pathwick"))
    args = parser.parse_args()

    folder = os.path.join(ROOT, "tests", "data", "scenes", args.name)
    os.makedirs(folder, exist_ok=True)
    sheet = os.path.join(folder, "sheet.json")
    if os.path.abspath(args.sheet) != os.path.abspath(sheet):
        shutil.copyfile(args.sheet, sheet)

    wires = [[point(p) for p in wire] for wire in args.wire]
    with tempfile.TemporaryDirectory() as prefs:
        with open(os.path.join(prefs, "Router.ini"), "w") as f:
            f.write("[Options]\nTimeOut=600000\nAvoid Wires Position=1\n")
        report = os.path.join(prefs, "report.json")
        command = [args.pathwick, "--prefs", prefs, "route", sheet]
        for wire in args.wire:
            command += ["--wire"] + wire
        command += ["--report", report, "--svg", os.path.join(folder, "scene.svg")]
        run = subprocess.run(command, capture_output=True, text=True)
        if run.returncode not in (0, 1):
            sys.exit("pathwick route failed:\n" + run.stderr)
        with open(report) as f:
            segments = json.load(f)["segments"]

    scene = {
        "about": args.about,
        "wires": wires,
        "expected": [{"routed": s["routed"], "path": s["path"]} for s in segments],
    }
    with open(os.path.join(folder, "scene.json"), "w") as f:
        json.dump(scene, f, indent=1)
        f.write("\n")
    print(run.stdout, end="")
    print("wrote", folder)


if __name__ == "__main__":
    main()
