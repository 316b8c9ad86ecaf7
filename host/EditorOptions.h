#pragma once
// The editor forms of the command line:
//   laminar FILE [--no-calculator]
//   laminar FILE --screenshot OUT.png [--tab N] [--split vertical|horizontal] [--no-calculator]
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

namespace lmhost {

// The View > Split commands by their command ids.
enum class SplitChoice : int { Vertical = 32775, Horizontal = 32776 };

struct EditorOptions {
    std::string file;
    std::optional<std::string> screenshot; // PNG to write; the window then runs modelessly
    std::optional<int> tab;                // index in the window's tab bar, from 0
    std::optional<SplitChoice> split;
    bool calculator = true; // the reference impedance calculator is set on every instance
};

// Its message says what is wrong with the command line, without "laminar: ".
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options may come before or after FILE; --tab and --split only with --screenshot.
EditorOptions parseEditorOptions(std::span<const std::string> args);

} // namespace lmhost
