#!/usr/bin/env python3
"""Measures the campaign's level sources (tools/levels/campaign/NN.lvl).

For every level: the share of standable cells that lie in open 4 x 4 squares, the elements
of play present, the creatures, and (with --tool) the checker's route length; given the
result of an autopilot campaign run, its frames and attempts. For the campaign: the most
alike pair of levels (the share of standable cells two levels have in common, best over
shifts of up to two cells each way) and whether the design's targets are met.

usage:
  metrics.py [--tool TOOL] [--run RUN] [--levels A-B] [--table] [--targets]
  metrics.py --tool TOOL --update        one command for everything that follows the levels

  TOOL   path of tarnhollow-tool (its folder holds the game's data)
  RUN    the lines `tarnhollow-tool autoplay-campaign` printed, saved in a file, or a folder
         holding them as campaign.jsonl (autoplay-campaign --out DIR > DIR/campaign.jsonl)
  --table    prints the README's tables (levels with their measures; per area) as Markdown
  --targets  exits with 1 when a target is missed (the lines say which)
  --update   runs the autopilot campaign (or takes RUN), rewrites the README's tables and
             par times and draws docs/pictures/campaign-maps.png
"""
import argparse
import json
import os
import re
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
N = 50

# Cells the hero can stand on, now or once a plate or a jump has changed them.
STANDABLE = set(".*o,u><v^=TXDd")

TILE_ELEMENTS = [
    ("*", "spikes"), (",", "crumbling"), ("u", "closing pits"),
    ("<>v^=", "conveyors"), ("D", "plate doors"), ("d", "raised walls"), ("ar", "plate traps"),
    ("AR", "timed traps"), ("T", "teleports"), ("%", "breakable walls"), ("I", "pillars"),
]
POTIONS = ["health", "life", "speed", "blessing", "invincibility", "invisibility", "killall"]
CREATURES = ["zombie", "warrior", "ghost", "blob"]

# The design's targets.
MEDIAN_OPEN_MAX = 0.55
OPEN_HIGH = 0.75
OPEN_HIGH_PER_AREA = 3
ALIKE_MAX = 0.45
ATTEMPTS_MAX = 4
LIVES_LOST_MAX = 80


class Level:
    def __init__(self, number, text):
        self.number = number
        self.name = re.search(r"^name: (.*)$", text, re.M).group(1).strip()
        body = text[text.index("\nmap\n") + 5:]
        self.map = body[:body.index("\nend")].split("\n")
        assert len(self.map) == N and all(len(row) == N for row in self.map), number
        cells = text[text.index("\ncells\n") + 7:]
        self.values = [line.split() for line in cells[:cells.index("end")].splitlines() if line.strip()]
        self.standable = {(c, l) for l in range(N) for c in range(N) if self.map[l][c] in STANDABLE}

    def open_share(self):
        """The share of standable cells inside some 4 x 4 square of standable cells."""
        inside = set()
        for l in range(N - 3):
            for c in range(N - 3):
                square = [(c + i, l + j) for i in range(4) for j in range(4)]
                if all(p in self.standable for p in square):
                    inside.update(square)
        return len(inside) / max(1, len(self.standable))

    def gaps(self):
        """Pits to jump: one or two pit cells in a line with standable cells on both sides
        (the void round a level is not one)."""
        def pit(c, l):
            return 0 <= c < N and 0 <= l < N and self.map[l][c] == "~"
        for c, l in self.standable:
            for dc, dl in ((1, 0), (0, 1)):
                if pit(c + dc, l + dl) and ((c + 2 * dc, l + 2 * dl) in self.standable or
                                            pit(c + 2 * dc, l + 2 * dl) and (c + 3 * dc, l + 3 * dl) in self.standable):
                    return True
        return False

    def elements(self):
        found = ["gaps"] if self.gaps() else []
        found += [name for chars, name in TILE_ELEMENTS if any(ch in row for row in self.map for ch in chars)]
        items = [w.split("=", 1)[1] for v in self.values for w in v[2:] if w.startswith("item=")]
        found += [p for p in POTIONS if p in items]
        return found

    def creatures(self):
        kinds = [w.split("=", 1)[1] for v in self.values for w in v[2:] if w.startswith("creature=")]
        return {k: kinds.count(k) for k in CREATURES if kinds.count(k)}

    def rows(self):
        """The standable cells as one bit mask per map line."""
        masks = [0] * N
        for c, l in self.standable:
            masks[l] |= 1 << c
        return masks


def read_levels(first, last):
    return [Level(n, open(os.path.join(HERE, "campaign", "%02d.lvl" % n)).read())
            for n in range(first, last + 1)]


