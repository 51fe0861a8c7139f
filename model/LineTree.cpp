#include "model/LineTree.h"

#include "model/Containment.h"

#include <algorithm>
#include <functional>
#include <limits>

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

// The closed paths' bounds as points of four dimensions, (left, bottom, -right, -top): an
// outline can contain another only when its point is below the other's anchor bounds in all
// four, so candidates are a dominance query. A static k-d tree answers it, visiting subtrees
// in the order of the smallest bounds area they hold: the first candidate that contains the
// path is then its innermost container, after one or two tests for nested rings and none for
// paths side by side.
struct Candidate {
    double key[4];
    double area;
    std::size_t path; // index into the paths
};

struct KdNode {
    std::size_t begin, end; // candidates under the node
    double low[4];          // the smallest key per dimension below
    double minArea, maxArea;
    int left = -1, right = -1;
};

class ContainerIndex {
public:
    explicit ContainerIndex(std::vector<Candidate> items) : items_(std::move(items)) {
        if (!items_.empty()) build(0, items_.size(), 0);
    }

    // Calls `f` for each candidate whose key is at most `bound` in every dimension and whose
    // area is at least `area`, smallest area first, until `f` answers true.
    template <class F> void visit(const double (&bound)[4], double area, F&& f) const {
        if (items_.empty()) return;
        struct Entry {
            double area;
            int node;         // -1 for an item
            std::size_t item; // when node is -1
            bool operator>(const Entry& o) const { return area > o.area; }
        };
        std::vector<Entry> heap;
        const auto push = [&](const Entry& e) {
            heap.push_back(e);
            std::push_heap(heap.begin(), heap.end(), std::greater<>());
        };
        const auto open = [&](int n) {
            const KdNode& k = nodes_[static_cast<std::size_t>(n)];
            if (k.maxArea < area) return;
            for (int d = 0; d < 4; ++d)
                if (k.low[d] > bound[d]) return;
            push({k.minArea, n, 0});
        };
        open(0);
        while (!heap.empty()) {
            std::pop_heap(heap.begin(), heap.end(), std::greater<>());
            const Entry e = heap.back();
            heap.pop_back();
            if (e.node < 0) {
                if (f(items_[e.item])) return;
                continue;
            }
            const KdNode& k = nodes_[static_cast<std::size_t>(e.node)];
            if (k.left < 0) {
                for (std::size_t i = k.begin; i < k.end; ++i) {
                    const Candidate& c = items_[i];
                    if (c.area < area) continue;
                    if (c.key[0] <= bound[0] && c.key[1] <= bound[1] && c.key[2] <= bound[2] &&
                        c.key[3] <= bound[3])
                        push({c.area, -1, i});
                }
            } else {
                open(k.left);
                open(k.right);
            }
        }
    }

private:
    static constexpr std::size_t LeafSize = 8;

    int build(std::size_t begin, std::size_t end, int depth) {
        const int at = static_cast<int>(nodes_.size());
        nodes_.push_back({begin, end, {}, 0, 0});
        KdNode k{begin, end, {}, 0, 0};
        for (double& v : k.low) v = std::numeric_limits<double>::infinity();
        k.minArea = std::numeric_limits<double>::infinity();
        k.maxArea = -std::numeric_limits<double>::infinity();
        for (std::size_t i = begin; i < end; ++i) {
            for (int d = 0; d < 4; ++d) k.low[d] = std::min(k.low[d], items_[i].key[d]);
            k.minArea = std::min(k.minArea, items_[i].area);
            k.maxArea = std::max(k.maxArea, items_[i].area);
        }
        if (end - begin > LeafSize) {
            const int d = depth % 4;
            const std::size_t mid = begin + (end - begin) / 2;
            std::nth_element(
                items_.begin() + static_cast<std::ptrdiff_t>(begin),
                items_.begin() + static_cast<std::ptrdiff_t>(mid),
                items_.begin() + static_cast<std::ptrdiff_t>(end),
                [d](const Candidate& a, const Candidate& b) { return a.key[d] < b.key[d]; });
            k.left = build(begin, mid, depth + 1);
            k.right = build(mid, end, depth + 1);
        }
        nodes_[static_cast<std::size_t>(at)] = k;
        return at;
    }

