#include "model/LineTree.h"

#include "model/Containment.h"

void TCvLineList::append(TCvLineNode* node) {
    node->prev = last;
    node->next = nullptr;
    if (last)
        last->next = node;
    else
        first = node;
    last = node;
}

void TCvLineList::remove(TCvLineNode* node) {
    (node->prev ? node->prev->next : first) = node->next;
    (node->next ? node->next->prev : last) = node->prev;
    node->prev = node->next = nullptr;
}

bool TCvLineNode::isBelow(const TCvLineNode* ancestor) const {
    for (const TCvLineNode* n = parent; n; n = n->parent)
        if (n == ancestor) return true;
    return false;
}

TCvLineNode* TCvLineTree::find(const TCvLine* line) const {
    const auto it = index_.find(line);
    return it == index_.end() ? nullptr : it->second;
}

TCvLineNode* TCvLineTree::create(const TCvLine* line) {
    TCvLineNode& node = nodes_.emplace_back();
    node.line = line;
    index_[line] = &node;
    return &node;
}

void TCvLineTree::move(TCvLineNode* node, TCvLineNode* parent) {
    (node->parent ? node->parent->children : top).remove(node);
    node->parent = parent;
    (parent ? parent->children : top).append(node);
}

namespace {

// Puts q's node under r, the node of p, which contains q. A node already in the forest is
// lifted with the ancestors p also contains; r itself moves under what remains above when
// that contains p.
void nestUnder(TCvLineTree& tree, TCvLineNode* r, const TCvLine& q) {
    const TCvLine& p = *r->line;
    TCvLineNode* p2 = tree.find(&q);
    if (!p2) {
        p2 = tree.create(&q);
        p2->parent = r;
        r->children.append(p2);
        return;
    }
    // Never climb to r or above it: that would hang r below itself.
    while (p2->parent && p2->parent != r && !r->isBelow(p2->parent) &&
           plumex::outlineInside(p, *p2->parent->line))
        p2 = p2->parent;
    TCvLineNode* above = p2->parent;
    if (above && above != r->parent && plumex::outlineInside(*above->line, p)) tree.move(r, above);
    tree.move(p2, r);
}

// q is already in place relative to p's node r: p is below q's node, or q below p's.
bool alreadyNested(const TCvLineTree& tree, const TCvLineNode* r, const TCvLine& q) {
    const TCvLineNode* p2 = tree.find(&q);
    return p2 && (r->isBelow(p2) || r == p2 || p2->isBelow(r));
}

} // namespace

TCvLineTree BuildTree(const std::vector<TCvLine>& paths) {
    TCvLineTree tree;
    for (const TCvLine& p : paths) {
        TCvLineNode* r = tree.find(&p);
        if (!r) {
            r = tree.create(&p);
            tree.top.append(r);
        }
        if (!p.closed) continue;
        for (const TCvLine& q : paths) {
            if (&q == &p || !q.closed || alreadyNested(tree, r, q)) continue;
            if (plumex::outlineInside(p, q)) nestUnder(tree, r, q);
        }
    }
    return tree;
}

void Flatten(const TCvLineList& list, std::vector<TCvLine>& out) {
    for (const TCvLineNode* node = list.first; node; node = node->next) {
        out.push_back(*node->line);
        const std::size_t target = out.size() - 1; // `out` may grow below: keep the index
        for (const TCvLineNode* child = node->children.first; child; child = child->next) {
            out[target].MergeHole(*child->line);
            if (child->children.first) Flatten(child->children, out);
        }
    }
}
