#pragma once
// Key scripts for screen tests written as what a player does: press this, type that. Each
// press holds its keys for the given polls and then lets go for two, so that a screen which
// waits for a release (and so uses up a poll) still sees the next press as a new one.
#include <initializer_list>
#include <string>
#include <string_view>

namespace keypresses {

inline constexpr int Esc = 1, Backspace = 14, Enter = 28, Shift = 42, Space = 57, Up = 200,
                     Down = 208, Delete = 211;

// The keyboard code of a letter, a digit or a blank; 0 for anything else.
inline int KeyOf(char c) {
    constexpr std::string_view rows[] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
    constexpr int firstCodes[] = {2, 16, 30, 44};
    if (c == ' ') return Space;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (int r = 0; r < 4; ++r) {
        const size_t at = rows[r].find(c);
        if (at != std::string_view::npos) return firstCodes[r] + static_cast<int>(at);
    }
    return 0;
}

class tpresses {
  public:
    tpresses& Press(std::initializer_list<int> keys, int polls = 1) {
        script_ += std::to_string(frame_) + ":";
        for (int key : keys) script_ += " " + std::to_string(key);
        script_ += "\n";
        frame_ += polls;
        script_ += std::to_string(frame_) + ":\n";
        frame_ += 2;
        return *this;
    }
    tpresses& Press(int key, int times = 1) {
        for (int i = 0; i < times; ++i) Press({key});
        return *this;
    }
    // Quick taps, each pressed and let go between two polls, one poll after the other.
    tpresses& Tap(std::initializer_list<int> keys) {
        for (int key : keys)
            script_ += std::to_string(frame_++) + ": " + std::to_string(key) + "*\n";
        return *this;
    }
    // Capitals are typed with Shift held.
    tpresses& Type(std::string_view text) {
        for (char c : text) {
            if (c >= 'A' && c <= 'Z')
                Press({Shift, KeyOf(c)});
            else
                Press({KeyOf(c)});
        }
        return *this;
    }
    const std::string& Script() const { return script_; }

  private:
    std::string script_;
    long frame_ = 0;
};

} // namespace keypresses