    std::vector<Candidate> items_;
    std::vector<KdNode> nodes_;
};

TCvRect anchorBounds(const TCvLine& l) {
    TCvRect r(l.points[0].anchor);
    for (const TCvPoint& p : l.points) plumex::extend(r, p.anchor);
    return r;
}

double areaOf(const TCvRect& r) {
    return (r.right - r.left) * (r.top - r.bottom);
}

} // namespace

std::vector<std::ptrdiff_t> ContainerOf(const std::vector<TCvLine>& paths) {
    const std::size_t n = paths.size();
    std::vector<std::ptrdiff_t> parent(n, -1);
    std::vector<Candidate> items;
    std::vector<TCvRect> bounds(n);
    for (std::size_t i = 0; i < n; ++i) {
        const TCvLine& p = paths[i];
        if (!p.closed || p.points.empty()) continue;
        bounds[i] = p.GetBounds();
        const TCvRect& b = bounds[i];
        items.push_back({{b.left, b.bottom, -b.right, -b.top}, areaOf(b), i});
    }
    const ContainerIndex index(items);
    for (const Candidate& q : items) {
        const TCvLine& inner = paths[q.path];
        const TCvRect a = anchorBounds(inner);
        const double bound[4] = {a.left, a.bottom, -a.right, -a.top};
        std::ptrdiff_t best = -1;
        double bestArea = 0;
        index.visit(bound, areaOf(a), [&](const Candidate& c) {
            if (best >= 0 && c.area > bestArea) return true; // past the ties of the first
            if (c.path == q.path) return false;
            const TCvLine& outer = paths[c.path];
            if (!plumex::outlineInside(outer, inner)) return false;
            // Among containers of equal bounds, the one inside the other.
            if (best < 0 || plumex::outlineInside(paths[static_cast<std::size_t>(best)], outer)) {
                best = static_cast<std::ptrdiff_t>(c.path);
                bestArea = c.area;
            }
            return false;
        });
        parent[q.path] = best;
    }
    // Outlines that cross can each seem to hold the other: such a loop is cut where found.
    std::vector<char> state(n, 0); // 0 unseen, 1 on the current walk, 2 settled
    std::vector<std::size_t> walk;
    for (std::size_t i = 0; i < n; ++i) {
        walk.clear();
        std::size_t at = i;
        while (state[at] == 0) {
            state[at] = 1;
            walk.push_back(at);
            if (parent[at] < 0) break;
            at = static_cast<std::size_t>(parent[at]);
        }
        if (state[at] == 1 && parent[at] >= 0) parent[at] = -1; // closed a loop
        for (std::size_t w : walk) state[w] = 2;
    }
    return parent;
}

TCvLineTree BuildTree(const std::vector<TCvLine>& paths) {
    TCvLineTree tree;
    const std::vector<std::ptrdiff_t> parent = ContainerOf(paths);
    std::vector<TCvLineNode*> nodes;
    nodes.reserve(paths.size());
    for (const TCvLine& p : paths) nodes.push_back(tree.create(&p));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        TCvLineNode* up = parent[i] < 0 ? nullptr : nodes[static_cast<std::size_t>(parent[i])];
        nodes[i]->parent = up;
        (up ? up->children : tree.top).append(nodes[i]);
    }
    return tree;
}

void Flatten(const TCvLineList& list, std::vector<TCvLine>& out) {
    // Depth first without recursion: a drawing may nest rings thousands deep. Each entry is the
    // next node of a list still to be written.
    std::vector<const TCvLineNode*> todo{list.first};
    while (!todo.empty()) {
        const TCvLineNode* node = todo.back();
        todo.pop_back();
        if (!node) continue;
        todo.push_back(node->next);
        out.push_back(*node->line);
        const std::size_t target = out.size() - 1;
        for (const TCvLineNode* child = node->children.first; child; child = child->next)
            out[target].MergeHole(*child->line);
        // The children's children come next, the first child's first.
        for (const TCvLineNode* child = node->children.last; child; child = child->prev)
            if (child->children.first) todo.push_back(child->children.first);
    }
}
