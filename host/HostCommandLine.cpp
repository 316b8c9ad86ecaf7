#include "HostCommandLine.h"

#include "CheckCommand.h"
#include "EditorCommand.h"
#include "EditorOptions.h"
#include "OutputCommand.h"
#include "Z0Command.h"

#include <ostream>

namespace lmhost {
namespace {

constexpr const char* kUsage =
    "usage: laminar check FILE...   rules-check every board of each stackup file\n"
    "       laminar z0 FILE [--board ID] [--json]\n"
    "                               structure, heights, effective Er, Z0 and Zdiff of every\n"
    "                               conductor layer (tab-separated, or one JSON array)\n"
    "       laminar report FILE -o OUT.pdf [--board ID] [--table|--list] [--range \"1-3,7\"]\n"
    "                      [--columns name,type,usage,thickness,technology,er,metal,bulk-r,\n"
    "                                 t-coef,loss-tangent,test-width,z0] [--no-schematic] [--letter]\n"
    "                               the printed layer report as a PDF with page numbers\n"
    "       laminar picture FILE -o OUT.png|OUT.pdf [--board ID] [--tab N] [--letter]\n"
    "                               the stackup picture as copied (PNG) or printed (PDF)\n"
    "       laminar doc FILE -o OUT.svg|OUT.pdf [--board ID]\n"
    "                               the manufacturing documentation drawing\n"
    "       laminar FILE [--no-calculator]\n"
    "                               edit the stackup file in the editor window\n"
    "       laminar FILE --screenshot OUT.png [--tab N] [--split vertical|horizontal]\n"
    "                    [--no-calculator]\n"
    "                               draw the editor window on FILE into a PNG picture\n"
    "--no-calculator runs the editor without the reference impedance calculator\n"
    "(every Z0 and planned width then reads <N/A>).\n"
    "       laminar --version       print the version\n"
    "       laminar --help          print this text\n"
    "FILE is a stackup file (.json) or a KiCad board (.kicad_pcb), whose stackup the\n"
    "editor writes back in place.\n"
    "\n"
    "Exit status of check: 0 when no board has an error or critical finding, 1 when one\n"
    "does, 2 when a file is missing, unreadable or malformed, or the command line is wrong.\n"
    "Exit status of report, picture and doc: 0 when the file was written, 1 when it could not\n"
    "be, 2 for a missing, unreadable or malformed file, an unknown board or a wrong option.\n"
    "Exit status of z0: 0, or 2 for a missing, unreadable or malformed file or an unknown board.\n"
    "Exit status of the editor: 0 when the edits were written or discarded (or the picture\n"
    "saved), 1 when the window could not be opened or a write failed, 2 for a missing or\n"
    "malformed file or a wrong command line.\n";

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
    if (args[0] == "z0") return printLayerImpedances(args.subspan(1), out, err);
    if (args[0] == "report" || args[0] == "picture" || args[0] == "doc") return writeStackupOutput(args, out, err);
    EditorOptions options;
    try {
        options = parseEditorOptions(args);
    } catch (const UsageError& error) {
        err << "laminar: " << error.what() << "\n";
        return usage(err);
    }
    return runEditor(options, out, err);
}

} // namespace lmhost
