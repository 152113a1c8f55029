#!/usr/bin/env python3
"""Designs the campaign's areas 5-8 (levels 41-80, tools/levels/campaign/NN.lvl).

A design tool, not a build step: the committed sources are the levels. Each level is drawn
from its area's layout grammar (mine galleries and shafts, islands over the underworld's void
and its caverns, temple halls with colonnades and gauntlets, the kings' rings and arenas),
carries the obstacles and creatures its line in PLAN names, and holds its set-piece. A draft
is kept only when the checker finds a route, its ground is not mostly open squares, it is not
too like a level kept before, and (with --players) the autopilot finishes it within the
level's budget of lives; otherwise the next seed is drawn.

usage: areas_5_8.py TOOL [--players FILE] [--seed-base K] [N...]
  TOOL     path of tarnhollow-tool (its folder holds the game's data)
  FILE     a players file for the autopilot (slot 1): the hero as he reaches area 5
"""
import os
import random
import re
import subprocess
import sys
import tempfile

import metrics
from generate_campaign import campaign_ids

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
N = 50
STANDABLE = set(".*o,u><v^=TXDd")

# The areas' settings, as the campaign has always had them.
AREAS = {
    5: dict(floor=8, wall=4, pillar=3, main="255 190 110 0.3 -1 0.3 85", fill="80 60 40 35"),
    6: dict(floor=10, wall=8, pillar=4, main="220 90 60 0 -1 0.4 80", fill="60 20 30 30"),
    7: dict(floor=11, wall=10, pillar=2, main="240 200 160 -0.2 -1 -0.3 85", fill="90 60 110 35"),
    8: dict(floor=12, wall=11, pillar=4, main="255 245 225 0.3 -1 0.2 100", fill="100 90 130 45"),
}

# Layout grammars: the slot grid the places sit in, the kind of place, what fills the rest.
#   galleries  long flat chambers one above another, joined by shafts (mine)
#   shafts     tall narrow chambers side by side, joined by low galleries (mine)
#   islands    ragged islands over the void, joined by one-cell bridges (underworld)
#   caverns    ragged caves in the rock with stalagmites (underworld)
#   halls      temple halls whose pillars stand three apart (temple)
#   cells      a grid of small rooms and long corridors: the priests' maze (temple)
#   ring       rooms round the map's middle, the exit back near the start, a hall inside
GRAMMARS = {
    "galleries": dict(cols=3, rows=6, fill="#", shape="gallery"),
    "shafts": dict(cols=6, rows=3, fill="#", shape="shaft"),
    "islands": dict(cols=5, rows=5, fill="~", shape="blob"),
    "caverns": dict(cols=4, rows=4, fill="#", shape="cave"),
    "halls": dict(cols=4, rows=4, fill="#", shape="hall"),
    "cells": dict(cols=6, rows=6, fill="#", shape="small"),
    "ring": dict(cols=5, rows=5, fill="#", shape="small"),
}

