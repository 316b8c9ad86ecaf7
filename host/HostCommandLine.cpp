#include "HostCommandLine.h"

#include "CheckCommand.h"

#include <ostream>

namespace lmhost {
namespace {

constexpr const char* kUsage =
    "usage: laminar check FILE...   rules-check every board of each stackup file\n"
    "       laminar FILE            open the editor on a stackup file\n"
    "       laminar --version       print the version\n"
    "       laminar --help          print this text\n"
    "\n"
    "Exit status: 0 when no board has an error or critical finding, 1 when one does,\n"
    "2 when a file is missing, unreadable or malformed, or the command line is wrong.\n";

int usage(std::ostream& err)
{
    err << kUsage;
    return kExitBadInput;
}

} // namespace

int runHostCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || args[0] == "--help" || args[0] == "-h") return usage(err);
    if (args[0] == "--version") {
        out << "laminar " << LAMINAR_HOST_VERSION << '\n';
        return kExitClean;
    }
    if (args[0] == "check") {
        if (args.size() < 2) return usage(err);
        return checkStackupFiles(args.subspan(1), out, err);
    }
    if (args[0].starts_with("-")) {
        err << "laminar: unknown option " << args[0] << "\n";
        return usage(err);
    }
    err << "laminar: the editor window is not available yet; use \"laminar check " << args[0] << "\"\n";
    return kExitBadInput;
}

} // namespace lmhost
