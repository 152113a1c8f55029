#!/usr/bin/env python3
"""Drafts the 80 campaign level sources (tools/levels/campaign/NN.lvl).

Run once to lay the levels out; the committed .lvl files are the levels, tuned by hand
afterwards. Each level is a walk through rooms on a 5 x 5 grid of slots (6 x 6 for mazes)
that fills the 50 x 50 map: the rooms on the main path wind from the start to the exit, each
entered and left on opposite sides, side rooms hold treasure and potions, and every passage
between two rooms carries one of the level's obstacles. A draft the completability
check refuses is thrown away and drawn again with the next seed.

usage: generate_campaign.py TOOL [--force] [LEVELS... | user]   (TOOL = path of tarnhollow-tool)
Levels whose first line says "hand-tuned" are kept unless --force is given.
"""
import os
import random
import re
import sys

from pieces import check

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
N = 50
SLOT = 12
SLOTS = 4

def campaign_ids():
    text = open(os.path.join(ROOT, "src/campaign/campaignids.h")).read()
    ids = re.findall(r'"(\d{23})"', text)
    assert len(ids) == 80
    return ids

# Per area: theme, outdoor (the void is a chasm) or indoor (solid rock), designs, lights.
AREAS = [
    dict(outdoor=True, floor=0, wall=0, pillar=1, main="255 240 210 0.4 -1 0.3 100",
         fill="120 140 170 45"),
    dict(outdoor=False, floor=2, wall=3, pillar=0, main="230 220 190 -0.3 -1 0.5 90",
         fill="110 100 90 40"),
    dict(outdoor=False, floor=5, wall=6, pillar=1, main="255 215 120 0.2 -1 -0.4 95",
         fill="120 90 40 45"),
    dict(outdoor=True, floor=7, wall=1, pillar=2, main="210 225 255 -0.5 -1 -0.2 100",
         fill="140 150 170 50"),
    dict(outdoor=False, floor=8, wall=4, pillar=3, main="255 190 110 0.3 -1 0.3 85",
         fill="80 60 40 35"),
    dict(outdoor=False, floor=10, wall=8, pillar=4, main="220 90 60 0 -1 0.4 80",
         fill="60 20 30 30"),
    dict(outdoor=False, floor=11, wall=10, pillar=2, main="240 200 160 -0.2 -1 -0.3 85",
         fill="90 60 110 35"),
    dict(outdoor=False, floor=12, wall=11, pillar=4, main="255 245 225 0.3 -1 0.2 100",
         fill="100 90 130 45"),
]