def shared_share(a, b, reach=2):
    """The share of their standable cells two levels have in common (the cells in common
    counted in both, over all the cells of both), best over shifts of up to reach cells each
    way."""
    both = max(1, len(a.standable) + len(b.standable))
    return 2 * most_in_common(a.rows(), b.rows(), reach) / both


def most_in_common(ra, rb, reach=2):
    """The most cells two maps (one bit mask a map line) have in common, over shifts of up to
    reach cells each way."""
    best = 0
    for dl in range(-reach, reach + 1):
        for dc in range(-reach, reach + 1):
            common = 0
            for l in range(N):
                k = l + dl
                if 0 <= k < N:
                    row = rb[k] >> dc if dc >= 0 else (rb[k] << -dc) & ((1 << N) - 1)
                    common += bin(ra[l] & row).count("1")
            best = max(best, common)
    return best


def most_alike(levels):
    best = (0.0, None, None)
    for i, a in enumerate(levels):
        for b in levels[i + 1:]:
            share = shared_share(a, b)
            if share > best[0]:
                best = (share, a.number, b.number)
    return best


def route_lengths(tool, levels):
    lengths = {}
    with tempfile.TemporaryDirectory() as tmp:
        for level in levels:
            source = os.path.join(HERE, "campaign", "%02d.lvl" % level.number)
            dat = os.path.join(tmp, "%02d.dat" % level.number)
            subprocess.run([tool, "level-compile", source, dat], check=True, capture_output=True)
            out = subprocess.run([tool, "level-check", dat], capture_output=True, text=True).stdout
            m = re.search(r"route of (\d+) cells", out)
            lengths[level.number] = int(m.group(1)) if m else None
    return lengths


def read_run(path):
    if os.path.isdir(path):
        path = os.path.join(path, "campaign.jsonl")
    run = {}
    for line in open(path):
        line = line.strip()
        if line.startswith("{") and '"level"' in line:
            entry = json.loads(line)
            run[entry["level"]] = entry
    return run


def measure(levels, lengths, run):
    rows = []
    for level in levels:
        entry = run.get(level.number, {})
        rows.append(dict(
            number=level.number, name=level.name, open=level.open_share(),
            elements=level.elements(), creatures=level.creatures(),
            route=lengths.get(level.number), frames=entry.get("frames"),
            attempts=entry.get("attempts"),
            completed=entry.get("LevelOutcome") == 2 if entry else None))
    return rows


def creature_text(creatures):
    return " ".join("%d %s" % (n, k) for k, n in creatures.items()) or "-"


def print_plain(rows, alike):
    for r in rows:
        play = ""
        if r["frames"] is not None:
            play = "  %5d frames %d att" % (r["frames"], r["attempts"])
        print("%02d %-24s open %3.0f%%  route %4s%s  %s  | %s" % (
            r["number"], r["name"][:24], 100 * r["open"], r["route"] if r["route"] else "-", play,
            ", ".join(r["elements"]), creature_text(r["creatures"])))
    opens = [r["open"] for r in rows]
    print("median open share %.0f%%" % (100 * statistics.median(opens)))
    if alike[1]:
        print("most alike: %02d and %02d share %.0f%%" % (alike[1], alike[2], 100 * alike[0]))