# (name, grammar, obstacles on the way, potions, zombies, warriors, ghosts, treasure,
#  set-piece, lives the autopilot may lose)
# Obstacles: gap1 gap2 spikes crumble conveyor closing door teleport raise timed arrows
# breakable; set-pieces: arrowlane (timed arrow traps across a side gallery, seen before
# the way crosses one), lift (a teleport pair with a walk-round), moat (a warrior behind a
# chasm), arena (one open hall where the creatures meet the hero), far-ghost (the first
# ghost on a far island), gauntlet (the longest passage carries its hazard three times).
PLAN = [
    # Area 5: Varrosco's Gold
    ("Mine Entrance", "galleries", "arrows gap1", "health", 3, 0, 0, 30, "arrowlane", 0),
    ("The Cage Lift", "shafts", "lift gap1 arrows", "health", 3, 0, 0, 30, "lift", 0),
    ("Varrosco's Sentry", "galleries", "arrows gap2 teleport", "health", 3, 1, 0, 32, "moat", 0),
    ("Rockfall Gallery", "galleries", "timed gap1 timed", "health life", 4, 1, 0, 32, "gauntlet", 1),
    ("Deep Shafts", "shafts", "teleport timed gap2", "health", 4, 2, 0, 34, "", 1),
    ("Ore Carts", "galleries", "conveyor timed teleport", "health speed", 5, 2, 0, 34, "gauntlet", 1),
    ("Gold Fever", "shafts", "timed breakable crumble", "health life", 5, 2, 0, 40, "", 1),
    ("The Collapsing Mine", "galleries", "crumble timed teleport", "health", 5, 3, 0, 36, "", 1),
    ("Varrosco's Chamber", "shafts", "teleport door timed", "health invincibility", 6, 3, 0, 38, "arena", 1),
    ("The Mother Lode", "galleries", "teleport timed conveyor crumble", "health life", 7, 3, 0, 42, "", 1),
    # Area 6: Underworld
    ("Descent into Shadow", "islands", "gap1 closing", "health", 3, 1, 1, 28, "far-ghost", 1),
    ("River of Shades", "islands", "closing gap2", "health invisibility", 4, 1, 2, 30, "", 1),
    ("Bone Fields", "caverns", "spikes timed", "health life", 5, 1, 2, 30, "gauntlet", 1),
    ("Whispering Dark", "islands", "teleport closing", "health", 4, 2, 2, 32, "", 1),
    ("Gates of the Dead", "caverns", "door spikes closing", "health blessing", 5, 2, 2, 32, "", 1),
    ("Ghost Lights", "islands", "teleport crumble", "health invisibility", 5, 2, 3, 34, "", 1),
    ("Pit of Souls", "islands", "closing crumble gap2", "health life", 6, 2, 3, 34, "", 1),
    ("Burning Floor", "caverns", "spikes raise conveyor", "health", 6, 3, 3, 34, "gauntlet", 1),
    ("The Silent Court", "caverns", "teleport door timed", "health killall", 7, 3, 3, 36, "arena", 2),
    ("Lord of Shadows", "islands", "closing spikes teleport raise", "health life", 7, 3, 3, 38, "", 2),
    # Area 7: Temple of Huitzilopochtl
    ("Temple Stairs", "halls", "raise spikes", "health", 4, 2, 1, 30, "", 1),
    ("Hall of Arrows", "halls", "raise timed raise", "health", 4, 3, 1, 32, "gauntlet", 1),
    ("Sun Altar", "halls", "door teleport", "health life", 5, 3, 1, 34, "", 1),
    ("Warrior Barracks", "halls", "timed door", "health killall", 4, 5, 1, 32, "arena", 2),
    ("Serpent Gate", "halls", "raise teleport crumble", "health", 6, 4, 2, 34, "", 1),
    ("Blood Steps", "halls", "spikes timed conveyor", "health blessing", 6, 4, 2, 36, "gauntlet", 2),
    ("Priests' Maze", "cells", "door door teleport", "health life", 6, 4, 2, 36, "", 2),
    ("Hummingbird Shrine", "halls", "raise closing timed", "health speed", 7, 4, 2, 38, "", 2),
    ("The Sacrifice Stone", "halls", "door raise crumble timed", "health invincibility", 7, 5, 2, 38, "arena", 2),
    ("Huitzilopochtl's Eye", "halls", "teleport raise timed spikes", "health life", 8, 5, 3, 40, "", 2),
    # Area 8: Heritage of the Kings
    ("Kings' Road", "ring", "gap2 spikes conveyor timed", "health", 7, 3, 2, 36, "", 2),
    ("Royal Tombs", "caverns", "door crumble closing", "health life", 7, 4, 2, 38, "", 2),
    ("Throne of Ash", "ring", "raise teleport spikes", "health", 8, 4, 3, 38, "arena", 2),
    ("Crown Vault", "shafts", "breakable door timed crumble", "health blessing", 8, 4, 3, 42, "", 2),
    ("Hall of Ancestors", "halls", "teleport conveyor closing", "health life", 8, 5, 3, 40, "", 2),
    ("The Kings' Guard", "caverns", "timed raise door", "health killall", 9, 6, 3, 40, "arena", 2),
    ("Labyrinth of Crowns", "cells", "teleport door door crumble", "health", 9, 5, 3, 42, "", 2),
    ("Last Bridges", "islands", "crumble gap2 conveyor closing", "health life", 9, 5, 4, 42, "", 2),
    ("Sceptre Chamber", "galleries", "raise timed teleport spikes", "health invincibility", 10, 6, 4, 44, "gauntlet", 2),
    ("Heritage of the Kings", "ring", "door raise teleport crumble conveyor timed", "health life killall", 10, 6, 4, 48, "arena", 2),
]
assert len(PLAN) == 40


class Level:
    def __init__(self, fill, rng):
        self.rng = rng
        self.fill = fill
        self.map = [[fill] * N for _ in range(N)]
        self.cells = {}
        self.channel = 0

    def set(self, p, ch):
        self.map[p[1]][p[0]] = ch

    def get(self, p):
        c, l = p
        return self.map[l][c] if 0 <= c < N and 0 <= l < N else "#"

    def note(self, p, **values):
        self.cells.setdefault(p, {}).update(values)

    def next_channel(self):
        self.channel += 1
        return self.channel


