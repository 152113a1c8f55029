#!/usr/bin/env python3
"""Draws the first appearance of each element of play in the campaign (and one picture per
area) as the autopilot meets it: the autopilot plays the level and writes its keys, `play
--trace` finds the first frame in which the hero is near the element (or makes his n-th
jump), and `render` draws that frame.

usage (from the build folder's game/):
  python3 ../../docs/pictures/first_appearances.py [LEVEL...]
writes ../../docs/pictures/levels/NN-what.png, 400 pixels wide.
"""
import json
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCES = os.path.join(HERE, "..", "..", "tools", "levels", "campaign")
OUT = os.path.join(HERE, "levels")

# (level, file name, what to wait for). What: "map:CHARS" (the first cell of the map with
# one of the characters), "item:NAME" or "creature:NAME" (the first cell holding it),
# "jump:N" (the hero's n-th jump), "frame:N" (that frame).
SHOTS = [
    (1, "01-treasure", "item:treasure"),
    (2, "02-first-gap", "jump:1"),
    (3, "03-two-cell-gap", "jump:4"),
    (4, "04-spikes-beside-the-path", "map:*"),
    (4, "04-potion-of-health", "item:health"),
    (5, "05-jump-meter-chain", "jump:5"),
    (6, "06-potion-of-life", "item:life"),
    (8, "08-speed-potion", "item:speed"),
    (10, "10-area-1", "frame:400"),
    (11, "11-zombie-behind-a-pit", "creature:zombie"),
    (13, "13-cracked-wall", "map:%"),
    (16, "16-blessing-potion", "item:blessing"),
    (20, "20-area-2", "frame:400"),
    (21, "21-crumbling-beside-solid", "map:,"),
    (22, "22-plate-and-door", "map:D"),
    (29, "29-invincibility-potion", "item:invincibility"),
    (30, "30-area-3", "frame:400"),
    (31, "31-first-belt", "map:<>^v"),
    (33, "33-closing-pit", "map:u"),
    (34, "34-plate-raises-a-wall", "map:d"),
    (35, "35-plate-fires-arrows", "map:a"),
    (40, "40-area-4", "frame:400"),
]


def target_cells(source, what):
    kind, value = what.split(":", 1)
    body = source[source.index("\nmap\n") + 5:]
    rows = body[:body.index("\nend")].split("\n")
    if kind == "map":
        return [(column, line) for line, row in enumerate(rows)
                for column, ch in enumerate(row) if ch in value]
    cells = source[source.index("\ncells\n") + 7:]
    return [tuple(int(x) for x in entry.split()[:2]) for entry in cells.splitlines()
            if re.search(r"\b%s=%s\b" % (kind, re.escape(value)), entry)]


def frame_of(trace, what, source):
    kind, value = what.split(":", 1)
    if kind == "frame":
        return int(value)
    jumps, airborne = 0, False
    targets = target_cells(source, what) if kind != "jump" else []
    for entry in trace:
        if kind == "jump":
            up = entry["height"] > 0.2
            if up and not airborne:
                jumps += 1
                if jumps == int(value):
                    return entry["frame"] + 6
            airborne = up
        elif any(max(abs(entry["column"] - c), abs(49 - entry["row"] - l)) <= 2.5 for c, l in targets):
            return entry["frame"]
    raise SystemExit("the hero never came near %s" % what)


def main():
    tool = "./tarnhollow-tool"
    wanted = {int(x) for x in sys.argv[1:]}
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        players = os.path.join(tmp, "gunner.dat")
        subprocess.run([sys.executable, os.path.join(HERE, "make_players.py"), players, "1"], check=True)
        for level, name, what in SHOTS:
            if wanted and level not in wanted:
                continue
            source_path = os.path.join(SOURCES, "%02d.lvl" % level)
            source = open(source_path).read()
            dat, keys = os.path.join(tmp, "l.dat"), os.path.join(tmp, "l.keys")
            subprocess.run([tool, "level-compile", source_path, dat], check=True, capture_output=True)
            # From the second area on the hero carries the pistol he has bought by then.
            armed = ["--players", players, "--slot", "1"] if level > 10 else []
            subprocess.run([tool, "autoplay", dat, "--keys-out", keys] + armed, check=True, capture_output=True)
            out = subprocess.run([tool, "play", dat, "--keys", keys, "--trace"] + armed,
                                 check=True, capture_output=True, text=True).stdout
            trace = [json.loads(x) for x in out.splitlines() if x.startswith('{"frame"')]
            frame = max(30, frame_of(trace, what, source))  # after the start picture has gone
            png = os.path.join(tmp, "shot.png")
            subprocess.run([tool, "render", dat, png, "--keys", keys, "--frames", str(frame)] + armed,
                           check=True, capture_output=True)
            subprocess.run(["convert", png, "-resize", "400x", "-colors", "256",
                            os.path.join(OUT, name + ".png")], check=True)
            print("%s: frame %d" % (name, frame))


if __name__ == "__main__":
    main()