def areas_of(rows):
    areas = {}
    for r in rows:
        areas.setdefault((r["number"] - 1) // 10 + 1, []).append(r)
    return areas


def table(rows):
    lines = ["| Level | Name | Open 4x4 | Route | Par (frames) | Par (m:ss) | Attempts | Elements | Creatures |",
             "|---|---|---|---|---|---|---|---|---|"]
    for r in rows:
        frames = r["frames"]
        par = "%d:%02d" % divmod(frames // 35, 60) if frames is not None else "-"
        lines.append("| %02d | %s | %.0f %% | %s | %s | %s | %s | %s | %s |" % (
            r["number"], r["name"], 100 * r["open"], r["route"] or "-",
            frames if frames is not None else "-", par,
            r["attempts"] if r["attempts"] is not None else "-",
            ", ".join(r["elements"]) or "-", creature_text(r["creatures"])))
    lines += ["", "| Area | Levels above 75 % open | Median open | Lives lost | Frames |", "|---|---|---|---|---|"]
    for area, members in sorted(areas_of(rows).items()):
        lost = [r["attempts"] - 1 for r in members if r["attempts"] is not None]
        frames = [r["frames"] for r in members if r["frames"] is not None]
        lines.append("| %d | %d | %.0f %% | %s | %s |" % (
            area, sum(r["open"] > OPEN_HIGH for r in members),
            100 * statistics.median(r["open"] for r in members),
            sum(lost) if lost else "-", sum(frames) if frames else "-"))
    return "\n".join(lines)


def missed_targets(rows, alike):
    missed = []
    median = statistics.median(r["open"] for r in rows)
    if median > MEDIAN_OPEN_MAX:
        missed.append("median open share %.0f%% above %.0f%%" % (100 * median, 100 * MEDIAN_OPEN_MAX))
    for area, members in sorted(areas_of(rows).items()):
        high = [r["number"] for r in members if r["open"] > OPEN_HIGH]
        if len(high) > OPEN_HIGH_PER_AREA:
            missed.append("area %d: %d levels above %.0f%% open: %s" % (area, len(high), 100 * OPEN_HIGH, high))
    if alike[0] > ALIKE_MAX:
        missed.append("levels %02d and %02d share %.0f%% of their cells" % (alike[1], alike[2], 100 * alike[0]))
    played = [r for r in rows if r["attempts"] is not None]
    for r in played:
        if not r["completed"]:
            missed.append("level %02d not completed" % r["number"])
        if r["attempts"] > ATTEMPTS_MAX:
            missed.append("level %02d needed %d attempts" % (r["number"], r["attempts"]))
    if played:
        lost = sum(r["attempts"] - 1 for r in played)
        if lost > LIVES_LOST_MAX:
            missed.append("%d lives lost in the campaign" % lost)
        per_area = [sum(r["attempts"] - 1 for r in m) for _, m in sorted(areas_of(played).items())]
        for k in range(1, len(per_area) - 1):
            rose, fell = per_area[k] - per_area[k - 1], per_area[k] - per_area[k + 1]
            if fell > max(0, rose):
                missed.append("lives lost fall after area %d by %d, more than they rose (%d)" % (k + 1, fell, rose))
    return missed


def replace_section(text, heading, new_body):
    """Replaces the first Markdown table after heading with new_body."""
    start = text.index(heading)
    first = text.index("\n|", start) + 1
    end = first
    lines = text[first:].split("\n")
    skip = 0
    # The tables run on while lines start with "|" or are blank between two tables.
    for k, line in enumerate(lines):
        if line.startswith("|"):
            skip = k + 1
        elif line.strip() == "" and k + 1 < len(lines) and lines[k + 1].startswith("|"):
            continue
        else:
            break
    end = first + len("\n".join(lines[:skip]))
    return text[:first] + new_body + text[end:]


def update(tool, run_path=None):
    tool = os.path.abspath(tool)
    data = os.path.dirname(tool)
    if run_path:
        run = read_run(run_path)
    else:
        with tempfile.TemporaryDirectory() as out:
            result = subprocess.run([tool, "autoplay-campaign", "--out", out], capture_output=True,
                                    text=True, cwd=data)
            open(os.path.join(out, "campaign.jsonl"), "w").write(result.stdout)
            run = read_run(out)
    levels = read_levels(1, 80)
    rows = measure(levels, route_lengths(tool, levels), run)
    readme = os.path.join(HERE, "README.md")
    text = open(readme).read()
    text = replace_section(text, "## Par times", table(rows))
    open(readme, "w").write(text)
    subprocess.run([tool, "map-sheet", os.path.join(data, "lvl"),
                    os.path.join(ROOT, "docs/pictures/campaign-maps.png")], check=True)
    alike = most_alike(levels)
    print_plain(rows, alike)
    return missed_targets(rows, alike)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[1])
    parser.add_argument("--tool")
    parser.add_argument("--run")
    parser.add_argument("--levels", default="1-80")
    parser.add_argument("--table", action="store_true")
    parser.add_argument("--targets", action="store_true")
    parser.add_argument("--update", action="store_true")
    args = parser.parse_args()
    if args.update:
        if not args.tool:
            parser.error("--update needs --tool")
        missed = update(args.tool, args.run)
    else:
        first, last = (int(x) for x in args.levels.split("-"))
        levels = read_levels(first, last)
        lengths = route_lengths(args.tool, levels) if args.tool else {}
        rows = measure(levels, lengths, read_run(args.run) if args.run else {})
        alike = most_alike(levels)
        if args.table:
            print(table(rows))
        else:
            print_plain(rows, alike)
        missed = missed_targets(rows, alike)
    for line in missed:
        print("target missed: " + line)
    return 1 if args.targets and missed else 0


if __name__ == "__main__":
    sys.exit(main())
