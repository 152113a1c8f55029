// The desktop icon: the hero's wide-brimmed hat over a heap of gold on a dark disc. Drawn
// on a 256-unit square and scaled, so every size shows the same picture.
#include "pictures.h"

namespace forge {

Image PaintIcon(int size) {
    Image icon(size, size);
    const float k = size / 256.f;
    auto at = [k](float units) { return units * k; };

    icon.fillCircle(at(128), at(128), at(124), Rgb(38, 30, 26));
    icon.fillCircle(at(128), at(128), at(114), Rgb(24, 20, 30));

    // The treasure: a heap of coins with a red gem on top.
    const Colour gold = Rgb(226, 176, 52), goldShade = Rgb(168, 118, 30);
    icon.fillEllipse(at(128), at(196), at(78), at(26), goldShade);
    for (float x : {74.f, 104.f, 134.f, 164.f, 186.f})
        icon.fillEllipse(at(x), at(186), at(20), at(9), gold);
    for (float x : {92.f, 124.f, 156.f}) icon.fillEllipse(at(x), at(168), at(20), at(9), gold);
    icon.fillPolygon({at(128), at(138), at(146), at(160), at(128), at(182), at(110), at(160)},
                     Rgb(200, 40, 50));

    // The hat: crown, band and brim, tilted a little as if just put down.
    const Colour felt = Rgb(150, 106, 58), feltShade = Rgb(112, 76, 40);
    icon.fillEllipse(at(128), at(126), at(100), at(26), feltShade);
    icon.fillPolygon(
        {at(78), at(120), at(88), at(62), at(128), at(48), at(168), at(62), at(178), at(120)},
        felt);
    icon.fillPolygon({at(80), at(108), at(176), at(108), at(178), at(122), at(78), at(122)},
                     Rgb(60, 35, 25));
    icon.line(at(128), at(52), at(128), at(104), at(4), feltShade);
    return icon;
}

} // namespace forge
