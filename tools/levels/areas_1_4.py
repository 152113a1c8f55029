#!/usr/bin/env python3
"""Lays out the campaign levels of areas 1-4 (tools/levels/campaign/01.lvl .. 40.lvl).

A level is a plan: a list of pieces (pieces.py: a stretch of path, a gap, a spike strip, a
treasure island, a plate and its door, ...) laid end to end across the map. The README's
design names each level's set-piece; the plans below are that design written as pieces.

A layout the checker refuses, or one that does not fit, is thrown away and the next seed
tried.

usage: areas_1_4.py TOOL [LEVEL...]      (TOOL = path of tarnhollow-tool)
"""
import os
import sys

import metrics
from generate_campaign import AREAS, campaign_ids
from pieces import check, parse, render

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
ALIKE = 0.40  # below the design's 45 %, so that a later level has room


LEVELS = {
    # Area 1: Lost Valley. Walking, jumping, the jump meter, treasure, potions, spikes.
    1: ("First Steps", 3, 14,
        "walk n=6 treasure=2; walk n=5 treasure=1; island k=0 size=3 treasure=3; walk n=6 treasure=2; "
        "walk n=4; island k=0 size=3 treasure=2 side=1; walk n=6 treasure=2; walk n=5; walk n=6 treasure=1; "
        "island k=0 size=3 treasure=3; walk n=4; exit"),
    2: ("Stepping Stones", 2, 12,
        "walk n=5 treasure=1; gap k=1 walkround=True; walk n=4; stones count=5 k=1 size=2; "
        "walk n=4 treasure=1; gap k=1; island k=1 size=3 treasure=3; walk n=5; stones count=4 k=1 size=3; "
        "walk n=3; exit"),
    3: ("Broken Bridge", 2, 12,
        "walk n=4; gap k=1; walk n=3; island k=2 size=3 treasure=4; walk n=5; gap k=1; "
        "walk n=3; gap k=2; walk n=4 treasure=1; stones count=3 k=2 size=2; walk n=3; gap k=2; walk n=4; exit"),
    4: ("Thornfield", 2, 12,
        "walk n=4; spikes_beside n=8 depth=3; walk n=3; spikes_beside n=6 depth=2; "
        "spike_strip rows=1 potion=health; walk n=4; gap k=1; island k=1 size=3 treasure=3; "
        "walk n=5; spike_strip rows=1; walk n=4; exit"),
    5: ("The Leaping Chain", 2, 12,
        "walk n=4; gap k=2; walk n=3; chain jumps=3; walk n=3 treasure=1; "
        "stones count=6 k=1 size=2 rest=3; walk n=3; chain jumps=4; exit"),
    6: ("Shepherd's Ring", 2, 10,
        "walk n=5 treasure=1; gap k=1; ring size=13 shortcut=2; walk n=3; "
        "island k=2 size=3 treasure=2 item=life; walk n=4; spike_strip rows=1; walk n=3; exit"),
    7: ("Thorn Bridges", 2, 12,
        "walk n=4; spike_strip rows=1; gap k=1; walk n=2; spike_strip rows=2; gap k=2; "
        "potion name=health; spikes_beside n=5 depth=2; gap k=1 narrow=True; spike_strip rows=2; "
        "walk n=3; island k=2 size=3 treasure=3; exit"),
    8: ("The Quick Ledge", 1, 12,
        "walk n=3; potion name=speed; ledge n=12 treasure=2; ledge n=10; gap k=1; ledge n=12 treasure=2; "
        "ledge n=8; spike_strip rows=1; ledge n=10 treasure=1; island k=1 size=3 treasure=3; exit"),
    9: ("Cliff Walk", 1, 12,
        "walk n=3; ledge n=8; gap k=2; ledge n=9 treasure=2; gap k=1; ledge n=7; gap k=2; "
        "ledge n=8; spikes_beside n=5 depth=1; gap k=1; ledge n=6; chain jumps=3; exit"),
    10: ("Valley's End", 2, 14,
         "walk n=3; stones count=4 k=1 size=2; spike_strip rows=2 potion=health; "
         "island k=2 size=3 treasure=3; chain jumps=3; spikes_beside n=5; spike_strip rows=1; "
         "gap k=2; walk n=3; potion name=life; exit"),
    # Area 2: Ancient Ruins. Zombies, breakable walls, the blessing potion.
    11: ("The Ruined Gate", 2, 16,
         "walk n=4; gap k=1; walk n=4; zombie_behind_pit n=6; walk n=5 treasure=1; potion name=health; "
         "spikes_beside n=6 depth=2; spike_strip rows=1; walk n=4; zombie_behind_pit n=5; walk n=4; exit"),
    12: ("Tomb Guards", 1, 16,
         "walk n=5; potion name=health; ledge n=8; zombies count=1 n=7 width=2; walk n=5 treasure=1; "
         "gap k=1; walk n=4; spike_strip rows=1; zombies count=1 n=7 width=2; walk n=6; exit"),
    13: ("The Cracked Wall", 2, 16,
         "walk n=5; breakable_room treasure=4; walk n=4; gap k=1; zombies count=1; ledge n=8; "
         "breakable_room treasure=5 side=1; spike_strip rows=1; potion name=health; zombies count=1; exit"),
    14: ("Colonnade", 2, 16,
         "walk n=4; colonnade n=9 spikes=True zombies=1; walk n=4; gap k=1; potion name=health; "
         "colonnade n=11 spikes=True zombies=2; walk n=3; breakable_room; exit"),
    15: ("Buried Vault", 1, 18,
         "walk n=4; breakable_room treasure=4; zombies count=1 n=6; breakable_room treasure=4 side=1; "
         "gap k=2; maze cells=3; zombies count=2 n=6; potion name=health; breakable_room treasure=5; "
         "spike_strip rows=2; exit"),
    16: ("Restless Graves", 2, 16,
         "walk n=4; spike_strip rows=1; gap k=1; walk n=3; potion name=blessing; arena size=7 creatures=4; "
         "walk n=4; potion name=health; spikes_beside n=5; zombies count=1; exit"),
    17: ("The Fallen Stair", 1, 18,
         "walk n=3; ledge n=6; gap k=2; zombies count=1 n=5 width=2; ledge n=6; gap k=1; "
         "chain jumps=2; zombies count=1 n=5 width=2; potion name=health; gap k=2; ledge n=5; "
         "zombies count=2 n=6 width=2; exit"),
    18: ("Collapsed Halls", 2, 18,
         "walk n=4; breakable_room; gap k=1; colonnade n=7 zombies=1; breakable_room side=1; "
         "potion name=life; zombies count=2; gap k=2; spike_strip rows=1; breakable_room; exit"),
    19: ("The Long Corridor", 1, 18,
         "walk n=4; zombies count=2 n=6 width=2; spike_strip rows=2; walk n=2; spike_strip rows=2; "
         "potion name=health; spike_strip rows=3; walk n=2; spike_strip rows=2; gap k=1; "
         "zombies count=2 n=6 width=2; exit"),
    20: ("Heart of the Ruins", 2, 20,
         "walk n=4; zombies count=1; ring size=13 shortcut=2; breakable_room; spike_strip rows=2; "
         "potion name=blessing; colonnade n=7 zombies=2; gap k=2; potion name=life; zombies count=2; exit"),
    # Area 3: Quatzalcoatl's Treasury. Crumbling floors, plates that lower walls, invincibility.
    21: ("The Crumbling Stair", 2, 20,
         "walk n=4; crumble_beside n=6; walk n=4; zombies count=1; crumble_beside n=7; potion name=health; "
         "gap k=1; zombies count=2; walk n=4; crumble_beside n=5; exit"),
    22: ("The Sealed Door", 2, 20,
         "walk n=4; plate_door ahead=4; walk n=3; zombies count=1; crumble_bridge n=4; "
         "potion name=health; plate_door ahead=5; zombies count=2; spike_strip rows=1; exit"),
    23: ("Crumbling Coins", 2, 20,
         "walk n=3; crumble_islands count=3; zombies count=1; crumble_bridge n=5; walk n=3; "
         "crumble_islands count=4; plate_door; potion name=health; zombies count=2; crumble_bridge n=3; exit"),
    24: ("Serpent Scales", 1, 20,
         "walk n=4; crumble_bridge n=6; spikes_beside n=6 depth=1; zombies count=1 n=5 width=2; "
         "crumble_bridge n=5; spike_strip rows=1; potion name=health; crumble_bridge n=4; "
         "zombies count=2 n=6 width=2; exit"),
    25: ("Two Keys", 2, 22,
         "walk n=4; zombies count=1; plate_door ahead=3; crumble_bridge n=4; walk n=3; "
         "zombies count=2; potion name=health; plate_door ahead=6; gap k=2; zombies count=1; exit"),
    26: ("Gold Beneath", 2, 22,
         "walk n=4; breakable_room; crumble_islands count=3; zombies count=2; crumble_bridge n=5; "
         "breakable_room side=1; potion name=blessing; spike_strip rows=1; zombies count=2; "
         "breakable_room treasure=5; exit"),
    27: ("The Opening Vault", 2, 22,
         "walk n=3; plate_door ahead=3; zombies count=1; plate_door ahead=4; crumble_bridge n=4; "
         "potion name=health; zombies count=2; plate_door ahead=3; spike_strip rows=1; "
         "zombies count=2; exit"),
    28: ("Dust and Gold", 1, 22,
         "walk n=3; maze cells=4; zombies count=1 n=5 width=2; crumble_bridge n=3; maze cells=4; "
         "potion name=health; arena size=5 creatures=2; gap k=1; exit"),
    29: ("Quatzalcoatl's Vault", 2, 24,
         "walk n=4; plate_door ahead=4; crumble_beside n=5; potion name=invincibility; "
         "arena size=6 creatures=5; walk n=3; potion name=health; crumble_bridge n=4; "
         "zombies count=2; exit"),
    30: ("The Feathered Serpent", 1, 24,
         "walk n=4; crumble_bridge n=5; plate_door ahead=4; spike_strip rows=2; zombies count=2 n=6 width=2; "
         "breakable_room; crumble_beside n=6; potion name=health; gap k=2; plate_door ahead=3; "
         "zombies count=2 n=6 width=2; potion name=life; exit"),
    # Area 4: Highlands. Conveyors, closing pits, plates that raise walls and fire traps.
    31: ("Windy Heights", 2, 22,
         "walk n=4; belt n=10; walk n=3; gap k=1; belt n=8; zombies count=1; potion name=health; "
         "belt n=8; island k=1 size=3 treasure=3; zombies count=2; exit"),
    32: ("Moving Ground", 2, 22,
         "walk n=3; belt n=8 against=True; walk n=3; belt n=8 against=True beside=False; zombies count=2; "
         "gap k=2; potion name=health; belt n=7 beside=False; zombies count=1; exit"),
    33: ("Closing Chasms", 3, 22,
         "walk n=4; closing k=1; walk n=4; closing k=2; zombies count=1; belt n=6; potion name=health; "
         "closing k=2; island k=1 size=3 treasure=3; zombies count=2; exit"),
    34: ("The Shut Gate", 2, 22,
         "walk n=4; belt n=6; raise_gate; zombies count=1; closing k=1; potion name=health; "
         "raise_gate; zombies count=2; gap k=2; exit"),
    35: ("Arrow Pass", 2, 22,
         "walk n=4; arrow_plate traps=2; walk n=3; closing k=1; zombies count=1; potion name=health; "
         "arrow_plate traps=3; belt n=6; zombies count=2; exit"),
    36: ("Rolling Heights", 2, 24,
         "walk n=3; belt n=7; closing k=2; island k=2 size=3 treasure=3; raise_gate; stones count=3 k=1 size=2; "
         "zombies count=2; potion name=health; belt n=6 against=True; closing k=1; zombies count=1; exit"),
    37: ("Eagle's Nest", 2, 24,
         "walk n=4; closing k=1; ring size=13 shortcut=2; zombies count=2; potion name=health; "
         "closing k=2; belt n=6; zombies count=2; island k=2 size=3 treasure=3 item=life; exit"),
    38: ("The High Pass", 2, 24,
         "walk n=3; arrow_plate traps=2; raise_gate; zombies count=2; closing k=1; potion name=health; "
         "arrow_plate traps=3; raise_gate; belt n=6; zombies count=2; exit"),
    39: ("Storm Ridge", 2, 24,
         "walk n=3; belt n=6; gap k=1; belt n=6 against=True; gap k=2; zombies count=2; potion name=health; "
         "belt n=8 beside=False; gap k=1; crumble_bridge n=4; zombies count=2; exit"),
    40: ("Roof of the World", 2, 26,
         "walk n=3; stones count=3 k=1 size=2; belt n=6; closing k=2; arrow_plate traps=2; raise_gate; "
         "zombies count=3; potion name=health; crumble_bridge n=4; spike_strip rows=1; belt n=6 against=True; "
         "zombies count=2; potion name=life; exit"),
}

