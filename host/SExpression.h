#pragma once
// A small S-expression reader for KiCad's board files. Nodes keep their byte
// ranges in the source, so a writer can replace one node and leave every other
// byte of the file as it was.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lmhost::sexpr {

struct Node {
    enum class Kind { List, Symbol, String };
    Kind kind = Kind::List;
    std::string_view raw; // the node's text in the source; a string keeps its quotes
    std::size_t begin = 0; // offset of the first byte in the source
    std::size_t line = 1;  // of the first byte, counted from 1
    std::vector<Node> children;

    std::size_t end() const { return begin + raw.size(); }
    bool isAtom() const { return kind != Kind::List; }
    // A symbol's text, or a string's value with its escapes resolved.
    std::string value() const;
    // The first child's symbol text for a list like (thickness 1.6); empty otherwise.
    std::string_view head() const;
    // The first child list whose head is `key`, or null.
    const Node* find(std::string_view key) const;
};

// The problem and the line it was met on.
class SyntaxError : public std::runtime_error {
public:
    SyntaxError(std::size_t line, const std::string& problem);
    std::size_t line;
};

// The document must be one list, with only blanks around it. Refuses an
// unterminated string or list, a stray ')' and nesting deeper than 200 levels.
Node parse(std::string_view text);

// A string as KiCad writes it: in double quotes, with " and \ escaped.
std::string quoted(std::string_view value);

} // namespace lmhost::sexpr
