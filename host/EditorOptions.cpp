#include "EditorOptions.h"

#include <charconv>

namespace lmhost {
namespace {

int tabIndex(const std::string& text)
{
    int index = -1;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, index);
    if (error != std::errc() || stop != end || index < 0)
        throw UsageError("--tab takes a tab index from 0, not \"" + text + "\"");
    return index;
}

SplitChoice splitChoice(const std::string& text)
{
    if (text == "vertical") return SplitChoice::Vertical;
    if (text == "horizontal") return SplitChoice::Horizontal;
    throw UsageError("--split takes vertical or horizontal, not \"" + text + "\"");
}

} // namespace

EditorOptions parseEditorOptions(std::span<const std::string> args)
{
    EditorOptions options;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!arg.starts_with("-")) {
            if (haveFile) throw UsageError("one stackup file at a time, not also \"" + arg + "\"");
            options.file = arg;
            haveFile = true;
            continue;
        }
        if (arg == "--no-calculator") {
            options.calculator = false;
            continue;
        }
        if (arg != "--screenshot" && arg != "--tab" && arg != "--split") throw UsageError("unknown option " + arg);
        if (i + 1 == args.size()) throw UsageError(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--screenshot") {
            if (value.empty()) throw UsageError("--screenshot needs a file name");
            options.screenshot = value;
        } else if (arg == "--tab") {
            options.tab = tabIndex(value);
        } else {
            options.split = splitChoice(value);
        }
    }
    if (!haveFile) throw UsageError("no stackup file given");
    if ((options.tab || options.split) && !options.screenshot)
        throw UsageError("--tab and --split go with --screenshot");
    return options;
}

} // namespace lmhost