# (name, obstacles, main path rooms, side rooms, treasures, potions, zombies, warriors, ghosts)
# Obstacles: gap1 gap2 spikes crumble conveyor closing door teleport raise timed breakable
L = [
    # Area 1: Lost Valley - walking, jumping, treasure (nothing hurts yet, so no health potions)
    ("First Steps", "", 4, 1, 12, "", 0, 0, 0),
    ("Stepping Stones", "gap1", 5, 1, 14, "", 0, 0, 0),
    ("The Narrow Gap", "gap1", 5, 2, 16, "", 0, 0, 0),
    ("Wider Chasms", "gap1 gap2", 6, 1, 16, "", 0, 0, 0),
    ("Valley Gold", "gap1", 6, 3, 26, "", 0, 0, 0),
    ("Leaps of Faith", "gap2", 6, 2, 18, "", 0, 0, 0),
    ("Broken Bridges", "gap1 gap2", 7, 2, 20, "", 0, 0, 0),
    ("Sun on the Rocks", "gap1 gap2", 7, 3, 24, "", 0, 0, 0),
    ("Cliff Walk", "gap2 gap1", 7, 2, 22, "", 0, 0, 0),
    ("Valley's End", "gap1 gap2", 8, 3, 26, "life", 0, 0, 0),
    # Area 2: Ancient Ruins - potions, zombies, spikes, breakable walls
    ("Ruined Gate", "gap1 spikes", 5, 2, 18, "health", 1, 0, 0),
    ("Tomb Guards", "spikes", 6, 2, 20, "health", 2, 0, 0),
    ("Crumbled Halls", "gap1 breakable", 6, 2, 20, "health", 2, 0, 0),
    ("Hall of Spikes", "spikes gap1", 6, 3, 22, "health life", 3, 0, 0),
    ("Buried Vault", "breakable gap2", 7, 3, 26, "health", 3, 0, 0),
    ("Restless Graves", "spikes gap2", 7, 2, 22, "health health", 5, 0, 0),
    ("Speed of the Ancients", "gap2 spikes", 7, 2, 22, "speed health", 4, 0, 0),
    ("Collapsed Stair", "breakable spikes gap1", 7, 3, 26, "health life", 5, 0, 0),
    ("The Long Corridor", "spikes gap2 breakable", 8, 2, 24, "health blessing", 6, 0, 0),
    ("Heart of the Ruins", "spikes gap1 gap2 breakable", 8, 3, 30, "health life", 7, 0, 0),
    # Area 3: Quatzalcoatl's Treasury - crumbling floors, switch plates and doors
    ("Treasury Steps", "crumble gap1", 6, 2, 24, "health", 3, 0, 0),
    ("Sealed Door", "door gap1", 6, 2, 24, "health", 3, 0, 0),
    ("Crumbling Coins", "crumble door", 6, 3, 30, "health", 4, 0, 0),
    ("Serpent Scales", "crumble spikes", 7, 2, 26, "health life", 4, 0, 0),
    ("Two Keys", "door door gap2", 7, 3, 28, "health", 5, 0, 0),
    ("Gold Beneath", "crumble breakable", 7, 3, 32, "health blessing", 5, 0, 0),
    ("Feathered Hall", "door crumble spikes", 7, 2, 28, "health", 6, 0, 0),
    ("Dust and Gold", "crumble gap2 door", 8, 3, 32, "health life", 6, 0, 0),
    ("Quatzalcoatl's Vault", "door crumble breakable", 8, 3, 34, "health invincibility", 7, 0, 0),
    ("The Feathered Serpent", "door crumble spikes gap2", 9, 3, 36, "health life", 8, 0, 0),
    # Area 4: Highlands - conveyors, closing pits, plates that raise walls and fire traps
    ("Windy Heights", "conveyor gap1", 6, 2, 24, "health", 3, 0, 0),
    ("Moving Ground", "conveyor gap2", 6, 2, 24, "health", 4, 0, 0),
    ("Closing Chasms", "closing gap1", 6, 3, 26, "health", 4, 0, 0),
    ("Mountain Trap", "raise conveyor", 7, 2, 26, "health life", 5, 0, 0),
    ("Cliffside Belts", "conveyor crumble", 7, 2, 28, "health", 5, 0, 0),
    ("Rolling Stones", "raise closing", 7, 3, 28, "health speed", 6, 0, 0),
    ("Eagle's Nest", "closing crumble gap2", 7, 3, 30, "health", 6, 0, 0),
    ("High Pass", "conveyor closing raise", 8, 2, 30, "health life", 7, 0, 0),
    ("Storm Ridge", "conveyor crumble door", 8, 3, 32, "health blessing", 7, 0, 0),
    ("Roof of the World", "conveyor closing raise crumble", 9, 3, 34, "health life", 8, 0, 0),
    # Area 5: Varrosco's Gold - teleports, timed traps, warriors
    ("Mine Entrance", "timed gap1", 6, 2, 28, "health", 4, 0, 0),
    ("Deep Shafts", "teleport gap2", 6, 3, 30, "health", 4, 1, 0),
    ("Rock Falls", "timed conveyor", 7, 2, 30, "health life", 5, 1, 0),
    ("Varrosco's Guard", "timed door", 7, 3, 32, "health", 4, 2, 0),
    ("Lost Lode", "teleport crumble", 7, 3, 34, "health", 5, 2, 0),
    ("Ore Carts", "conveyor timed teleport", 7, 2, 32, "health speed", 6, 2, 0),
    ("Gold Fever", "timed breakable", 8, 3, 38, "health life", 6, 2, 0),
    ("The Collapsing Mine", "crumble timed teleport", 8, 3, 34, "health", 6, 3, 0),
    ("Varrosco's Chamber", "teleport door timed", 8, 3, 36, "health invincibility", 7, 3, 0),
    ("The Mother Lode", "teleport timed conveyor crumble", 9, 3, 40, "health life", 8, 3, 0),
    # Area 6: Underworld - ghosts, closing pits, spikes in the dark
    ("Descent", "closing spikes", 6, 2, 28, "health", 4, 1, 1),
    ("River of Shades", "closing gap2", 7, 2, 30, "health invisibility", 4, 1, 2),
    ("Bone Fields", "spikes timed", 7, 3, 30, "health life", 6, 1, 2),
    ("Whispering Dark", "teleport closing", 7, 3, 32, "health", 5, 2, 2),
    ("Gates of the Dead", "door spikes closing", 7, 2, 32, "health blessing", 6, 2, 3),
    ("Ghost Lights", "teleport crumble", 8, 3, 34, "health invisibility", 6, 2, 3),
    ("Pit of Souls", "closing crumble gap2", 8, 3, 34, "health life", 7, 2, 3),
    ("Burning Floor", "spikes raise conveyor", 8, 2, 34, "health", 7, 3, 3),
    ("The Silent Court", "teleport door timed", 8, 3, 36, "health killall", 8, 3, 4),
    ("Lord of Shadows", "closing spikes teleport raise", 9, 3, 38, "health life", 9, 3, 4),
    # Area 7: Temple of Huitzilopochtl - plates, arrow traps, warriors, teleports
    ("Temple Stairs", "raise spikes", 7, 2, 30, "health", 4, 2, 1),
    ("Hall of Arrows", "raise timed", 7, 3, 32, "health", 4, 3, 1),
    ("Sun Altar", "door teleport", 7, 3, 34, "health life", 5, 3, 1),
    ("Warrior Barracks", "timed door", 8, 2, 32, "health killall", 5, 5, 1),
    ("Serpent Gate", "raise teleport crumble", 8, 3, 34, "health", 6, 4, 2),
    ("Blood Steps", "spikes timed conveyor", 8, 3, 36, "health blessing", 6, 4, 2),
    ("Priests' Maze", "door door teleport", 8, 3, 36, "health life", 6, 4, 2),
    ("Hummingbird Shrine", "raise closing timed", 9, 3, 38, "health speed", 7, 4, 2),
    ("The Sacrifice Stone", "door raise crumble timed", 9, 3, 38, "health invincibility", 7, 5, 2),
    ("Huitzilopochtl's Eye", "teleport raise timed spikes", 9, 3, 40, "health life", 8, 5, 3),
    # Area 8: Heritage of the Kings - everything together
    ("Kings' Road", "gap2 spikes conveyor timed", 8, 3, 36, "health", 7, 3, 2),
    ("Royal Tombs", "door crumble closing", 8, 3, 38, "health life", 7, 4, 2),
    ("Throne of Ash", "raise teleport spikes", 8, 3, 38, "health", 8, 4, 3),
    ("Crown Vault", "breakable door timed crumble", 9, 3, 42, "health blessing", 8, 4, 3),
    ("Hall of Ancestors", "teleport conveyor closing", 9, 3, 40, "health life", 8, 5, 3),
    ("The Kings' Guard", "timed raise door", 9, 3, 40, "health killall", 9, 6, 3),
    ("Labyrinth of Crowns", "teleport door door crumble", 10, 3, 42, "health", 9, 5, 3),
    ("Last Bridges", "crumble gap2 conveyor closing", 10, 3, 42, "health life", 9, 5, 4),
    ("Sceptre Chamber", "raise timed teleport spikes", 10, 3, 44, "health invincibility", 10, 6, 4),
    ("Heritage of the Kings", "door raise teleport crumble conveyor timed", 11, 3, 48, "health life killall", 10, 6, 4),
]
assert len(L) == 80


