#pragma once
// Builds level documents and level files for tests: a readable description of every
// element, written out as the two-line file the game reads (plain header line, scrambled
// body).
#include "engine/xmlparser.h"
#include "platform/files.h"

#include <array>
#include <string>

namespace testlevel {

struct tcellplan {
    int E = 1, M = -1, I = -1, C = 0, F = 100, X = 0, O = 0;
};

struct tlevelplan {
    std::string name = "Test level", id = "20260101000000000000001", ag, creator = "Tester";
    std::string music;
    std::string R = "200", G = "180", B = "160", X = "1", Y = "-2", Z = "2", I = "80";
    std::string fillR = "40", fillG = "50", fillB = "60", fillI = "30";
    std::string SX = "3", SY = "4";
    int cellCount = 2500;
    std::array<tcellplan, 2500> cells{};

    // The cell at a column and a map line counted from the top of the map.
    tcellplan& Line(int column, int line) { return cells[line * 50 + column]; }
    // The same by world row (row 0 is the bottom line).
    tcellplan& World(int column, int row) { return Line(column, 49 - row); }
};

inline std::string Element(const char* name, const std::string& text) {
    return "<" + std::string(name) + ">" + text + "</" + name + ">";
}

inline std::string Header(const tlevelplan& s) {
    return "<Lv><Hd>" + Element("Na", s.name) + Element("Id", s.id);
}

inline std::string Body(const tlevelplan& s) {
    std::string body = Element("Ag", s.ag.empty() ? s.id : s.ag) + Element("Cr", s.creator);
    body += "<Li><Pr>" + Element("R", s.R) + Element("G", s.G) + Element("B", s.B) +
            Element("X", s.X) + Element("Y", s.Y) + Element("Z", s.Z) + Element("I", s.I) +
            "</Pr><Se>" + Element("R", s.fillR) + Element("G", s.fillG) + Element("B", s.fillB) +
            Element("I", s.fillI) + "</Se></Li>";
    body += Element("Mu", s.music) + Element("SX", s.SX) + Element("SY", s.SY) + "</Hd><Da>";
    for (int k = 0; k < s.cellCount; ++k) {
        const tcellplan& c = s.cells[k];
        body += "<T>" + Element("E", std::to_string(c.E)) + Element("M", std::to_string(c.M)) +
                Element("I", std::to_string(c.I)) + Element("C", std::to_string(c.C)) +
                Element("F", std::to_string(c.F)) + Element("X", std::to_string(c.X)) +
                Element("O", std::to_string(c.O)) + "</T>";
    }
    return body + "</Da></Lv>";
}

inline std::string Document(const tlevelplan& s) {
    return Header(s) + Body(s);
}

// The level file: header line, CR LF, scrambled body, CR LF.
inline bool WriteLevelFile(const std::string& path, const tlevelplan& s) {
    return files::WriteSafely(path, Header(s) + "\r\n" + Scramble(Body(s)) + "\r\n");
}

} // namespace testlevel
