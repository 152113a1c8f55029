#!/usr/bin/env python3
"""The level layout kit: a level is a plan, a list of pieces (a stretch of path, a gap, a
spike strip, a treasure island, a plate and its door, ...) that a turtle lays end to end
across the 50 x 50 map, turning left or right between pieces. Each piece is drawn in its own
frame: u runs along the way, v across it; the way itself (the lane) is v = 0 .. width - 1,
so a piece can put things beside the way (v < 0 or v >= width) as well as on it. Pieces
keep a ring of rock or void between them, so ways never run into each other by accident.

A plan is written as text: "walk n=4; gap k=2; exit" (see parse). areas_1_4.py holds the
plans of levels 01-40.
"""
import os
import random
import re
import subprocess
import tempfile

N = 50


class Stamp:
    """One piece in its own frame: (u, v) -> (char, values)."""

    def __init__(self, length):
        self.length = length
        self.cells = {}

    def put(self, u, v, ch, **values):
        old = self.cells.get((u, v), (None, {}))[1]
        self.cells[(u, v)] = (ch, dict(old, **values))

    def lane(self, w, u0, u1, ch="."):
        for u in range(u0, u1):
            for v in range(w):
                self.put(u, v, ch)

    def box(self, u0, u1, v0, v1, ch="."):
        for u in range(u0, u1):
            for v in range(v0, v1):
                self.put(u, v, ch)

    def span(self):
        vs = [v for _, v in self.cells] or [0]
        return min(vs), max(vs)


# ---- the pieces -------------------------------------------------------------------------
# Each takes the random source, the lane width and its own arguments. Values: item=,
# creature=, link= (a link of 0 is given the level's next free link when laid).

def walk(rng, w, n=4, treasure=0):
    s = Stamp(n)
    s.lane(w, 0, n)
    for _ in range(treasure):
        s.put(rng.randrange(n), rng.randrange(w), ".", item=rng.choice(["treasure", "treasure2", "treasure3"]))
    return s


def ledge(rng, w, n=8, treasure=1):
    """A one-cell ledge: the lane narrows to its first cell."""
    s = Stamp(n)
    s.lane(w, 0, 1)
    s.lane(w, n - 1, n)
    for u in range(n):
        s.put(u, 0, ".")
    for _ in range(treasure):
        s.put(rng.randrange(1, n - 1), 0, ".", item="treasure")
    return s


