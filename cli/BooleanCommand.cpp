// plumex-cli boolean: the Path submenu's operations on the closed paths of a document.

#include "cli/CliArgs.h"
#include "cli/Commands.h"
#include "cli/DocumentInput.h"
#include "commands/BooleanCommands.h"

#include <ostream>

namespace plumex::cli {

const char* const BooleanHelp =
    R"(Usage: plumex-cli boolean union|difference|intersection|exclusion|division IN.plx -o OUT.plx

Combines the closed paths of the document in file order (the first is the bottom one), as the
Object > Path commands do on a selection, and writes the document with the result in the
first path's place and with its name:
  union          everything the paths cover
  difference     the first path minus all the others
  intersection   what every path covers
  exclusion      what an odd number of paths cover
  division       the first path cut by the others into pieces
Results are closed paths with their holes merged in; open paths are kept as they are.

  -o OUT.plx     the document to write; the previous file survives any failure
)";

int runBoolean(const std::vector<std::string>& words, std::ostream& out) {
    const CliArgs args = parseArgs(words, {{"-o"}, {}});
    if (args.help) {
        out << BooleanHelp;
        return 0;
    }
    if (args.positional.size() != 2) throw UsageError("expects an operation and one input file");
    if (!args.values.count("-o")) throw UsageError("-o OUT.plx is required");
    static const std::pair<const char*, BooleanOperation> ops[] = {
        {"union", BooleanOperation::Union},
        {"difference", BooleanOperation::Difference},
        {"intersection", BooleanOperation::Intersection},
        {"exclusion", BooleanOperation::Exclusion},
        {"division", BooleanOperation::Division}};
    const BooleanOperation* op = nullptr;
    for (const auto& [name, value] : ops)
        if (args.positional[0] == name) op = &value;
    if (!op) throw UsageError("unknown operation " + args.positional[0]);
    LoadedDocument loaded = loadDocument(args.positional[1]);
    TCvDocument doc;
    doc.Settings = loaded.content.settings;
    doc.Lines = std::move(loaded.content.lines);
    doc.SelectAll();
    if (!CanCombineSelected(doc, *op)) throw Refused("Not enough closed paths to combine");
    const BooleanOutcome outcome = CombineSelected(doc, *op);
    if (outcome.emptyResult) throw Refused("The result is empty: nothing of the paths is left");
    if (outcome.openPathsLeft > 0)
        out << outcome.openPathsLeft << " open path(s) left as they were\n";
    doc.DeselectAll();
    std::string error;
    if (!doc.SaveToFile(args.values.at("-o"), &error)) throw Refused(error);
    return 0;
}

} // namespace plumex::cli
