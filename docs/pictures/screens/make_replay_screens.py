#!/usr/bin/env python3
"""Pictures of the kept runs: the level choice of a player with a best run of the first level
(both extra help lines), that run being watched, and its ghost beside the player. The best
run is the first level's par run, kept as the player's. Run from the game folder, under an
X display: python3 make_replay_screens.py WxH OUTDIR"""
import json, os, shutil, subprocess, sys, tempfile

SIZE = sys.argv[1] if len(sys.argv) > 1 else "1024x768"
OUT = sys.argv[2] if len(sys.argv) > 2 else "."
TOOL = "./tarnhollow-tool"
R, H, SPACE, ESC = 19, 35, 57, 1
# Intro ended, Play, ACE chosen, Continue in the shop: the level choice.
TO_THE_CHOICE = [(0, SPACE), (1, None), (13, SPACE), (14, None), (17, SPACE), (18, None),
                 (21, SPACE), (22, None)]


def level_id(number):
    out = subprocess.run([TOOL, "level", f"lvl/{number:02d}.dat"], capture_output=True, text=True)
    return json.loads(out.stdout)["id"]


def fresh_home():
    home = tempfile.mkdtemp()
    guns = "".join("<Gun><Own>0</Own><AmmoCurrent>0</AmmoCurrent><AmmoAll>0</AmmoAll></Gun>"
                   for _ in range(3))
    def player(name, lives):
        return (f"<Player><Name>{name}</Name><Id>1</Id><Score>0</Score><Lives>{lives}</Lives>"
                f"<Energy>100</Energy><Gun>0</Gun><Money>0</Money><Jump>100</Jump>"
                f"<Guns>{guns}</Guns><Levels></Levels></Player>")
    doc = "<Players><HighestLevelPassed>100</HighestLevelPassed>" + player("ACE", 7)
    doc += "".join(player(f"PLAYER {n}", 0) for n in range(2, 11)) + "</Players>"
    data = bytes((b + (i + 1) % 50 + 1) % 256 for i, b in enumerate(doc.encode()))
    with open(os.path.join(home, "players.dat"), "wb") as f:
        f.write(data + b"\r\n")
    best = os.path.join(home, "replays", "1")
    os.makedirs(best)
    shutil.copy("par/01.replay", os.path.join(best, level_id(1) + ".best"))
    return home


def run(steps, extra):
    with tempfile.NamedTemporaryFile("w", suffix=".keys", delete=False) as keys:
        for frame, code in sorted(steps):
            keys.write(f"{frame}:{'' if code is None else ' ' + str(code)}\n")
    args = [TOOL, "run", "--keys", keys.name, "--home", fresh_home(), "--size", SIZE] + extra
    return subprocess.run(args, capture_output=True, text=True).stdout.splitlines()


def first_frame_of(lines, screen, after=0):
    for line in lines:
        entry = json.loads(line)
        if entry.get("screen") == screen and entry["frame"] > after:
            return entry["frame"]
    raise SystemExit(f"the run never reached {screen}")


# R at the choice watches the best run; Esc ends it; Space then plays the level beside him.
steps = TO_THE_CHOICE + [(30, R), (31, None)]
lines = run(steps, ["--trace", "--frames", "120"])
watch = first_frame_of(lines, "watch")
steps += [(watch + 300, ESC), (watch + 301, None)]
lines = run(steps + [(watch + 330, SPACE), (watch + 331, None)],
            ["--trace", "--frames", str(watch + 500)])
play = first_frame_of(lines, "play", watch + 301)
steps += [(watch + 330, SPACE), (watch + 331, None)]
# The hero stands at the start while the ghost sets off along the first corridor.
shots = [(28, "choose-level-replays"), (watch + 240, "watching-replay"), (play + 24, "ghost")]
run(steps, sum((["--shot", f"{f}:{os.path.join(OUT, n)}.png"] for f, n in shots), []) +
    ["--frames", str(play + 45)])