def gap(rng, w, k=1, walkround=False, narrow=False):
    """A chasm of k cells across the way; with walkround, a bend of path beside it that
    reaches the far side without a jump (the first gap a player meets)."""
    n = k + 4
    s = Stamp(n)
    s.lane(w, 0, n)
    for u in range(2, 2 + k):
        for v in range(w):
            s.put(u, v, "~")
    if narrow:
        for u in range(n):
            for v in range(1, w):
                s.put(u, v, "~")
    if walkround:
        n = k + 6
        s = Stamp(n)
        s.lane(w, 0, n)
        for u in range(3, 3 + k):
            for v in range(w):
                s.put(u, v, "~")
        for u in range(1, n - 1):
            s.put(u, -2, ".")
        s.put(1, -1, ".")
        s.put(n - 2, -1, ".")
        s.put(n // 2, -2, ".", item="treasure")
    return s


def stones(rng, w, count=4, k=1, size=2, rest=0):
    """Stepping stones: islands of size x size cells k cells apart; every rest-th stone is a
    wide one to stand on while the jump meter fills."""
    s = Stamp(0)
    u = 0
    s.lane(w, 0, 2)
    u = 2 + k
    for i in range(count):
        big = rest and (i + 1) % rest == 0
        length = size + 2 if big else size
        lo = -1 if big else 0
        for du in range(length):
            for v in range(lo, max(w, size) + (1 if big else 0)):
                if v < w or big:
                    s.put(u + du, v, ".")
        if big:
            s.put(u + length // 2, lo, ".", item=rng.choice(["treasure", "treasure2"]))
        elif rng.random() < 0.5:
            s.put(u, 0, ".", item="treasure")
        u += length + k
    s.lane(w, u, u + 2)
    s.length = u + 2
    return s


def chain(rng, w, jumps=4):
    """Gaps one after another with a single cell of ground between: each jump halves the
    meter, so a player who leaps on at once falls short. The ground between is three cells
    long where the meter needs to fill."""
    s = Stamp(0)
    s.lane(w, 0, 2)
    u = 2
    for i in range(jumps):
        for v in range(w):
            s.put(u, v, "~")
            s.put(u + 1, v, "~")
        u += 2
        ground = 3
        s.lane(w, u, u + ground)
        if i % 2:
            s.put(u + 1, 0, ".", item="treasure2")
        u += ground
    s.lane(w, u, u + 1)
    s.length = u + 1
    return s


def spikes_beside(rng, w, n=6, depth=2):
    """A field of spikes along the way, never on it: a player sees them spring from safety."""
    s = Stamp(n)
    s.lane(w, 0, n)
    for u in range(1, n - 1):
        for v in range(w, w + depth):
            s.put(u, v, "*")
    s.put(n // 2, w + depth, ".", item="treasure3")
    return s


def spike_strip(rng, w, rows=1, potion=None):
    n = rows + 4
    s = Stamp(n)
    s.lane(w, 0, n)
    for u in range(2, 2 + rows):
        for v in range(w):
            s.put(u, v, "*")
    if potion:
        s.put(n - 2, -1, ".")
        s.put(n - 2, -2, ".", item=potion)
    return s


def potion(rng, w, name="health"):
    """A bay beside the way with a potion in it."""
    s = Stamp(3)
    s.lane(w, 0, 3)
    s.put(1, -1, ".")
    s.put(1, -2, ".", item=name)
    return s


def island(rng, w, k=1, size=3, treasure=3, side=-1, item=None):
    """A treasure island beside the way, k cells of void (or pit) away."""
    n = size + 2
    s = Stamp(n)
    s.lane(w, 0, n)
    first = -k - size if side < 0 else w + k
    for u in range(1, 1 + size):
        for v in range(first, first + size):
            s.put(u, v, ".")
    near = -1 if side < 0 else w
    for i in range(k):
        v = near - i if side < 0 else near + i
        s.put(1 + size // 2, v, "~")
    cells = [(u, v) for u in range(1, 1 + size) for v in range(first, first + size)]
    rng.shuffle(cells)
    for u, v in cells[:treasure]:
        s.put(u, v, ".", item=rng.choice(["treasure", "treasure2", "treasure3"]))
    if item:
        u, v = cells[treasure]
        s.put(u, v, ".", item=item)
    return s


def ring(rng, w, size=11, shortcut=2):
    """A ring of path round a lake of void or rock; the way out is on the far side, and a
    bridge across the middle with a gap of shortcut cells saves the walk round."""
    s = Stamp(size + 2)
    s.lane(w, 0, size + 2)
    half = size // 2
    for u in range(1, size + 1):
        for d in range(w):
            s.put(u, -half + d, ".")
            s.put(u, half + w - 1 - d, ".")
    for v in range(-half, half + w):
        for d in range(w):
            s.put(1 + d, v, ".")
            s.put(size - d, v, ".")
    gap_at = 1 + half - shortcut // 2
    for u in range(gap_at, gap_at + shortcut):
        for v in range(w):
            s.put(u, v, "~")
    s.put(1 + half, -half, ".", item="treasure3")
    s.put(1 + half, half + w - 1, ".", item="treasure2")
    return s


def zombie_behind_pit(rng, w, n=5):
    """A zombie on a ledge across a two-cell pit beside the way: it comes to the edge and
    reaches, but cannot cross."""
    s = Stamp(n)
    s.lane(w, 0, n)
    for u in range(1, n - 1):
        s.put(u, w, "~")
        s.put(u, w + 1, "~")
        s.put(u, w + 2, ".")
        s.put(u, w + 3, ".")
    s.put(n // 2, w + 3, ".", creature="zombie")
    s.put(1, w + 2, ".", item="treasure3")
    return s


def zombies(rng, w, count=1, n=7, width=3):
    """A stretch where the way widens a little and zombies wait at its far end."""
    s = Stamp(n)
    s.lane(w, 0, n)
    for u in range(1, n - 1):
        for v in range(w, max(w, width)):
            s.put(u, v, ".")
    for i in range(count):
        s.put(n - 1 - (i // 2), i % max(1, w), ".", creature="zombie")
    return s


def breakable_room(rng, w, treasure=4, side=-1):
    """A cracked wall in the side of the way with a small treasure room behind it."""
    n = 5
    s = Stamp(n)
    s.lane(w, 0, n)
    wall_v = -1 if side < 0 else w
    s.put(2, wall_v, "%")
    room = range(-4, -1) if side < 0 else range(w + 1, w + 4)
    for u in range(1, 4):
        for v in room:
            s.put(u, v, ".")
    cells = [(u, v) for u in range(1, 4) for v in room]
    rng.shuffle(cells)
    for u, v in cells[:treasure]:
        s.put(u, v, ".", item=rng.choice(["treasure", "treasure2", "treasure3"]))
    return s


def colonnade(rng, w, n=9, spikes=False, zombies=0):
    """A hall five cells wide with pillars on every other cell."""
    s = Stamp(n + 2)
    width = max(5, w)
    s.lane(w, 0, n + 2)
    s.box(1, n + 1, 0, width)
    for u in range(2, n, 2):
        for v in range(1, width - 1, 2):
            s.put(u, v, "I")
    if spikes:
        for u in range(3, n, 4):
            for v in range(0, width, 2):
                s.put(u, v, "*")
    for i in range(zombies):
        s.put(n - 1 - 2 * i, width - 1, ".", creature="zombie")
    s.put(n // 2, width - 1 if spikes else 0, ".", item="treasure2")
    return s


def crumble_beside(rng, w, n=6):
    """Two bridges over the void side by side: the near one of crumbling floor, the other
    solid. A player who takes the crumbling one sees it shake and has the solid one beside."""
    s = Stamp(n + 2)
    s.lane(w, 0, 2)
    s.lane(w, n, n + 2)
    for u in range(2, n):
        for v in range(w):
            s.put(u, v, "~")
        s.put(u, 0, ",")
        s.put(u, w - 1 if w > 2 else w, ".")
        if w <= 2:
            s.put(u, 1, "~")
    if w <= 2:
        s.put(1, w, ".")
        s.put(n, w, ".")
    s.put(n // 2 + 1, 0, ",", item="treasure")
    return s


def crumble_bridge(rng, w, n=5):
    s = Stamp(n + 2)
    s.lane(w, 0, 1)
    s.lane(w, n + 1, n + 2)
    for u in range(1, n + 1):
        for v in range(w):
            s.put(u, v, "~")
        s.put(u, 0, ",")
    return s


def crumble_islands(rng, w, count=3):
    """Small crumbling islands with treasure beside the way."""
    s = Stamp(2 * count + 2)
    s.lane(w, 0, 2 * count + 2)
    for i in range(count):
        u = 1 + 2 * i
        s.put(u, -1, "~")
        s.put(u, -2, ",", item="treasure3")
        s.put(u + 1, -2, "~")
    return s


def plate_door(rng, w, ahead=3):
    """A door across the way and its plate in a bay a few cells before it, in sight."""
    n = ahead + 4
    s = Stamp(n)
    s.lane(w, 0, n)
    for v in range(w):
        s.put(ahead + 1, v, "D", link=0)
    s.put(1, -1, ".")
    s.put(1, -2, "o", link=0)
    s.put(n - 1, 0, ".", item="treasure2")
    return s


def raise_gate(rng, w):
    """A plate a few cells past a gateway: pressing it raises a wall in the gateway, behind
    the hero; the way on stays open."""
    n = 6
    s = Stamp(n)
    s.lane(w, 0, n)
    for v in range(w):
        s.put(1, v, "d", link=0)
    s.put(4, 0, "o", link=0)
    return s


def arrow_plate(rng, w, traps=2):
    """A plate on the way; the arrow traps it fires stand beside the way a few cells ahead,
    so their arrows cross the way in front of the hero, not where he stands."""
    n = 6 + traps
    s = Stamp(n)
    s.lane(w, 0, n)
    s.put(2, 0, "o", link=0)
    for i in range(traps):
        s.put(5 + i, -1, "a", link=0)
    return s


def belt(rng, w, n=8, against=False, beside=True):
    """A conveyor belt along the way; with beside, one row of the lane stays solid."""
    s = Stamp(n)
    s.lane(w, 0, n)
    ch = "<" if against else ">"
    rows = [0] if beside and w > 1 else range(w)
    for u in range(1, n - 1):
        for v in rows:
            s.put(u, v, ch)
    return s


def closing(rng, w, k=1):
    n = k + 4
    s = Stamp(n)
    s.lane(w, 0, n)
    for u in range(2, 2 + k):
        for v in range(w):
            s.put(u, v, "u")
    return s


def maze(rng, w, cells=4):
    """A small maze of one-cell corridors, entered on the lane's first row and left on it."""
    size = 2 * cells - 1
    s = Stamp(size + 2)
    s.lane(w, 0, 1)
    s.lane(w, size + 1, size + 2)
    seen = {(0, 0)}
    stack = [(0, 0)]
    s.put(1, 0, ".")
    while stack:
        x, y = stack[-1]
        options = [(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))
                   if 0 <= x + dx < cells and 0 <= y + dy < cells and (x + dx, y + dy) not in seen]
        if not options:
            stack.pop()
            continue
        nx, ny = rng.choice(options)
        s.put(1 + x + nx, 0 - (y + ny), ".")  # the wall between, then the cell
        s.put(1 + 2 * nx, -2 * ny, ".")
        seen.add((nx, ny))
        stack.append((nx, ny))
    s.put(size, 0, ".")
    dead_ends = [(1 + 2 * x, -2 * y) for x in range(cells) for y in range(cells) if (x, y) != (0, 0)]
    for u, v in rng.sample(dead_ends, 3):
        s.put(u, v, ".", item="treasure3")
    return s


def arena(rng, w, size=6, creatures=0, item=None):
    """The one open place of a level."""
    s = Stamp(size + 2)
    lo = -(size - w) // 2
    s.lane(w, 0, size + 2)
    s.box(1, size + 1, lo, lo + size)
    for i in range(creatures):
        s.put(size - i % 2, lo + 1 + 2 * (i // 2), ".", creature="zombie")
    if item:
        s.put(size // 2 + 1, lo, ".", item=item)
    return s


def exit_landing(rng, w):
    s = Stamp(3)
    s.box(0, 3, 0, max(3, w))
    s.put(2, 1, "X")
    return s


PIECES = dict(walk=walk, ledge=ledge, gap=gap, stones=stones, chain=chain,
              spikes_beside=spikes_beside, spike_strip=spike_strip, potion=potion,
              island=island, ring=ring, zombie_behind_pit=zombie_behind_pit, zombies=zombies,
              breakable_room=breakable_room, colonnade=colonnade, crumble_beside=crumble_beside,
              crumble_bridge=crumble_bridge, crumble_islands=crumble_islands,
              plate_door=plate_door, raise_gate=raise_gate, arrow_plate=arrow_plate, belt=belt,
              closing=closing, maze=maze, arena=arena, exit=exit_landing)


# ---- laying the pieces ------------------------------------------------------------------

class Layout:
    """The pieces laid so far: which cells each one's box takes. A new box may touch only
    the last two pieces and the corners and joining walks laid since (a short piece between
    two others is often no longer than the margin); everything older stays margin cells
    away."""

    def __init__(self, margin):
        self.margin = margin
        self.owner = {}   # (x, y) -> index of the piece whose box holds it
        self.placed = []  # (box, {(x, y): (char, values)}, is a piece of the plan)

    def fits(self, box):
        pieces = [k for k, p in enumerate(self.placed) if p[2]]
        recent = pieces[-2] if len(pieces) >= 2 else 0
        for x, y in box:
            if not (1 <= x < N - 1 and 1 <= y < N - 1) or (x, y) in self.owner:
                return False
            m = self.margin
            for dx in range(-m, m + 1):
                for dy in range(-m, m + 1):
                    o = self.owner.get((x + dx, y + dy))
                    if o is not None and o < recent:
                        return False
        return True

    def place(self, box, cells, piece):
        for p in box:
            self.owner[p] = len(self.placed)
        self.placed.append((box, cells, piece))

    def undo(self):
        box, _, _ = self.placed.pop()
        for p in box:
            del self.owner[p]

    def cells(self):
        out = {}
        for _, cells, _ in self.placed:
            out.update(cells)
        return out


def to_map(origin, f, u, v):
    (ox, oy), (fx, fy) = origin, f
    rx, ry = -fy, fx
    return ox + u * fx + v * rx, oy + u * fy + v * ry


BELT = {(1, 0): ">", (-1, 0): "<", (0, 1): "v", (0, -1): "^"}


def corner(w):
    s = Stamp(w)
    s.box(0, w, 0, w)
    return s


def lay(plan, width, rng, margin, budget=4000):
    """Lays the pieces with a search over turns and short joining walks; None when they do
    not fit."""
    stamps = [PIECES[name](rng, width, **args) for name, args in plan]
    layout = Layout(margin)
    steps = [0]

    def place(stamp, origin, f, piece=False):
        lo, hi = stamp.span()
        lo, hi = min(lo, 0), max(hi, width - 1)
        box = [to_map(origin, f, u, v) for u in range(stamp.length) for v in range(lo, hi + 1)]
        if not layout.fits(box):
            return False
        cells = {}
        for (u, v), (ch, values) in stamp.cells.items():
            if ch in "<>":  # belts are drawn along the way: turn them with it
                ch = BELT[f if ch == ">" else (-f[0], -f[1])]
            cells[to_map(origin, f, u, v)] = (ch, values)
        layout.place(box, cells, piece)
        return True

    def advance(stamp, origin, f):
        return to_map(origin, f, stamp.length, 0), f

    def go(k, origin, f):
        steps[0] += 1
        if steps[0] > budget:
            return False
        if k == len(stamps):
            return True
        options = [(turn, pad) for turn in ("none", "left", "right") for pad in (0, 1, 2, 3)]
        rng.shuffle(options)
        # Turns before straight on, so the ways wind across the map.
        options.sort(key=lambda o: (o[0] == "none") * rng.random())
        for turn, pad in options:
            if k == 0 and (turn != "none" or pad):
                continue
            laid = 0
            o, d = origin, f
            if turn != "none":
                if not place(corner(width), o, d):
                    continue
                laid += 1
                fx, fy = d
                rx, ry = -fy, fx
                if turn == "right":
                    o = (o[0] + (width - 1) * fx + width * rx, o[1] + (width - 1) * fy + width * ry)
                    d = (rx, ry)
                else:
                    o = (o[0] - rx, o[1] - ry)
                    d = (-rx, -ry)
            ok = True
            if pad:
                p = walk(rng, width, pad)
                ok = place(p, o, d)
                if ok:
                    laid += 1
                    o, d = advance(p, o, d)
            if ok and place(stamps[k], o, d, piece=True):
                laid += 1
                if go(k + 1, *advance(stamps[k], o, d)):
                    return True
            for _ in range(laid):
                layout.undo()
        return False

    for _ in range(40):
        f = rng.choice([(1, 0), (0, 1), (-1, 0), (0, -1)])
        start = (rng.randrange(3, N - 3), rng.randrange(3, N - 3))
        steps[0] = 0
        if go(0, start, f):
            return layout, start, f
    return None


def render(number, name, plan, width, seed, ids, area, treasure=0, decorations=4):
    """The level's source text, or None when its pieces do not fit on the map. area: its
    setting (outdoor or not, designs, lights)."""
    rng = random.Random(seed)
    # Over the void a jump crosses two cells: ways keep three apart there, so no way can
    # be left for another by a jump the design did not mean.
    laid = lay(plan, width, rng, 3 if area["outdoor"] else 1)
    if laid is None:
        return None
    layout, start, f = laid
    fill = "~" if area["outdoor"] else "#"
    grid = [[fill] * N for _ in range(N)]
    values = {}
    cells = layout.cells()
    for (x, y), (ch, vals) in cells.items():
        grid[y][x] = ch
        if vals:
            values[(x, y)] = dict(vals)
    next_link = 1
    # A plate and the walls or traps it drives were put by the same piece: the cells of one
    # piece that ask for a link are near each other, so join them by distance.
    wanting = [p for p, v in values.items() if v.get("link") == 0]
    plates = [p for p in wanting if grid[p[1]][p[0]] == "o"]
    for plate in plates:
        values[plate]["link"] = next_link
        next_link += 1
    for p in wanting:
        if grid[p[1]][p[0]] != "o":
            near = min(plates, key=lambda q: abs(q[0] - p[0]) + abs(q[1] - p[1]))
            values[p]["link"] = values[near]["link"]
    sx, sy = start
    if f[0]:
        sx += f[0]
    else:
        sy += f[1]
    # Loose treasure and decorations on plain floor away from the start.
    floor = [(x, y) for (x, y), (ch, vals) in cells.items()
             if ch == "." and not vals and abs(x - sx) + abs(y - sy) > 3]
    rng.shuffle(floor)
    for p in floor[:treasure]:
        values[p] = {"item": rng.choice(["treasure", "treasure", "treasure2", "treasure3"])}
    for p in floor[treasure:treasure + decorations]:
        values[p] = {"item": "deco%d" % rng.randint(1, 7)}

    lines = ["# %s" % name, "name: %s" % name, "id: %s" % ids[number - 1], "author: Tarnhollow",
             "music: area%d.ogg" % ((number - 1) // 10 + 1), "start: %d %d" % (sx, sy),
             "main light: %s" % area["main"], "fill light: %s" % area["fill"],
             "designs: floor=%d wall=%d pillar=%d other=0" % (area["floor"], area["wall"], area["pillar"]),
             "defaults: creature=-1 item=-1 link=0 period=100 phase=0", "", "map"]
    lines += ["".join(row) for row in grid]
    lines += ["end", "", "cells"]
    for (x, y) in sorted(values, key=lambda p: (p[1], p[0])):
        words = " ".join("%s=%s" % kv for kv in values[(x, y)].items())
        lines.append("%d %d %s" % (x, y, words))
    lines.append("end")
    return "\n".join(lines) + "\n"


def parse(text):
    """'walk n=4; gap k=2' -> [("walk", {"n": 4}), ("gap", {"k": 2})]"""
    plan = []
    for part in text.split(";"):
        words = part.split()
        args = {}
        for word in words[1:]:
            key, value = word.split("=")
            if value in ("True", "False"):
                args[key] = value == "True"
            elif re.fullmatch(r"-?\d+", value):
                args[key] = int(value)
            else:
                args[key] = value
        plan.append((words[0], args))
    return plan


# (name, lane width, treasure scattered, plan). Every plan ends at the exit.
def check(tool, text):
    with tempfile.TemporaryDirectory() as tmp:
        src, dat = os.path.join(tmp, "l.lvl"), os.path.join(tmp, "l.dat")
        open(src, "w").write(text)
        r = subprocess.run([tool, "level-compile", src, dat], capture_output=True, text=True)
        if r.returncode:
            raise SystemExit(r.stderr)
        r = subprocess.run([tool, "level-check", dat], capture_output=True, text=True)
        return r.returncode == 0, r.stdout.strip()