class Level:
    def __init__(self, area, rng):
        self.rng = rng
        self.area = area
        self.outdoor = area["outdoor"]
        fill = "~" if self.outdoor else "#"
        self.map = [[fill] * N for _ in range(N)]
        self.cells = {}  # (column, line) -> {word: value}
        self.channel = 0

    def set(self, c, l, ch):
        self.map[l][c] = ch

    def get(self, c, l):
        return self.map[l][c]

    def note(self, c, l, **values):
        self.cells.setdefault((c, l), {}).update(values)

    def next_channel(self):
        self.channel += 1
        return self.channel


def slot_path(rng, length):
    """A self-avoiding walk over the slots, as long as possible up to length: a depth-first
    search in random order, so a long winding walk is found where one exists."""
    best = []
    for _ in range(20):
        start = (rng.randrange(SLOTS), rng.randrange(SLOTS))
        path, budget = [start], [3000]

        def extend():
            nonlocal best
            if len(path) > len(best):
                best = list(path)
            if len(path) >= length or budget[0] <= 0:
                return len(path) >= length
            budget[0] -= 1
            x, y = path[-1]
            options = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                       if 0 <= x + dx < SLOTS and 0 <= y + dy < SLOTS and (x + dx, y + dy) not in path]
            rng.shuffle(options)
            for slot in options:
                path.append(slot)
                if extend():
                    return True
                path.pop()
            return False

        if extend():
            return best
    return best


