#include "SExpression.h"

#include <algorithm>

namespace lmhost::sexpr {
namespace {

constexpr std::size_t kMaxDepth = 200;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool endsSymbol(char c) { return isBlank(c) || c == '(' || c == ')' || c == '"'; }

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Node document()
    {
        skipBlanks();
        if (at_ == text_.size()) throw SyntaxError(line_, "the file is empty");
        if (text_[at_] != '(') throw SyntaxError(line_, "the file does not start with '('");
        Node root = list(0);
        skipBlanks();
        if (at_ != text_.size()) throw SyntaxError(line_, "more text after the closing ')' of the document");
        return root;
    }

private:
    void skipBlanks()
    {
        while (at_ < text_.size() && isBlank(text_[at_])) {
            if (text_[at_] == '\n') ++line_;
            ++at_;
        }
    }

    Node list(std::size_t depth)
    {
        if (depth >= kMaxDepth) throw SyntaxError(line_, "lists nested more than " + std::to_string(kMaxDepth) + " deep");
        Node node{Node::Kind::List, {}, at_, line_, {}};
        ++at_; // '('
        for (;;) {
            skipBlanks();
            if (at_ == text_.size()) throw SyntaxError(node.line, "the list opened on this line is never closed");
            const char c = text_[at_];
            if (c == ')') break;
            if (c == '(') node.children.push_back(list(depth + 1));
            else if (c == '"') node.children.push_back(string());
            else node.children.push_back(symbol());
        }
        ++at_; // ')'
        node.raw = text_.substr(node.begin, at_ - node.begin);
        return node;
    }

    Node string()
    {
        Node node{Node::Kind::String, {}, at_, line_, {}};
        ++at_;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) ++at_;
            if (text_[at_] == '\n') ++line_;
            ++at_;
        }
        if (at_ == text_.size()) throw SyntaxError(node.line, "the string that starts on this line is never closed");
        ++at_;
        node.raw = text_.substr(node.begin, at_ - node.begin);
        return node;
    }

    Node symbol()
    {
        Node node{Node::Kind::Symbol, {}, at_, line_, {}};
        while (at_ < text_.size() && !endsSymbol(text_[at_])) ++at_;
        node.raw = text_.substr(node.begin, at_ - node.begin);
        return node;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

} // namespace

SyntaxError::SyntaxError(std::size_t line, const std::string& problem) : std::runtime_error(problem), line(line) {}

std::string Node::value() const
{
    if (kind != Kind::String) return std::string(raw);
    std::string value;
    const std::string_view inner = raw.substr(1, raw.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        char c = inner[i];
        if (c == '\\' && i + 1 < inner.size()) {
            c = inner[++i];
            if (c == 'n') c = '\n';
            else if (c == 't') c = '\t';
            else if (c == 'r') c = '\r';
        }
        value += c;
    }
    return value;
}

std::string_view Node::head() const
{
    if (kind != Kind::List || children.empty() || children.front().kind != Kind::Symbol) return {};
    return children.front().raw;
}

const Node* Node::find(std::string_view key) const
{
    const auto found = std::find_if(children.begin(), children.end(), [key](const Node& c) { return c.head() == key; });
    return found == children.end() ? nullptr : &*found;
}

Node parse(std::string_view text) { return Parser(text).document(); }

std::string quoted(std::string_view value)
{
    std::string text = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') text += '\\';
        if (c == '\n') {
            text += "\\n";
            continue;
        }
        text += c;
    }
    return text + '"';
}

} // namespace lmhost::sexpr
