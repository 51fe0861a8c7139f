#pragma once
// The containment forest of closed paths that Make Hole turns into paths with holes. Nodes
// refer to paths of the array the forest was built from, which must outlive it.

#include "model/Path.h"

#include <cstddef>
#include <deque>
#include <unordered_map>
#include <vector>

struct TCvLineNode;

// A doubly linked list of sibling nodes.
struct TCvLineList {
    TCvLineNode* first = nullptr;
    TCvLineNode* last = nullptr;

    void append(TCvLineNode* node);
    void remove(TCvLineNode* node);
};

struct TCvLineNode {
    const TCvLine* line = nullptr;
    TCvLineNode* prev = nullptr;
    TCvLineNode* next = nullptr;
    TCvLineNode* parent = nullptr; // none at the top level
    TCvLineList children;

    // `ancestor` is this node's parent, grandparent, ...
    bool isBelow(const TCvLineNode* ancestor) const;
};

// The forest: its top-level list, and the nodes, which live and die with it.
class TCvLineTree {
public:
    TCvLineTree() = default;
    TCvLineTree(const TCvLineTree&) = delete;
    TCvLineTree& operator=(const TCvLineTree&) = delete;
    TCvLineTree(TCvLineTree&&) = default;
    TCvLineTree& operator=(TCvLineTree&&) = default;

    TCvLineList top;

    // The node of `line`, or null.
    TCvLineNode* find(const TCvLine* line) const;
    // A new node for `line`, not yet in any list.
    TCvLineNode* create(const TCvLine* line);
    // Takes `node` out of its list and appends it to `parent`'s children (top level if null).
    void move(TCvLineNode* node, TCvLineNode* parent);

private:
    std::deque<TCvLineNode> nodes_; // a deque keeps node addresses stable as it grows
    std::unordered_map<const TCvLine*, TCvLineNode*> index_;
};

// For each path, the index of the smallest closed path of `paths` containing it, or -1 (open
// paths, outermost ones). About n log n for rings within rings and shapes side by side.
std::vector<std::ptrdiff_t> ContainerOf(const std::vector<TCvLine>& paths);

// Nests every closed path under the smallest closed path of `paths` containing it; open paths
// stay at the top level. Siblings keep the order of `paths`.
TCvLineTree BuildTree(const std::vector<TCvLine>& paths);

// Appends one path per top-level node of `list` with its children merged in as holes; the
// children's children become paths of their own, with their own holes.
void Flatten(const TCvLineList& list, std::vector<TCvLine>& out);