class Room:
    def __init__(self, slot, rng):
        sx, sy = slot
        largest = min(SLOT - 3, 9)
        w, h = rng.randint(max(4, largest - 3), largest), rng.randint(max(4, largest - 3), largest)
        x0 = 1 + sx * SLOT + rng.randint(1, SLOT - w - 2)
        y0 = 1 + sy * SLOT + rng.randint(1, SLOT - h - 2)
        self.slot, self.x0, self.y0, self.x1, self.y1 = slot, x0, y0, x0 + w - 1, y0 + h - 1

    def cells(self):
        return [(c, l) for l in range(self.y0, self.y1 + 1) for c in range(self.x0, self.x1 + 1)]

    def inner(self):
        return [(c, l) for l in range(self.y0 + 1, self.y1) for c in range(self.x0 + 1, self.x1)]


def connect(level, a, b, came_in=None):
    """Straight corridor cells from room a to room b (adjacent slots), rooms stretched to meet.
    came_in is the cell where the way entered room a: the way out is put far from it, so the
    hero crosses the room instead of cutting its corner."""
    rng = level.rng

    def pick(lo, hi, door_of):
        choices = list(range(lo, hi + 1))
        if came_in is None:
            return rng.choice(choices)
        far = lambda v: abs(door_of(v)[0] - came_in[0]) + abs(door_of(v)[1] - came_in[1])
        choices.sort(key=far, reverse=True)
        return rng.choice(choices[:max(1, len(choices) // 3)])

    if a.slot[1] == b.slot[1]:  # side by side
        left, right = (a, b) if a.slot[0] < b.slot[0] else (b, a)
        overlap = left.y0 <= right.y1 and right.y0 <= left.y1
        lo, hi = (max(left.y0, right.y0), min(left.y1, right.y1)) if overlap else (left.y0, left.y1)
        if not overlap and left is not a:  # the row must lie in a, which keeps its shape
            lo, hi = a.y0, a.y1
            row = pick(lo, hi, lambda v: (a.x0, v))
            left.y0, left.y1 = min(left.y0, row), max(left.y1, row)
        else:
            door_x = a.x1 if a is left else a.x0
            row = pick(lo, hi, lambda v: (door_x, v))
            right.y0, right.y1 = min(right.y0, row), max(right.y1, row)
        cells = [(c, row) for c in range(left.x1 + 1, right.x0)]
        return cells if left is a else cells[::-1]
    top, bottom = (a, b) if a.slot[1] < b.slot[1] else (b, a)
    overlap = top.x0 <= bottom.x1 and bottom.x0 <= top.x1
    door_y = a.y1 if a is top else a.y0
    if overlap:
        col = pick(max(top.x0, bottom.x0), min(top.x1, bottom.x1), lambda v: (v, door_y))
    else:
        col = pick(a.x0, a.x1, lambda v: (v, door_y))
    for room in (top, bottom):
        room.x0, room.x1 = min(room.x0, col), max(room.x1, col)
    cells = [(col, l) for l in range(top.y1 + 1, bottom.y0)]
    return cells if top is a else cells[::-1]


def carve_room(level, room):
    for c, l in room.cells():
        level.set(c, l, ".")


def direction_char(a, b):
    (c0, l0), (c1, l1) = a, b
    if c1 > c0: return ">"
    if c1 < c0: return "<"
    if l1 > l0: return "v"
    return "^"


def side_cells(cells):
    """The cells beside a straight corridor (both sides)."""
    (c0, l0), (c1, l1) = cells[0], cells[-1]
    if l0 == l1:
        return [(c, l0 + d) for c, _ in cells for d in (-1, 1)]
    return [(c0 + d, l) for _, l in cells for d in (-1, 1)]


def place_obstacle(level, kind, cells, plate_rooms, a_room, b_room):
    rng = level.rng
    n = len(cells)
    for c, l in cells:
        level.set(c, l, ".")
    if kind == "gap1" and n >= 3:
        k = rng.randint(1, n - 2)
        level.set(*cells[k], "~")
    elif kind == "gap2" and n >= 4:
        k = rng.randint(1, n - 3)
        level.set(*cells[k], "~"); level.set(*cells[k + 1], "~")
    elif kind == "gap2" and n >= 3:
        level.set(*cells[1], "~")
    elif kind == "spikes":
        # Spikes spring together every 42 frames and stay up for about 20: a run of three
        # can be crossed in one quiet spell by a hero who waits for it.
        run = min(3, n)
        k = rng.randint(0, n - run)
        for c, l in cells[k:k + run]:
            level.set(c, l, "*")
    elif kind == "crumble":
        for c, l in cells:
            level.set(c, l, ",")
        if not level.outdoor:  # a chasm under the crumbling bridge
            for c, l in side_cells(cells):
                if level.get(c, l) == "#":
                    level.set(c, l, "~")
    elif kind == "conveyor":
        # Belts against the hero's way on even passages, with him on odd ones.
        back = rng.random() < 0.5
        for k, (c, l) in enumerate(cells):
            target = cells[k - 1] if back and k > 0 else cells[k + 1] if k + 1 < n else None
            if back and k == 0:
                target = (2 * c - cells[1][0], 2 * l - cells[1][1]) if n > 1 else None
            if not back and k == n - 1 and n > 1:  # the last belt runs on, not into the chasm
                target = (2 * c - cells[k - 1][0], 2 * l - cells[k - 1][1])
            level.set(c, l, direction_char((c, l), target) if target else ">")
    elif kind == "closing" and n >= 3:
        k = rng.randint(1, n - 2)
        level.set(*cells[k], "u")
        if n >= 4 and rng.random() < 0.5 and k + 1 < n - 1:
            level.set(*cells[k + 1], "u")
    elif kind == "door" and plate_rooms:
        ch = level.next_channel()
        k = n // 2
        level.set(*cells[k], "D"); level.note(*cells[k], link=ch)
        # The plate lies off the beaten track: in a side room or an early room if there is one.
        room = rng.choice(plate_rooms[:max(1, len(plate_rooms) - 2)])
        spots = [p for p in room.inner() if level.get(*p) == "."] or [p for p in room.cells() if level.get(*p) == "."]
        spot = rng.choice(spots)
        level.set(*spot, "o"); level.note(*spot, link=ch)
    elif kind == "raise" and n >= 3:
        # A plate in the passage seals it behind the hero and looses the arrows in the walls.
        ch = level.next_channel()
        k = n - 2 if n >= 3 else n - 1
        level.set(*cells[k], "o"); level.note(*cells[k], link=ch)
        level.set(*cells[0], "d"); level.note(*cells[0], link=ch)
        for c, l in side_cells(cells[1:k + 1]):
            if level.get(c, l) in "#~" and rng.random() < 0.6:
                level.set(c, l, "a"); level.note(c, l, link=ch)
    elif kind == "timed":
        for c, l in side_cells(cells):
            if rng.random() < 0.35:
                level.set(c, l, rng.choice("AR"))
                level.note(c, l, period=rng.choice([70, 90, 110, 140]), phase=rng.randint(0, 60))
    elif kind == "breakable":
        level.set(*cells[n // 2], "%")


def furnish(level, room, area_index):
    """Gives a larger room something of its area's character; never touches its edge ring,
    where the passages come in."""
    rng = level.rng
    w, h = room.x1 - room.x0 + 1, room.y1 - room.y0 + 1
    if w < 6 or h < 6:
        return
    inner = [p for p in room.inner() if level.get(*p) == "."]
    cx, cy = (room.x0 + room.x1) // 2, (room.y0 + room.y1) // 2
    centre = [(cx, cy), (cx + 1, cy), (cx, cy + 1), (cx + 1, cy + 1)]
    roll = rng.random()
    if level.outdoor and roll < 0.4:  # a sinkhole in the meadow
        for p in centre:
            level.set(*p, "~")
    elif area_index in (1, 6, 7) and roll < 0.4:  # a colonnade
        for c, l in inner:
            if (c - room.x0) % 2 == 0 and (l - room.y0) % 2 == 0:
                level.set(c, l, "I")
    elif area_index in (1, 5, 7) and roll < 0.7:  # a few spikes in the floor
        for c, l in rng.sample(inner, min(3, len(inner))):
            level.set(c, l, "*")
    elif area_index in (2, 3, 4) and roll < 0.6:  # rotten floor in the middle
        for p in centre:
            level.set(*p, ",")


def free_spots(level, room):
    return [p for p in room.cells() if level.get(*p) == "." and p not in level.cells]


def build(number, plan, ids, seed):
    global SLOT, SLOTS
    # Mazes and the later levels of an area use a finer grid of smaller rooms.
    # The whole 50 x 50 grid is used: a 5 x 5 grid of slots, 6 x 6 for mazes and the later
    # levels of an area, so the way winds through many rooms and takes a few minutes.
    maze = (number % 10 in (3, 7) and number > 20) or "Maze" in plan[0] or "Labyrinth" in plan[0]
    SLOT, SLOTS = (8, 6) if maze else (10, 5)
    name, obstacles, main_len, side_count, treasures, potions, zombies, warriors, ghosts = plan
    area_index = (number - 1) // 10
    area = AREAS[area_index]
    rng = random.Random(seed)
    level = Level(area, rng)
    # The plans count rooms of the old 4 x 4 grid; the first areas stay shorter.
    longer = (6, 8, 12, 12, 12, 12, 13, 13)[area_index] + (SLOTS - 5) * 6
    main_len = min(main_len + longer, SLOTS * SLOTS - 4)
    side_count = min(side_count + 3 + (SLOTS - 5) * 2, SLOTS * SLOTS - main_len)
    path = slot_path(rng, main_len)
    rooms = {slot: Room(slot, rng) for slot in path}
    main = [rooms[s] for s in path]
    # Side rooms hang off main rooms (not the exit room) into free slots.
    sides = []
    for _ in range(side_count):
        for _ in range(30):
            host = rng.choice(main[:-1] + sides)
            x, y = host.slot
            options = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                       if 0 <= x + dx < SLOTS and 0 <= y + dy < SLOTS and (x + dx, y + dy) not in rooms]
            if options:
                slot = rng.choice(options)
                rooms[slot] = Room(slot, rng)
                rooms[slot].host = host
                sides.append(rooms[slot])
                break
    corridors, came_in = [], None
    for k in range(len(main) - 1):
        corridors.append(connect(level, main[k], main[k + 1], came_in))
        came_in = corridors[-1][-1] if corridors[-1] else None
    corridors += [connect(level, s.host, s) for s in sides]
    for room in rooms.values():
        carve_room(level, room)

    kinds = obstacles.split()
    # Teleports take the place of some main-path passages.
    main_links = list(range(len(main) - 1))
    rng.shuffle(main_links)
    plan = {}
    for k, kind in enumerate(kinds):
        if kind == "breakable":  # only side rooms hide behind breakable walls
            continue
        # Traps stay away from the first passage, where the hero stands at the start.
        usable = [k for k in main_links if k > 0 or kind not in ("timed", "raise")]
        if usable:
            plan[usable[-1]] = kind
            main_links.remove(usable[-1])
    # Leftover main passages get the level's obstacles again, a few stay plain.
    for k in main_links:
        if kinds and rng.random() < 0.6:
            plan[k] = rng.choice([x for x in kinds if x not in ("door", "teleport", "raise", "breakable")
                                  and (k > 0 or x != "timed")] or ["plain"])
    # Doors need a plate in a room the hero reaches first: the rooms before the door and
    # their side rooms.
    teleported = set()
    for k in range(len(main) - 1):
        kind = plan.get(k, "plain")
        a, b = main[k], main[k + 1]
        cells = corridors[k]
        if kind == "teleport":
            ch = 100 + k
            for room in (a, b):
                spot = rng.choice(free_spots(level, room))
                level.set(*spot, "T"); level.note(*spot, link=ch)
            # The passage itself becomes a chasm or rock: the teleport is the only way.
            teleported.add(k)
            continue
        before = [s for s in sides if s.host in main[:k + 1]] + main[:k + 1]
        place_obstacle(level, kind, cells, before, a, b)
    for j, side in enumerate(sides):
        cells = corridors[len(main) - 1 + j]
        kind = "breakable" if "breakable" in kinds and rng.random() < 0.7 else rng.choice(
            ["plain", "gap1"] + [x for x in kinds if x in ("spikes", "gap2", "closing")])
        place_obstacle(level, kind, cells, [], side.host, side)

    for room in rooms.values():
        if room is not main[0]:
            furnish(level, room, area_index)

    start_room, exit_room = main[0], main[-1]

    def far_from(cells, point):
        """A cell among the farther half from point: the start away from the first door,
        the exit away from the last one, so both rooms are crossed."""
        if not point:
            return rng.choice(cells)
        cells = sorted(cells, key=lambda p: abs(p[0] - point[0]) + abs(p[1] - point[1]), reverse=True)
        return rng.choice(cells[:max(1, len(cells) // 3)])

    first_door = corridors[0][0] if len(main) > 1 and corridors[0] else None
    sc, sl = far_from([p for p in start_room.cells() if level.get(*p) == "."], first_door)
    level.note(sc, sl, start=True)
    last_door = corridors[len(main) - 2][-1] if len(main) > 1 and corridors[len(main) - 2] else None
    ec, el = far_from([p for p in exit_room.cells() if level.get(*p) == "." and p not in level.cells], last_door)
    level.set(ec, el, "X")

    # Treasure: side rooms get the larger share.
    def scatter(count, rooms_pool, value_words):
        for _ in range(count):
            room = rng.choice(rooms_pool)
            spots = free_spots(level, room)
            if spots:
                c, l = rng.choice(spots)
                level.note(c, l, **value_words())
    pool = main[1:] + sides * 2 if sides else main[1:]
    scatter(treasures, pool, lambda: {"item": rng.choice(["treasure", "treasure", "treasure2", "treasure3"])})
    for potion in potions.split():
        scatter(1, sides or main[1:], lambda: {"item": potion})
    # Nothing that walks starts near the hero: not in the first two rooms or their side rooms.
    danger_rooms = main[2:] + [s for s in sides if s.host not in main[:2]]
    scatter(zombies, danger_rooms, lambda: {"creature": "zombie"})
    scatter(warriors, main[3:] or danger_rooms, lambda: {"creature": "warrior"})
    scatter(ghosts, main[3:] or danger_rooms, lambda: {"creature": "ghost"})
    # Decorations on a few wall cells next to rooms.
    for room in rooms.values():
        if rng.random() < 0.4:
            c, l = rng.choice(room.cells())
            if level.get(c, l) == "." and (c, l) not in level.cells and (c, l) != (sc, sl):
                level.note(c, l, item="deco%d" % rng.randint(1, 7))
    cells_items = dict(level.cells)
    cells_items.pop((sc, sl), None)

    lines = []
    lines.append("# %s" % name)
    lines.append("name: %s" % name)
    lines.append("id: %s" % ids[number - 1])
    lines.append("author: Tarnhollow")
    lines.append("music: area%d.ogg" % (area_index + 1))
    lines.append("start: %d %d" % (sc, sl))
    lines.append("main light: %s" % area["main"])
    lines.append("fill light: %s" % area["fill"])
    lines.append("designs: floor=%d wall=%d pillar=%d other=0" % (area["floor"], area["wall"], area["pillar"]))
    lines.append("defaults: creature=-1 item=-1 link=0 period=100 phase=0")
    lines.append("")
    lines.append("map")
    lines += ["".join(row) for row in level.map]
    lines.append("end")
    lines.append("")
    lines.append("cells")
    for (c, l) in sorted(cells_items, key=lambda p: (p[1], p[0])):
        values = cells_items[(c, l)]
        words = " ".join("%s=%s" % (k, v) for k, v in values.items() if k != "start")
        if words:
            lines.append("%d %d %s" % (c, l, words))
    lines.append("end")
    return "\n".join(lines) + "\n"


# Example user levels for customlvl: (file stem, id, area theme, plan as in L).
USER = [
    ("sampler", "20261207120000000000001", 7,
     ("Tarnhollow Sampler", "gap2 spikes crumble conveyor closing door teleport raise timed breakable",
      9, 3, 40, "health life speed", 6, 2, 1)),
    ("beltworks", "20261207120000000000002", 4,
     ("Beltworks", "conveyor conveyor crumble timed", 8, 2, 30, "health", 5, 1, 0)),
    ("ghosttown", "20261207120000000000003", 5,
     ("Ghost Town", "teleport closing spikes", 8, 3, 30, "health invisibility", 2, 0, 6)),
]


def main_user(tool):
    for stem, level_id, area, plan in USER:
        number = area * 10 + 1
        for attempt in range(200):
            ids = ["0"] * 80
            ids[number - 1] = level_id
            text = build(number, plan, ids, 777000 + attempt).replace(
                "author: Tarnhollow", "author: Tarnhollow examples")
            ok, verdict = check(tool, text)
            if ok:
                break
        open(os.path.join(HERE, "user", stem + ".lvl"), "w").write(text)
        print("%-10s %-28s %s" % (stem, plan[0], verdict))


def main():
    tool = sys.argv[1]
    if sys.argv[2:] == ["user"]:
        return main_user(tool)
    force = "--force" in sys.argv[2:]
    wanted = [int(x) for x in sys.argv[2:] if x != "--force"] or range(1, 81)
    ids = campaign_ids()
    for number in wanted:
        path = os.path.join(HERE, "campaign", "%02d.lvl" % number)
        # A level tuned by hand says so on its first line; a new draft would throw that away.
        if not force and os.path.exists(path) and "hand-tuned" in open(path).readline():
            print("%02d %-28s kept (hand-tuned)" % (number, L[number - 1][0]))
            continue
        for attempt in range(200):
            text = build(number, L[number - 1], ids, number * 1000 + attempt)
            ok, verdict = check(tool, text)
            if ok:
                break
        else:
            raise SystemExit("level %d: no completable draft" % number)
        open(path, "w").write(text)
        print("%02d %-28s %s" % (number, L[number - 1][0], verdict))


if __name__ == "__main__":
    main()
