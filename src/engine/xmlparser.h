#pragma once
// The game's small tag dialect: every text file of the game is a tree of tnode elements.
// Elements only, no attributes, no entities; any end tag closes the innermost element.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The reader's error: a missing element, a bad number, a file that cannot be read.
class XmlError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class tnode {
  public:
    std::vector<std::unique_ptr<tnode>> children;
    std::string name;
    std::string text;
    tnode* parent = nullptr;

    tnode(std::string name, tnode* parent, std::string text);
    // Frees the subtree without recursing once per level, so a hostile file nested a
    // million deep cannot overflow the stack.
    ~tnode();
    tnode(const tnode&) = delete;
    tnode& operator=(const tnode&) = delete;

    tnode* AddChild(std::string name, std::string text);

    // The index-th child of that name (any name when empty), or nullptr.
    tnode* FindChild(std::string_view name, int index = 0) const;
    // Like FindChild, but a missing element raises the reader's error.
    tnode& Child(std::string_view name, int index = 0) const;
    int CountChildren(std::string_view name) const;

    // The text as a signed 32-bit decimal; anything else raises the reader's error.
    int32_t AsInteger() const;
};

// For chains that may meet a missing element: raise the reader's error on nullptr.
int32_t AsInteger(const tnode* node);
const std::string& TextOf(const tnode* node);

// The deepest nesting any reader accepts, below the root: our documents need five (a
// level's light colour, a player's gun), the rest is room. Deeper documents are malformed.
inline constexpr int MaxDocumentDepth = 16;

// The largest file a loader reads when its caller names no smaller bound (the tools).
inline constexpr size_t LargestDocument = size_t{64} << 20;

// Parses a document; nullptr when it is malformed.
std::unique_ptr<tnode> ParseDocument(std::string_view document);
// Parses the bytes of a level file held in memory (a plain first line, the rest scrambled)
// as LoadHeaderedDocument parses the file; nullptr when malformed.
std::unique_ptr<tnode> ParseHeaderedDocument(std::string_view bytes);

// Loaders: nullptr for a malformed document; the reader's error when the file cannot
// be read, is not a regular file, is larger than `largest` bytes (each reader knows how
// large its files can be) or holds a bad hexadecimal pair.
std::unique_ptr<tnode> LoadPlainDocument(std::string_view fileName,
                                         size_t largest = LargestDocument);
std::unique_ptr<tnode> LoadScrambledDocument(std::string_view fileName,
                                             size_t largest = LargestDocument);
std::unique_ptr<tnode> LoadHeaderedDocument(std::string_view fileName,
                                            size_t largest = LargestDocument);
std::unique_ptr<tnode> LoadHexDocument(std::string_view fileName, size_t largest = LargestDocument);

// The byte shifts of the scrambled line: position k (from 1) moves by (k mod 50) + 1.
std::string Scramble(std::string_view plain);
std::string Unscramble(std::string_view scrambled);

// Writes the document as one scrambled line followed by CR LF, safely (temporary file
// and rename); raises the reader's error when the file cannot be written.
void SaveScrambledDocument(std::string_view fileName, std::string_view document);
// The same for writers that report failure by their answer: false when it failed.
bool TrySaveScrambledDocument(std::string_view fileName, std::string_view document);

// A value as the writers put it between two tags, so that the reader gives back exactly
// these bytes: '&', '<', '>' and the control bytes (a line break would vanish from a plain
// file) become references: "&amp;", "&lt;", "&gt;", "&#13;".
std::string Escaped(std::string_view text);
// The value behind an element's text. Only the references Escaped writes are read; any
// other '&' stays as it stands, so files written before values were escaped read unchanged.
std::string Unescaped(std::string_view text);

// Local date and time as 17 digits: yyyymmddhhnnsszzz.
std::string MakeIdStamp();

// Plain signed decimal, the way every writer stores numbers; never depends on the locale.
std::string Decimal(int64_t value);

// What follows the first `open`, up to the first `close` after it; empty when either is missing.
std::string TextBetween(std::string_view text, std::string_view open, std::string_view close);
