#!/usr/bin/env python3
"""The level tools' own rules: what metrics.py counts as open, alike and a gap, and how
pieces.py lays pieces (belts along the way, plates linked to their own doors, ways kept
apart)."""
import os
import re
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "levels"))
import metrics  # noqa: E402
import pieces  # noqa: E402

N = 50


def level_of(rows, fill="~"):
    """A source text whose map has rows drawn from the top-left corner."""
    grid = [list(fill * N) for _ in range(N)]
    for l, row in enumerate(rows):
        for c, ch in enumerate(row):
            if ch != " ":
                grid[l][c] = ch
    text = "name: t\nmap\n" + "\n".join("".join(r) for r in grid) + "\nend\n\ncells\nend\n"
    return metrics.Level(1, text)


def shifted(rows, dc, dl):
    return [" " * dc + row for row in [""] * dl + rows]


class Metrics(unittest.TestCase):
    def test_open_share_counts_cells_in_full_4x4_squares(self):
        cases = [
            (["...."] * 4, 1.0),                  # one square
            (["..."] * 10, 0.0),                  # a way three wide
            (["...."] * 4 + [".", ".", ".", "."], 16 / 20),
            (["....", ".*..", "....", "...."], 1.0),  # spikes are ground
            (["....", ".I..", "....", "...."], 0.0),  # a pillar breaks it
        ]
        for rows, share in cases:
            self.assertAlmostEqual(level_of(rows).open_share(), share, msg=rows)

    def test_alike_finds_shifts_up_to_two_cells_and_no_further(self):
        rows = [".........", "........X", "..~~.....", ".", ".", "......."]
        a = level_of(rows)
        for dc, dl in ((0, 0), (2, 0), (0, 2), (2, 2)):
            self.assertAlmostEqual(metrics.shared_share(a, level_of(shifted(rows, dc, dl))), 1.0)
        self.assertLess(metrics.shared_share(a, level_of(shifted(rows, 3, 3))), 0.5)
        # Shifting the other way round is the same measure.
        self.assertAlmostEqual(metrics.shared_share(level_of(shifted(rows, 2, 1)), a), 1.0)

    def test_a_gap_is_one_or_two_pit_cells_between_ground(self):
        cases = [
            (["...", "...", "..."], False),     # the void round a meadow is no gap
            ([".~."], True), ([".~~."], True), ([".~~~."], False),
            ([".", "~", "."], True), ([".", "~", "~", "~", "."], False),
        ]
        for rows, gap in cases:
            self.assertEqual(level_of(rows).gaps(), gap, msg=rows)


class Pieces(unittest.TestCase):
    AREA = dict(outdoor=True, floor=0, wall=0, pillar=1, main="255 255 255 0 -1 0 100",
                fill="0 0 0 0")

    def laid(self, plan, seed, width=2):
        text = pieces.render(1, "t", pieces.parse(plan), width, seed, ["0"] * 80, self.AREA)
        self.assertIsNotNone(text)
        return text, metrics.Level(1, text)

    def test_belts_run_along_the_way_whichever_way_it_turns(self):
        steps = {">": (1, 0), "<": (-1, 0), "v": (0, 1), "^": (0, -1)}
        headings = set()
        for seed in range(12):
            _, level = self.laid("walk n=3; belt n=6 beside=False; walk n=3; belt n=6 against=True "
                                 "beside=False; exit", seed)
            for l, row in enumerate(level.map):
                for c, ch in enumerate(row):
                    if ch in steps:
                        dc, dl = steps[ch]
                        headings.add(ch)
                        self.assertIn((c + dc, l + dl), level.standable, (seed, c, l, ch))
                        self.assertIn((c - dc, l - dl), level.standable, (seed, c, l, ch))
        self.assertEqual(headings, set(steps))

    def test_each_plate_drives_its_own_door_or_wall(self):
        text, level = self.laid("walk n=3; plate_door ahead=3; walk n=4; plate_door ahead=5; "
                                "raise_gate; exit", 5)
        links = {}
        for c, l, link in re.findall(r"^(\d+) (\d+) .*link=(\d+)", text, re.M):
            links.setdefault(int(link), []).append(level.map[int(l)][int(c)])
        self.assertEqual(sorted("".join(sorted(v)) for v in links.values()),
                         sorted(["DDo", "DDo", "ddo"]))

    def test_only_the_last_two_pieces_may_touch_a_new_one(self):
        layout = pieces.Layout(margin=3)
        layout.place([(10, 10)], {}, True)   # older piece
        layout.place([(20, 10)], {}, True)   # the last two pieces
        layout.place([(30, 10)], {}, True)
        layout.place([(31, 10)], {}, False)  # a corner laid since
        self.assertFalse(layout.fits([(13, 10)]))  # within the margin of an older piece
        self.assertTrue(layout.fits([(14, 10)]))
        self.assertTrue(layout.fits([(21, 10)]))   # touching the last two is allowed
        self.assertTrue(layout.fits([(32, 10)]))
        self.assertFalse(layout.fits([(30, 10)]))  # but never on one
        self.assertFalse(layout.fits([(0, 10)]))   # nor on the map's rim


if __name__ == "__main__":
    unittest.main()
