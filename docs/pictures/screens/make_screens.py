#!/usr/bin/env python3
"""Walks the game from the intro to Quit with one key script and saves a picture of every
screen on the way. Run from the game folder: python3 make_screens.py WxH OUTDIR"""
import os, subprocess, sys, tempfile

SIZE = sys.argv[1] if len(sys.argv) > 1 else "1024x768"
OUT = sys.argv[2] if len(sys.argv) > 2 else "."
ESC, ENTER, SPACE, DOWN, UP, DELETE, PGDN = 1, 28, 57, 208, 200, 211, 209
LETTERS = {"r": 19, "a": 30, "v": 47, "e": 18, "n": 49, "o": 24, "x": 45}

steps, shots, frame = [], [], 0

def press(code, gap=5):
    global frame
    steps.append((frame, code))
    steps.append((frame + 1, None))
    frame += gap

def shot(name):
    shots.append((frame, name))
    frame_advance(3)

def frame_advance(n):
    global frame
    frame += n

# The intro at three moments, then a key ends it.
for seconds, name in ((12, "intro-12s"), (30, "intro-30s"), (64, "intro-64s")):
    shots.append((seconds * 35, name))
frame = 64 * 35 + 10
press(SPACE, 20)
shot("main-menu")
press(DOWN, 10); shot("main-high-scores")
press(DOWN, 10); shot("main-credits")
press(DOWN); press(SPACE, 10)           # the options screen
press(SPACE, 10); press(DOWN, 3); shot("options-redefining")
press(ESC, 10); press(ESC, 10)          # stop redefining, back to the main menu
press(UP); press(UP); press(UP)         # back to Play
press(SPACE, 10)                        # choose player
press(DELETE, 10)
for c in "raven":
    press(LETTERS[c], 3)
shot("choose-player-typing")
for c in "ox":
    press(LETTERS[c], 3)
press(ENTER, 10); press(SPACE, 10)      # the shop
for _ in range(6):
    press(UP, 3)
shot("shop-pistol")
press(SPACE, 10); press(UP, 5); press(SPACE, 10)   # buy it, Continue
press(PGDN, 3); press(DOWN, 3); press(DOWN, 10); shot("choose-level-area-2")
for _ in range(12):
    press(UP, 3)                                    # back to the first level
press(SPACE, 60); shot("play")
press(ESC, 40); shot("results-retreated")
press(ESC, 20); shot("main-after-level")
press(ESC, 10)

script = {}
for f, code in steps:
    script.setdefault(f, set())
    if code is not None:
        script[f].add(code)
with tempfile.NamedTemporaryFile("w", suffix=".keys", delete=False) as keys:
    for f in sorted(script):
        keys.write(f"{f}: {' '.join(map(str, sorted(script[f])))}\n")
home = tempfile.mkdtemp()
args = ["./tarnhollow-tool", "run", "--keys", keys.name, "--home", home, "--size", SIZE]
for f, name in shots:
    args += ["--shot", f"{f}:{os.path.join(OUT, name)}.png"]
if "--trace" in sys.argv:
    args.append("--trace")
sys.exit(subprocess.call(args))