class Place:
    """A room, island or hall in one slot: its cells and its bounding box."""

    def __init__(self, slot, cells):
        self.slot = slot
        self.cells = set(cells)
        xs = [c for c, _ in cells]
        ys = [l for _, l in cells]
        self.x0, self.x1, self.y0, self.y1 = min(xs), max(xs), min(ys), max(ys)
        self.pillars = set()

    def inner(self):
        return [p for p in self.cells if all((p[0] + dc, p[1] + dl) in self.cells
                                             for dc, dl in ((1, 0), (-1, 0), (0, 1), (0, -1)))]


def rect(x0, y0, w, h):
    return [(c, l) for l in range(y0, y0 + h) for c in range(x0, x0 + w)]


def make_place(shape, slot, box, rng):
    """box = (x0, y0, x1, y1) of the slot, inclusive, with a margin left for passages."""
    bx0, by0, bx1, by1 = box
    bw, bh = bx1 - bx0 + 1, by1 - by0 + 1

    def anywhere(w, h):
        w, h = min(w, bw), min(h, bh)
        x = rng.randint(bx0, bx1 - w + 1)
        y = rng.randint(by0, by1 - h + 1)
        return x, y, w, h

    if shape == "gallery":
        x, y, w, h = anywhere(rng.randint(max(5, bw - 6), bw), rng.randint(2, 3))
        return Place(slot, rect(x, y, w, h))
    if shape == "shaft":
        x, y, w, h = anywhere(rng.randint(2, 3), rng.randint(max(5, bh - 6), bh))
        return Place(slot, rect(x, y, w, h))
    if shape in ("blob", "cave"):
        # A few overlapping patches round one centre: ragged ground, no two alike.
        cx, cy = rng.randint(bx0 + 2, bx1 - 2), rng.randint(by0 + 2, by1 - 2)
        cells = set(rect(cx - 1, cy - 1, 3, 3))
        for _ in range(2 if shape == "blob" else 4):
            w, h = rng.randint(2, 3), rng.randint(2, 3)
            x = min(max(bx0, cx + rng.randint(-3, 1)), bx1 - w + 1)
            y = min(max(by0, cy + rng.randint(-3, 1)), by1 - h + 1)
            cells.update(rect(x, y, w, h))
        return Place(slot, cells)
    if shape == "hall":
        x, y, w, h = anywhere(rng.randint(5, 9), rng.randint(5, 9))
        place = Place(slot, rect(x, y, w, h))
        if w >= 7 and h >= 7 and rng.random() < 0.6:
            # A court round a sanctum of solid stone: a two-cell cloister.
            core = set(rect(x + 2, y + 2, w - 4, h - 4))
            place = Place(slot, [p for p in place.cells if p not in core])
            return place
        # Pillars three apart, off the walls: no open square in a hall, and cover from arrows.
        ox, oy = rng.randint(1, 2), rng.randint(1, 2)
        for c, l in place.cells:
            if x < c < x + w - 1 and y < l < y + h - 1 and (c - x - ox) % 3 == 0 and (l - y - oy) % 3 == 0:
                place.pillars.add((c, l))
        return place
    # small: rooms of a maze or of a ring
    x, y, w, h = anywhere(rng.randint(3, 5), rng.randint(3, 5))
    return Place(slot, rect(x, y, w, h))


def slot_path(rng, cols, rows, length):
    """A long self-avoiding walk over the slots (depth first in random order)."""
    best = []
    for _ in range(30):
        start = (rng.randrange(cols), rng.randrange(rows))
        path, budget = [start], [4000]

        def extend():
            nonlocal best
            if len(path) > len(best):
                best = list(path)
            if len(path) >= length or budget[0] <= 0:
                return len(path) >= length
            budget[0] -= 1
            x, y = path[-1]
            options = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                       if 0 <= x + dx < cols and 0 <= y + dy < rows and (x + dx, y + dy) not in path]
            rng.shuffle(options)
            for s in options:
                path.append(s)
                if extend():
                    return True
                path.pop()
            return False

        if extend():
            return best
    return best


def ring_path(cols, rows, rng):
    """The slots round the grid's rim, from a random one all the way round but the last."""
    rim = [(x, 0) for x in range(cols)] + [(cols - 1, y) for y in range(1, rows)] + \
          [(x, rows - 1) for x in range(cols - 2, -1, -1)] + [(0, y) for y in range(rows - 2, 0, -1)]
    k = rng.randrange(len(rim))
    rim = rim[k:] + rim[:k]
    if rng.random() < 0.5:
        rim = rim[:1] + rim[1:][::-1]
    return rim[:-1]