def too_alike(number, text):
    """An earlier level of these areas that shares more than ALIKE of the standable cells
    with this one: a layout that looks like another level is drawn again. Only earlier
    levels count, so that laying the levels in order always gives the same levels."""
    level = metrics.Level(number, text)
    for other in sorted(LEVELS):
        path = os.path.join(HERE, "campaign", "%02d.lvl" % other)
        if other < number:
            share = metrics.shared_share(level, metrics.Level(other, open(path).read()))
            if share > ALIKE:
                return other
    return None


def main():
    tool = sys.argv[1]
    wanted = [int(x) for x in sys.argv[2:]] or sorted(LEVELS)
    ids = campaign_ids()
    for number in wanted:
        name, width, treasure, plan = LEVELS[number]
        pieces = parse(plan)
        # From the sixth level on a level goes through its plan twice (the set-piece comes
        # back, harder to reach), where the map has room for that; else once.
        twice = pieces[:-1] + pieces[1:] if number > 5 else pieces
        for attempt in range(100):
            layout = twice if attempt < 40 else pieces
            text = render(number, name, layout, width, number * 1000 + attempt, ids,
                          AREAS[(number - 1) // 10],
                          treasure * len(layout) // len(pieces))
            if text is None or too_alike(number, text):
                continue
            ok, verdict = check(tool, text)
            if ok:
                break
        else:
            raise SystemExit("level %d: no layout that fits and can be completed" % number)
        open(os.path.join(HERE, "campaign", "%02d.lvl" % number), "w").write(text)
        print("%02d %-24s seed %d  %s" % (number, name, number * 1000 + attempt, verdict))


if __name__ == "__main__":
    main()
