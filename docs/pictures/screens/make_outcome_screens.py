#!/usr/bin/env python3
"""Pictures of the screens that need a player with a history: the loading picture, the
results of a completed level and of a game over, and the epilogue. Writes a players file
whose slot 1 ("ACE") has completed every campaign level but the first, walks him through
the first level (the epilogue follows), then plays a game over with one life left.
Run from the game folder: python3 make_outcome_screens.py WxH OUTDIR"""
import json, os, subprocess, sys, tempfile

SIZE = sys.argv[1] if len(sys.argv) > 1 else "1024x768"
OUT = sys.argv[2] if len(sys.argv) > 2 else "."
TOOL = "./tarnhollow-tool"
# The first level walked to its exit, from its first poll on.
ROUTE = [(0, 205), (6, 208), (44, 205), (50, 208), (131, 203), (156, 208), (175, 203),
         (237, 208), (306, 205), (331, 208), (362, 205), (431, 200), (443, None)]
# Intro ended, Play, ACE chosen, Continue in the shop, the first level started.
TO_THE_LEVEL = [(0, 57), (1, None), (13, 57), (14, None), (17, 57), (18, None), (21, 57),
                (22, None), (25, 57), (26, None)]


def level_id(number):
    out = subprocess.run([TOOL, "level", f"lvl/{number:02d}.dat"], capture_output=True, text=True)
    return json.loads(out.stdout)["id"]


def players_file(path, lives, levels):
    guns = "".join("<Gun><Own>0</Own><AmmoCurrent>0</AmmoCurrent><AmmoAll>0</AmmoAll></Gun>"
                   for _ in range(3))
    def player(name, lives, done):
        ids = "".join(f"<Name>{i}</Name>" for i in done)
        return (f"<Player><Name>{name}</Name><Id>1</Id><Score>0</Score><Lives>{lives}</Lives>"
                f"<Energy>100</Energy><Gun>0</Gun><Money>0</Money><Jump>100</Jump>"
                f"<Guns>{guns}</Guns><Levels>{ids}</Levels></Player>")
    doc = "<Players><HighestLevelPassed>100</HighestLevelPassed>" + player("ACE", lives, levels)
    doc += "".join(player(f"PLAYER {n}", 0, []) for n in range(2, 11)) + "</Players>"
    data = bytes((b + (i + 1) % 50 + 1) % 256 for i, b in enumerate(doc.encode()))
    with open(path, "wb") as f:
        f.write(data + b"\r\n")


def run(steps, home, extra):
    with tempfile.NamedTemporaryFile("w", suffix=".keys", delete=False) as keys:
        for frame, code in sorted(steps):
            keys.write(f"{frame}:{'' if code is None else ' ' + str(code)}\n")
    args = [TOOL, "run", "--keys", keys.name, "--home", home, "--size", SIZE] + extra
    return subprocess.run(args, capture_output=True, text=True).stdout.splitlines()


def first_frame_of(lines, screen):
    for line in lines:
        entry = json.loads(line)
        if entry.get("screen") == screen:
            return entry["frame"]
    raise SystemExit(f"the run never reached {screen}")


def shots(pairs):
    return sum((["--shot", f"{f}:{os.path.join(OUT, name)}.png"] for f, name in pairs), [])


def fresh_home(lives, levels):
    home = tempfile.mkdtemp()
    players_file(os.path.join(home, "players.dat"), lives, levels)
    return home


# Completed, and the epilogue after it: every campaign level but the first is done. Each run
# starts from a fresh user folder, so the pictures show one run's times only.
done = [level_id(n) for n in range(2, 81)]
play = first_frame_of(run(TO_THE_LEVEL, fresh_home(7, done), ["--trace", "--frames", "100"]),
                      "play")
steps = TO_THE_LEVEL + [(play + f, c) for f, c in ROUTE]
lines = run(steps, fresh_home(7, done), ["--trace", "--frames", "2500"])
epilogue = first_frame_of(lines, "epilogue")
results = first_frame_of(lines, "results")
run(steps + [(results + 20, 1), (results + 21, None), (results + 30, 1)], fresh_home(7, done),
    shots([(1, "loading-8"), (12, "loading-100"), (epilogue + 5 * 35, "epilogue-5s"),
           (epilogue + 21 * 35, "epilogue-21s"), (results + 15, "results-completed")]))

# Game over: one life left, and Esc in the level.
steps = TO_THE_LEVEL + [(play + 40, 1), (play + 41, None)]
results = first_frame_of(run(steps, fresh_home(1, []), ["--trace", "--frames", str(play + 200)]),
                         "results")
run(steps + [(results + 20, 1), (results + 21, None), (results + 30, 1)], fresh_home(1, []),
    shots([(results + 15, "results-game-over")]))