def passage(a, b, rng):
    """Cells from place a to place b (adjacent slots) outside both: out of a, along the gap
    between them, into b, with one jog where the two do not line up."""
    horizontal = a.slot[1] == b.slot[1]
    if horizontal:
        sign = 1 if b.slot[0] > a.slot[0] else -1
        ya = rng.choice(sorted({l for c, l in a.cells if c == (a.x1 if sign > 0 else a.x0)}))
        yb = rng.choice(sorted({l for c, l in b.cells if c == (b.x0 if sign > 0 else b.x1)}))
        xa, xb = (a.x1 if sign > 0 else a.x0), (b.x0 if sign > 0 else b.x1)
        lo, hi = sorted((xa + sign, xb - sign))
        mid = rng.randint(lo, hi) if lo <= hi else xa + sign
        cells = [(x, ya) for x in range(xa + sign, mid + sign, sign)]
        step = 1 if yb > ya else -1
        cells += [(mid, y) for y in range(ya + step, yb + step, step)] if ya != yb else []
        cells += [(x, yb) for x in range(mid + sign, xb, sign)]
    else:
        sign = 1 if b.slot[1] > a.slot[1] else -1
        xa = rng.choice(sorted({c for c, l in a.cells if l == (a.y1 if sign > 0 else a.y0)}))
        xb = rng.choice(sorted({c for c, l in b.cells if l == (b.y0 if sign > 0 else b.y1)}))
        ya, yb = (a.y1 if sign > 0 else a.y0), (b.y0 if sign > 0 else b.y1)
        lo, hi = sorted((ya + sign, yb - sign))
        mid = rng.randint(lo, hi) if lo <= hi else ya + sign
        cells = [(xa, y) for y in range(ya + sign, mid + sign, sign)]
        step = 1 if xb > xa else -1
        cells += [(x, mid) for x in range(xa + step, xb + step, step)] if xa != xb else []
        cells += [(xb, y) for y in range(mid + sign, yb, sign)]
    return [p for p in cells if p not in a.cells and p not in b.cells]


def straight_runs(cells):
    """The passage's straight pieces (each a list of cells in order)."""
    runs, run = [], cells[:1]
    for p in cells[1:]:
        if len(run) >= 2 and (p[0] - run[-1][0], p[1] - run[-1][1]) != (run[-1][0] - run[-2][0], run[-1][1] - run[-2][1]):
            runs.append(run)
            run = [run[-1]]
        run.append(p)
    if run:
        runs.append(run)
    return runs


def side_cells(cells):
    out = []
    for k, (c, l) in enumerate(cells):
        nxt = cells[k + 1] if k + 1 < len(cells) else cells[k - 1] if k else (c + 1, l)
        if nxt[1] == l:
            out += [(c, l - 1), (c, l + 1)]
        else:
            out += [(c - 1, l), (c + 1, l)]
    return out


def direction_char(a, b):
    if b[0] > a[0]: return ">"
    if b[0] < a[0]: return "<"
    if b[1] > a[1]: return "v"
    return "^"


