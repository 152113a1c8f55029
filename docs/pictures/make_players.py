#!/usr/bin/env python3
"""Writes a players file whose slot 1 ("GUNNER") owns all three guns with full magazines,
holding gun GUN (argument, default 1), so that `play` and `render` show the hero armed."""
import sys

out = sys.argv[1]
gun = int(sys.argv[2]) if len(sys.argv) > 2 else 1
magazines = {1: 8, 2: 50, 3: 30}


def player(name, lives, current):
    guns = "".join(
        f"<Gun><Own>{1 if lives else 0}</Own><AmmoCurrent>{magazines[g] if lives else 0}"
        f"</AmmoCurrent><AmmoAll>{200 if lives else 0}</AmmoAll></Gun>" for g in (1, 2, 3))
    return (f"<Player><Name>{name}</Name><Id>1</Id><Score>0</Score><Lives>{lives}</Lives>"
            f"<Energy>100</Energy><Gun>{current}</Gun><Money>0</Money><Jump>100</Jump>"
            f"<Guns>{guns}</Guns><Levels></Levels></Player>")


doc = "<Players><HighestLevelPassed>0</HighestLevelPassed>"
doc += player("GUNNER", 7, gun)
for n in range(2, 11):
    doc += player(f"PLAYER {n}", 0, 0)
doc += "</Players>"
data = bytes((b + (i + 1) % 50 + 1) % 256 for i, b in enumerate(doc.encode()))
with open(out, "wb") as f:
    f.write(data + b"\r\n")
