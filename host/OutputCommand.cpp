#include "OutputCommand.h"

#include "BoardFileCommand.h"
#include "EditorSetup.h"
#include "InstanceBoards.h"
#include "ScreenshotCommand.h"

#include <laminar/laminar.h>
#include <laminar/z0calc.h>

#include <array>
#include <charconv>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace lmhost {
namespace {

// The printable columns in the order of LMOUTPUTREQUEST::nColumns, as --columns names them.
constexpr std::array<std::string_view, 12> kColumnNames = {
    "name", "type", "usage", "thickness", "technology", "er", "metal", "bulk-r", "t-coef", "loss-tangent",
    "test-width", "z0"};
constexpr int kDefaultTabCount = 5; // batch output runs without stored preferences

struct OutputOptions {
    std::string file;
    std::string output;
    std::optional<int32_t> board;
    LMOUTPUTREQUEST request{};
    std::string range;
};

int32_t wholeNumber(const std::string& option, const std::string& text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument(option + " needs a whole number, not \"" + text + "\"");
    return value;
}

uint32_t columnBits(const std::string& list)
{
    uint32_t bits = 0;
    std::string_view rest = list;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view name = rest.substr(0, comma);
        std::size_t k = 0;
        while (k < kColumnNames.size() && kColumnNames[k] != name) ++k;
        if (k == kColumnNames.size())
            throw std::invalid_argument("--columns: unknown column \"" + std::string(name) +
                                        "\" (name, type, usage, thickness, technology, er, metal, bulk-r, "
                                        "t-coef, loss-tangent, test-width, z0)");
        bits |= 1u << k;
        if (comma == std::string_view::npos) return bits;
        rest.remove_prefix(comma + 1);
    }
}

bool endsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void checkExtension(const std::string& command, const std::string& output)
{
    const bool pdf = endsWith(output, ".pdf");
    const bool fits = command == "report" ? pdf : command == "picture" ? pdf || endsWith(output, ".png")
                                                                         : pdf || endsWith(output, ".svg");
    if (!fits) {
        const char* wanted = command == "report" ? ".pdf" : command == "picture" ? ".png or .pdf" : ".svg or .pdf";
        throw std::invalid_argument(command + " writes " + wanted + ", not \"" + output + "\"");
    }
}

OutputOptions parseOutputOptions(std::span<const std::string> args)
{
    const std::string& command = args[0];
    OutputOptions options;
    LMOUTPUTREQUEST& request = options.request;
    request.nKind = command == "report" ? LM_OUTPUT_REPORT : command == "picture" ? LM_OUTPUT_PICTURE
                                                                                  : LM_OUTPUT_DOCUMENTATION;
    request.bTable = 1;
    request.bSchematic = 1;
    request.nColumns = (1u << kColumnNames.size()) - 1;
    request.nTab = -1;
    const bool report = command == "report";
    auto value = [&](std::size_t& i) -> const std::string& {
        if (i + 1 == args.size()) throw std::invalid_argument(args[i] + " needs a value");
        return args[++i];
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            options.output = value(i);
        } else if (arg == "--board") {
            options.board = wholeNumber(arg, value(i));
        } else if (arg == "--letter") {
            request.bLetter = 1;
        } else if (report && (arg == "--table" || arg == "--list")) {
            request.bTable = arg == "--table";
        } else if (report && arg == "--no-schematic") {
            request.bSchematic = 0;
        } else if (report && arg == "--range") {
            options.range = value(i);
            if (options.range.find_first_not_of("0123456789,- \t") != std::string::npos)
                throw std::invalid_argument("--range takes layer numbers such as \"1-3,7\", not \"" + options.range + "\"");
        } else if (report && arg == "--columns") {
            request.nColumns = columnBits(value(i));
        } else if (command == "picture" && arg == "--tab") {
            request.nTab = wholeNumber(arg, value(i));
            if (request.nTab < 0 || request.nTab >= kDefaultTabCount)
                throw std::invalid_argument("--tab " + std::to_string(request.nTab) + ": the tabs are 0 to 4");
        } else if (options.file.empty() && !arg.starts_with("-")) {
            options.file = arg;
        } else {
            throw std::invalid_argument("unexpected argument \"" + arg + "\"");
        }
    }
    if (options.file.empty()) throw std::invalid_argument(command + " needs a stackup file");
    if (options.output.empty()) throw std::invalid_argument(command + " needs -o OUTPUT");
    checkExtension(command, options.output);
    return options;
}

} // namespace

int writeStackupOutput(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    const std::string& command = args[0];
    OutputOptions options;
    try {
        options = parseOutputOptions(args);
    } catch (const std::invalid_argument& error) {
        err << "laminar " << command << ": " << error.what() << '\n';
        return kExitBadInput;
    }
    return onBoardFile(options.file, options.board, err, [&](const StackupDocument& document) {
        chooseOffscreenWithoutDisplay();
        std::optional<lmz0::ReferenceZ0Calculator> calculator; // outlives the instance
        Instance instance(lmInitInstance(nullptr, 0));
        if (!instance) throw std::runtime_error("the editor instance could not be created");
        const auto hostCheck = setUpInstance(instance.get(), document, {}, nullptr);
        lmSetZ0Calculator(instance.get(), &calculator.emplace(instance.get()));
        if (options.board) lmSetCurrentBoard(instance.get(), *options.board);
        options.request.szRange = options.range.c_str();
        if (!lmWriteOutput(instance.get(), options.output.c_str(), &options.request)) {
            err << "laminar " << command << ": cannot write " << options.output << '\n';
            return kExitFindings;
        }
        out << "laminar: wrote " << options.output << '\n';
        return kExitClean;
    });
}

} // namespace lmhost