def place_obstacle(level, kind, cells, before, gauntlet=False):
    """Puts one obstacle on a carved passage; before = places the hero has passed (plates)."""
    rng = level.rng
    n = len(cells)
    runs = sorted(straight_runs(cells), key=len, reverse=True)
    longest = runs[0] if runs else cells

    def gap(width):
        # A chasm only in a straight piece with a cell to stand on at each side.
        for run in runs:
            if len(run) >= width + 2:
                k = rng.randint(1, len(run) - width - 1)
                for p in run[k:k + width]:
                    level.set(p, "~")
                return True
        return False

    times = 3 if gauntlet else 1
    if kind in ("gap1", "gap2"):
        if not gap(1 if kind == "gap1" else 2) and kind == "gap2":
            gap(1)
    elif kind == "spikes":
        # Runs of up to three spikes with a quiet cell between: they spring together.
        for t in range(times):
            if len(longest) < 2:
                break
            k = rng.randint(0, max(0, len(longest) - 3))
            for p in longest[k:k + min(3, len(longest))]:
                level.set(p, "*")
    elif kind == "crumble":
        for p in cells:
            level.set(p, ",")
        for p in side_cells(cells):
            if level.get(p) == "#":
                level.set(p, "~")
    elif kind == "conveyor":
        back = rng.random() < 0.5
        for k, p in enumerate(cells):
            if back:
                target = cells[k - 1] if k > 0 else (2 * p[0] - cells[1][0], 2 * p[1] - cells[1][1]) if n > 1 else None
            else:
                target = cells[k + 1] if k + 1 < n else (2 * p[0] - cells[k - 1][0], 2 * p[1] - cells[k - 1][1]) if n > 1 else None
            level.set(p, direction_char(p, target) if target else ">")
    elif kind == "closing":
        for run in runs:
            if len(run) >= 3:
                level.set(run[rng.randint(1, len(run) - 2)], "u")
                break
    elif kind == "door" and before:
        ch = level.next_channel()
        level.set(cells[n // 2], "D")
        level.note(cells[n // 2], link=ch)
        room = rng.choice(before[:max(1, len(before) - 1)])
        spots = [p for p in room.cells if level.get(p) == "." and p not in level.cells]
        spot = rng.choice(spots)
        level.set(spot, "o")
        level.note(spot, link=ch)
    elif kind == "raise" and n >= 3:
        # The plate near the far end seals the passage behind the hero and looses the arrows.
        ch = level.next_channel()
        k = n - 2
        level.set(cells[k], "o")
        level.note(cells[k], link=ch)
        level.set(cells[0], "d")
        level.note(cells[0], link=ch)
        for p in side_cells(cells[1:k + 1]):
            if level.get(p) in "#~" and rng.random() < 0.6:
                level.set(p, "a")
                level.note(p, link=ch)
    elif kind in ("timed", "arrows"):
        chance = 0.5 if gauntlet else 0.35
        for p in side_cells(cells):
            if level.get(p) in "#~" and rng.random() < chance:
                level.set(p, "A" if kind == "arrows" else rng.choice("AR"))
                level.note(p, period=rng.choice([70, 90, 110, 140]), phase=rng.randint(0, 60))
    elif kind == "breakable":
        level.set(cells[n // 2], "%")


def walkable_from(level, cell):
    """The cells a creature that neither jumps nor takes teleports reaches from cell."""
    seen, todo = {cell}, [cell]
    while todo:
        c, l = todo.pop()
        for p in ((c + 1, l), (c - 1, l), (c, l + 1), (c, l - 1)):
            if p not in seen and level.get(p) in ".*o,><v^=XdT":
                seen.add(p)
                todo.append(p)
    return seen


def build(number, plan, level_id, seed):
    name, grammar_name, obstacles, potions, zombies, warriors, ghosts, treasures, piece, _ = plan
    area = (number - 1) // 10 + 1
    grammar = GRAMMARS[grammar_name]
    rng = random.Random(seed)
    level = Level(grammar["fill"], rng)
    cols, rows = grammar["cols"], grammar["rows"]
    sw, sh = (N - 2) // cols, (N - 2) // rows

    if grammar_name == "ring":
        # Round the rim, then in to the exit in the middle.
        path = ring_path(cols, rows, rng)
        x, y = path[-1]
        path.append((min(max(x, 1), cols - 2), min(max(y, 1), rows - 2)))
        if abs(path[-1][0] - x) + abs(path[-1][1] - y) != 1:
            path.pop()
    else:
        path = slot_path(rng, cols, rows, int(cols * rows * rng.uniform(0.5, 0.65)))
    margin = 1

    def box(slot):
        x0, y0 = 1 + slot[0] * sw, 1 + slot[1] * sh
        return (x0 + margin, y0 + margin, x0 + sw - 1 - margin, y0 + sh - 1 - margin)

    places = {s: make_place(grammar["shape"], s, box(s), rng) for s in path}
    main = [places[s] for s in path]
    sides = []
    free = [(x, y) for x in range(cols) for y in range(rows) if (x, y) not in places]
    rng.shuffle(free)
    for slot in free:
        hosts = [places[(slot[0] + dx, slot[1] + dy)] for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                 if (slot[0] + dx, slot[1] + dy) in places and places[(slot[0] + dx, slot[1] + dy)] is not main[-1]]
        if hosts and len(sides) < (2 if grammar["shape"] == "hall" else 4):
            shape = "hall" if (piece == "arena" and not sides) else grammar["shape"]
            place = make_place(shape, slot, box(slot), rng)
            if piece == "arena" and not sides:
                place.pillars = set()  # the one open hall of the level
            place.host = rng.choice(hosts)
            places[slot] = place
            sides.append(place)

    for place in places.values():
        for p in place.cells:
            level.set(p, ".")
        for p in place.pillars:
            level.set(p, "I")
    for place in places.values():
        for p in place.pillars:
            place.cells.discard(p)

    links = [passage(main[k], main[k + 1], rng) for k in range(len(main) - 1)]
    side_links = [passage(s.host, s, rng) for s in sides]
    extra = []
    if grammar_name == "ring":
        # Shortcuts across the ring: a place in the middle joined to two sides of it.
        # Both ends lie in the ring's first half: the shortcut saves a stretch, not the loop.
        first_half = set(path[:len(path) // 2])
        inner = [(x, y) for x in range(1, cols - 1) for y in range(1, rows - 1) if (x, y) not in places]
        rng.shuffle(inner)
        for slot in inner[:2]:
            hosts = [places[(slot[0] + dx, slot[1] + dy)] for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                     if (slot[0] + dx, slot[1] + dy) in first_half]
            if len(hosts) >= 2:
                place = make_place("hall" if piece == "arena" else "small", slot, box(slot), rng)
                for p in place.cells:
                    level.set(p, "." if p not in place.pillars else "I")
                place.cells -= place.pillars
                places[slot] = place
                sides.append(place)
                place.host = hosts[0]
                side_links.append(passage(hosts[0], place, rng))
                extra.append(passage(place, hosts[1], rng))

    kinds = obstacles.split()
    lift = "lift" in kinds
    kinds = [k for k in kinds if k != "lift"]
    order = list(range(len(links)))
    rng.shuffle(order)
    plan_of = {}
    for kind in kinds:
        if kind == "breakable":
            continue
        usable = [k for k in order if k > 0 and len(links[k]) >= (4 if kind in ("gap2", "raise") else 3)]
        if usable:
            plan_of[usable[-1]] = kind
            order.remove(usable[-1])
    repeatable = [x for x in kinds if x not in ("door", "teleport", "raise", "breakable")]
    for k in order:
        if repeatable and k > 0 and rng.random() < 0.55:
            plan_of[k] = rng.choice(repeatable)

    # Carve every passage first, so that traps only go where rock is left.
    for k, cells in enumerate(links):
        if plan_of.get(k) != "teleport":
            for p in cells:
                level.set(p, ".")
    for cells in side_links + extra:
        for p in cells:
            level.set(p, ".")

    def free_spot(place, avoid=()):
        spots = [p for p in place.cells if level.get(p) == "." and p not in level.cells and p not in avoid]
        return rng.choice(spots) if spots else None

    gauntlet_link = max(plan_of, key=lambda k: len(links[k]), default=None) if piece == "gauntlet" else None
    for k, cells in enumerate(links):
        kind = plan_of.get(k, "plain")
        if kind == "teleport":
            ch = 100 + k
            for place in (main[k], main[k + 1]):
                spot = free_spot(place)
                level.set(spot, "T")
                level.note(spot, link=ch)
            continue
        before = main[:k + 1] + [s for s in sides if s.host in main[:k + 1]]
        place_obstacle(level, kind, cells, before, gauntlet=(k == gauntlet_link))
    if lift:
        # The first teleport: a pair in sight of each other, the plain way beside it.
        k = max(range(1, len(links)), key=lambda k: len(links[k]) if plan_of.get(k, "plain") == "plain" else -1)
        for place in (main[k], main[k + 1]):
            spot = free_spot(place)
            level.set(spot, "T")
            level.note(spot, link=150)

    side_kinds = ["plain", "gap1"] + [x for x in kinds if x in ("spikes", "gap2", "closing", "arrows", "timed")]
    for j, side in enumerate(sides):
        cells = side_links[j]
        kind = "breakable" if "breakable" in kinds and rng.random() < 0.7 else rng.choice(side_kinds)
        if piece == "arrowlane" and j == 0:
            kind = "arrows"
        if piece == "moat" and j == 0:
            kind = "gap2"
        place_obstacle(level, kind, cells, [])
    for cells in extra:
        place_obstacle(level, rng.choice(side_kinds), cells, [])

    start_place, exit_place = main[0], main[-1]
    first_door = links[0][0] if links and links[0] else None
    last_door = links[-1][-1] if links and links[-1] else None

    def far_from(place, point):
        spots = [p for p in place.cells if level.get(p) == "." and p not in level.cells]
        if point:
            spots.sort(key=lambda p: abs(p[0] - point[0]) + abs(p[1] - point[1]), reverse=True)
            spots = spots[:max(1, len(spots) // 3)]
        return rng.choice(spots)

    start = far_from(start_place, first_door)
    level.note(start, start=True)
    exit_cell = far_from(exit_place, last_door)
    level.set(exit_cell, "X")

    def scatter(count, pool, values):
        for _ in range(count):
            place = rng.choice(pool)
            spot = free_spot(place, avoid=(start,))
            if spot:
                level.note(spot, **values())

    pool = main[1:] + sides * 2
    scatter(treasures, pool, lambda: {"item": rng.choice(["treasure", "treasure", "treasure2", "treasure3"])})
    for potion in potions.split():
        scatter(1, sides or main[1:], lambda: {"item": potion})
    danger = main[2:] + [s for s in sides if s.host not in main[:2]]
    if piece == "arena":
        arena = [s for s in sides if s.host in main[1:]][:1] or danger
        scatter(zombies // 2, arena, lambda: {"creature": "zombie"})
        scatter(warriors // 2, arena, lambda: {"creature": "warrior"})
        zombies -= zombies // 2
        warriors -= warriors // 2
    if piece == "moat" and sides:
        scatter(1, sides[:1], lambda: {"creature": "warrior"})
        warriors -= 1
        guard = next(p for p, v in level.cells.items() if v.get("creature") == "warrior")
        if start in walkable_from(level, guard):
            return None  # the chasm must really keep him in
    scatter(zombies, danger, lambda: {"creature": "zombie"})
    scatter(warriors, main[3:] or danger, lambda: {"creature": "warrior"})
    if piece == "far-ghost":
        # The first ghost waits in the exit's island: the hero sees it drift long before it reaches him.
        scatter(ghosts, [exit_place], lambda: {"creature": "ghost"})
    else:
        scatter(ghosts, main[len(main) // 2:], lambda: {"creature": "ghost"})
    for place in places.values():
        if rng.random() < 0.4:
            spot = free_spot(place, avoid=(start,))
            if spot:
                level.note(spot, item="deco%d" % rng.randint(1, 7))

    a = AREAS[area]
    lines = ["# %s: %s" % (name, SETPIECES[number - 41]),
             "name: %s" % name, "id: %s" % level_id, "author: Tarnhollow",
             "music: area%d.ogg" % area, "start: %d %d" % start,
             "main light: %s" % a["main"], "fill light: %s" % a["fill"],
             "designs: floor=%d wall=%d pillar=%d other=0" % (a["floor"], a["wall"], a["pillar"]),
             "defaults: creature=-1 item=-1 link=0 period=100 phase=0", "", "map"]
    lines += ["".join(row) for row in level.map]
    lines += ["end", "", "cells"]
    for p in sorted(level.cells, key=lambda p: (p[1], p[0])):
        words = " ".join("%s=%s" % (k, v) for k, v in level.cells[p].items() if k != "start")
        if words:
            lines.append("%d %d %s" % (p[0], p[1], words))
    lines.append("end")
    return "\n".join(lines) + "\n"


# One line a level: the set-piece a player remembers it by (the README's table says the same).
SETPIECES = [
    "galleries over the mine; timed arrow traps shoot across a side gallery of treasure, seen before one crosses the way",
    "tall shafts; the first teleport pair, both cages in sight, the walk-round beside them",
    "the first warrior, guarding a side gallery behind a two-cell chasm he cannot cross",
    "a long gallery where timed rock traps drop three times on the way",
    "shafts sealed from each other: teleports are the only lifts between them",
    "ore-cart belts through the galleries, timed traps in the walls beside them",
    "cracked walls along the shafts hide the richest veins",
    "galleries of rotten timber over pits, a teleport out of the last one",
    "a plate-locked gate before Varrosco's own hall, where his guards wait together",
    "the mine in one: belts, lifts, traps and rotten floors to the mother lode",
    "islands over the void; the first ghost drifts out of the exit's island, long in sight",
    "bridges over the dark river that close behind the hero",
    "caverns of bones; a spike gauntlet three times along the widest passage",
    "islands joined by teleports and closing pits in the dark",
    "a plate-locked gate of the dead, spikes and closing pits before it",
    "ghosts among islands that only teleports and crumbling bridges join",
    "crumbling bridges and closing pits over the deepest pit",
    "belts and spikes through burning caverns, a plate that seals the way back",
    "the silent court: a hall of the dead's guards behind a plate-locked gate",
    "every trick of the dark on the islands of the Lord of Shadows",
    "temple halls of pillars; a plate that seals the way behind and looses arrows",
    "the hall of arrows: a gauntlet of timed traps between two sealing plates",
    "the sun altar behind a plate-locked door, reached by teleport",
    "the barracks hall: half the temple's warriors in one open hall",
    "the serpent gate: sealing plates, teleports and crumbling floor",
    "belts carry the hero up blood-red steps past spikes and traps",
    "a maze of priests' cells: two plates, each opening a door, and a teleport",
    "the hummingbird shrine: sealing plates over closing pits, timed traps beside",
    "the sacrifice stone in an open hall, every plate of the temple before it",
    "the temple in one under Huitzilopochtl's eye",
    "a ring road round the kings' land, gaps, belts and traps on it",
    "tomb caverns behind a plate-locked door, crumbling floor and closing pits",
    "a ring round the throne hall, its guards inside, a sealing plate on the way",
    "the crown vault: shafts of cracked walls and a plate-locked door",
    "halls of the ancestors joined by belts, teleports and closing pits",
    "the kings' guard waits in one open hall among the caverns",
    "a labyrinth of small rooms, two plate-locked doors and a teleport",
    "crumbling bridges and belts over the void: the last bridges",
    "galleries to the sceptre chamber past a gauntlet of traps",
    "the kings' heritage: a ring of every element, the great hall in its middle",
]
assert len(SETPIECES) == 40


def open_share(rows):
    standable = {(c, l) for l in range(N) for c in range(N) if rows[l][c] in STANDABLE}
    inside = set()
    for l in range(N - 3):
        for c in range(N - 3):
            square = [(c + i, l + j) for i in range(4) for j in range(4)]
            if all(p in standable for p in square):
                inside.update(square)
    return len(inside) / max(1, len(standable))


def masks(rows):
    return [sum(1 << c for c in range(N) if rows[l][c] in STANDABLE) for l in range(N)]


def shared_share(ma, mb, reach=2):
    smaller = max(1, min(sum(bin(m).count("1") for m in ma), sum(bin(m).count("1") for m in mb)))
    return metrics.most_in_common(ma, mb, reach) / smaller


def map_rows(text):
    body = text[text.index("\nmap\n") + 5:]
    return body[:body.index("\nend")].split("\n")


def try_level(tool, text, players, frames):
    """(completable, route words, autopilot result or None)."""
    with tempfile.TemporaryDirectory() as tmp:
        src, dat = os.path.join(tmp, "l.lvl"), os.path.join(tmp, "l.dat")
        open(src, "w").write(text)
        r = subprocess.run([tool, "level-compile", src, dat], capture_output=True, text=True)
        if r.returncode:
            raise SystemExit(r.stderr)
        r = subprocess.run([tool, "level-check", dat], capture_output=True, text=True)
        if r.returncode:
            return False, r.stdout.strip(), None
        if not players:
            return True, r.stdout.strip(), None
        a = subprocess.run([tool, "autoplay", dat, "--players", players, "--slot", "1",
                            "--frames", str(frames)], capture_output=True, text=True)
        lines = [x for x in a.stdout.splitlines() if x.startswith("{")]
        return True, r.stdout.strip(), lines[-1] if lines else a.stderr[-300:]


def main():
    args = sys.argv[1:]
    tool = args.pop(0)
    players, seed_base = None, 0
    if "--players" in args:
        k = args.index("--players")
        players = args[k + 1]
        del args[k:k + 2]
    if "--seed-base" in args:
        k = args.index("--seed-base")
        seed_base = int(args[k + 1])
        del args[k:k + 2]
    wanted = [int(x) for x in args] or range(41, 81)
    ids = campaign_ids()
    kept = {}
    # Alike is measured against this half's levels: the first half is another author's.
    for n in range(41, 81):
        path = os.path.join(HERE, "campaign", "%02d.lvl" % n)
        if n not in wanted and os.path.exists(path):
            kept[n] = masks(map_rows(open(path).read()))
    start_lives = None
    if players:
        out = subprocess.run([tool, "players", players], capture_output=True, text=True).stdout
        start_lives = int(re.search(r'"Lives": (\d+)', out).group(1))
    for n in wanted:
        plan = PLAN[n - 41]
        for attempt in range(60):
            seed = n * 1000 + seed_base + attempt
            text = build(n, plan, ids[n - 1], seed)
            if text is None:
                continue
            rows = map_rows(text)
            share = open_share(rows)
            if share > 0.6:
                continue
            mine = masks(rows)
            alike = max((shared_share(mine, m) for m in kept.values()), default=0)
            if alike > 0.42:
                continue
            ok, verdict, run = try_level(tool, text, players, 14000)
            route = re.search(r"route of (\d+) cells", verdict)
            if not ok or int(route.group(1)) < 90:
                continue  # a way that short means two places met where they should not
            lost = None
            if players:
                if not run or '"LevelOutcome": 2' not in run:
                    print("%02d seed %d: autopilot did not finish: %s" % (n, seed, run), flush=True)
                    continue
                lost = start_lives - int(re.search(r'"Lives": (\d+)', run).group(1))
                if lost > plan[-1]:
                    print("%02d seed %d: %d lives lost" % (n, seed, lost), flush=True)
                    continue
            break
        else:
            print("%02d %-24s no draft kept" % (n, plan[0]), flush=True)
            continue
        kept[n] = mine
        open(os.path.join(HERE, "campaign", "%02d.lvl" % n), "w").write(text)
        frames = re.search(r'"frames": (\d+)', run).group(1) if run else "-"
        print("%02d %-24s seed %d open %.2f alike %.2f lost %s frames %s  %s" % (
            n, plan[0], seed, share, alike, lost, frames, verdict), flush=True)


if __name__ == "__main__":
    main()
