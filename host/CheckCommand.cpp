#include "CheckCommand.h"

#include "InstanceBoards.h"
#include "BoardFile.h"

#include <laminar/laminar.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace lmhost {
namespace {

constexpr int32_t kSeverityError = 2;

std::string_view severityWord(int32_t severity)
{
    switch (severity) {
    case 0: return "OK";
    case 1: return "WARNING";
    case 2: return "ERROR";
    case 3: return "CRITICAL";
    default: return "UNKNOWN";
    }
}

// Keeps each board on one line of output.
std::string oneLine(const char* message)
{
    std::string text = message ? message : "";
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Quoted and escaped as JSON, so odd characters in a name cannot break the line.
std::string quotedName(const std::string& name)
{
    return nlohmann::json(name).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Returns the worst severity; the lines go to out.
int32_t checkBoards(const std::string& file, const std::vector<BoardStackup>& boards, std::ostream& out)
{
    Instance instance(lmInitInstance(nullptr, 0));
    if (!instance) throw std::runtime_error("the editor instance could not be created");
    addBoards(instance.get(), boards);

    IDRC* checker = lmGetDRC(instance.get());
    if (!checker) throw std::runtime_error("the editor instance has no rules checker");
    int32_t worst = 0;
    if (boards.empty()) out << file << ": no boards\n";
    for (const BoardStackup& board : boards) {
        LMLAYEREX* layers = nullptr;
        int32_t count = 0;
        lmGetStackup(instance.get(), board.id, &layers, &count);
        const char* message = nullptr;
        const int32_t severity = checker->CheckStackup(layers, count, &message);
        worst = std::max(worst, severity);
        out << file << ": board " << board.id << ' ' << quotedName(board.name) << ": " << severityWord(severity)
            << " - " << oneLine(message) << '\n';
    }
    return worst;
}

} // namespace

int checkStackupFiles(std::span<const std::string> files, std::ostream& out, std::ostream& err)
{
    int exitCode = kExitClean;
    for (const std::string& file : files) {
        std::ostringstream lines; // a file that fails part-way prints nothing
        try {
            const int32_t worst = checkBoards(file, readBoardFile(file, err).boards, lines);
            if (worst >= kSeverityError) exitCode = std::max<int>(exitCode, kExitFindings);
            out << lines.str() << std::flush;
        } catch (const StackupFileError& error) {
            err << error.what() << '\n';
            exitCode = kExitBadInput;
        } catch (const std::exception& error) {
            err << file << ": " << error.what() << '\n';
            exitCode = kExitBadInput;
        }
    }
    return exitCode;
}

} // namespace lmhost
