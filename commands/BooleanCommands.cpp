#include "commands/BooleanCommands.h"

namespace plumex {

bool CanCombineSelected(const TCvDocument& doc, BooleanOperation op) {
    int closed = 0;
    const TCvLine* only = nullptr;
    for (const TCvLine& line : std::as_const(doc.Lines))
        if (line.selected && line.closed && !line.locked) {
            ++closed;
            only = &line;
        }
    if (closed >= 2) return true;
    return closed == 1 && op == BooleanOperation::Union && SelfOverlaps(*only);
}

BooleanOutcome CombineSelected(TCvDocument& doc, BooleanOperation op) {
    BooleanOutcome outcome;
    std::vector<TCvLine> operands;
    std::size_t bottom = doc.Lines.size();
    for (std::size_t i = 0; i < doc.Lines.size(); ++i) {
        const TCvLine& line = std::as_const(doc.Lines)[i];
        if (!line.selected) continue;
        if (!line.closed) {
            ++outcome.openPathsLeft;
            continue;
        }
        if (line.locked) continue;
        if (bottom == doc.Lines.size()) bottom = i;
        operands.push_back(line);
    }
    if (!CanCombineSelected(doc, op)) return outcome;
    std::vector<TCvLine> result = CombinePaths(op, operands);
    if (result.empty()) {
        outcome.emptyResult = true;
        return outcome;
    }
    for (TCvLine& line : result) {
        line.name = operands.front().name;
        line.SelectAll(false);
        line.selected = 1;
    }
    doc.Record();
    auto& lines = doc.Lines.edit();
    std::vector<TCvLine> kept;
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TCvLine& line = lines[i];
        const bool operand = line.selected && line.closed && !line.locked;
        if (i == bottom) at = kept.size();
        if (operand) continue;
        line.selected = 0; // open ones stay, unselected, as they were
        kept.push_back(std::move(line));
    }
    kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(at), result.begin(), result.end());
    lines = std::move(kept);
    doc.SelectionChanged();
    outcome.changed = true;
    return outcome;
}

} // namespace plumex
