#pragma once
// The drawing's paths, with a log of which paths were handed out for writing since a mark, so
// that the undo history and the canvas's hit index bring themselves up to date from the paths
// an edit touched instead of comparing or measuring them all.
//
// Reading through a const LineList logs nothing. Every way to write logs: operator[], front()
// and back() log their index; everything else that can reach several paths or change the count
// (non-const iteration, edit(), insert, erase, assignment) logs every path. A LineList passed
// where a const vector is wanted reads; a function that edits the vector gets edit(). A
// consumer keeps a Mark; changedSince(mark) answers the indices written after it, or nothing
// when every path may have changed since (always so for a mark of another list or copy).
// selectPath writes only a path's selection and says so in the log, so that what keeps the
// paths' geometry (the canvas's hull index) can keep it.

#include "model/Path.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace plumex {

class LineList {
public:
    using Vector = std::vector<TCvLine>;
    using value_type = TCvLine;
    using size_type = Vector::size_type;
    using difference_type = Vector::difference_type;
    using reference = TCvLine&;
    using const_reference = const TCvLine&;
    using iterator = Vector::iterator;
    using const_iterator = Vector::const_iterator;
    using reverse_iterator = Vector::reverse_iterator;
    using const_reverse_iterator = Vector::const_reverse_iterator;
    using Mark = std::uint64_t;

    LineList() : LineList(Vector{}) {}
    LineList(Vector lines); // NOLINT: a drawing converts to its path list
    LineList(std::initializer_list<TCvLine> lines) : LineList(Vector(lines)) {}
    // A copy starts a log of its own: marks of the original mean nothing to it.
    LineList(const LineList& other) : LineList(other.lines_) {}
    LineList(LineList&& other) noexcept;
    LineList& operator=(const LineList& other);
    LineList& operator=(LineList&& other) noexcept;
    LineList& operator=(Vector lines);
    LineList& operator=(std::initializer_list<TCvLine> lines) { return *this = Vector(lines); }

    // Reading.
    size_type size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    const TCvLine& operator[](size_type i) const { return lines_[i]; }
    const TCvLine& front() const { return lines_.front(); }
    const TCvLine& back() const { return lines_.back(); }
    const_iterator begin() const { return lines_.begin(); }
    const_iterator end() const { return lines_.end(); }
    const_iterator cbegin() const { return lines_.cbegin(); }
    const_iterator cend() const { return lines_.cend(); }
    const_reverse_iterator rbegin() const { return lines_.rbegin(); }
    const_reverse_iterator rend() const { return lines_.rend(); }
    const TCvLine* data() const { return lines_.data(); }
    const Vector& vector() const { return lines_; }
    operator const Vector&() const { return lines_; } // NOLINT: reads like the vector

    // Writing one path.
    TCvLine& operator[](size_type i) {
        touch(i, Written::Anything);
        return lines_[i];
    }
    TCvLine& front() { return (*this)[0]; }
    TCvLine& back() { return (*this)[lines_.size() - 1]; }

    // Writing only the selection of path i: the path and every anchor of it selected or not, as
    // TCvLine::SelectAll does. Logged as a write of i whose kind says what it changed.
    void selectPath(size_type i, bool value) {
        touch(i, value ? Written::Selected : Written::Deselected);
        lines_[i].SelectAll(value);
    }

    // Writing any path: every path counts as written.
    Vector& edit() {
        touchAll();
        return lines_;
    }
    iterator begin() { return edit().begin(); }
    iterator end() { return edit().end(); }
    reverse_iterator rbegin() { return edit().rbegin(); }
    reverse_iterator rend() { return edit().rend(); }
    TCvLine* data() { return edit().data(); }
    void push_back(const TCvLine& line) { edit().push_back(line); }
    void push_back(TCvLine&& line) { edit().push_back(std::move(line)); }
    template <class... Args> TCvLine& emplace_back(Args&&... args) {
        return edit().emplace_back(std::forward<Args>(args)...);
    }
    iterator insert(const_iterator at, const TCvLine& line) { return edit().insert(at, line); }
    iterator insert(const_iterator at, TCvLine&& line) {
        return edit().insert(at, std::move(line));
    }
    template <class It> iterator insert(const_iterator at, It first, It last) {
        return edit().insert(at, first, last);
    }
    iterator erase(const_iterator at) { return edit().erase(at); }
    iterator erase(const_iterator first, const_iterator last) { return edit().erase(first, last); }
    void pop_back() { edit().pop_back(); }
    void clear() { edit().clear(); }
    void resize(size_type n) { edit().resize(n); }
    void reserve(size_type n) { lines_.reserve(n); }

    // What a logged write may have changed.
    enum class Written : std::uint8_t {
        Anything,
        Selected,   // selectPath(i, true): nothing but the selection, now all selected
        Deselected, // selectPath(i, false): nothing but the selection, now none selected
    };

    // The log.
    Mark mark() const {
        markTaken_ = true;
        return start_ + log_.size();
    }
    // The indices written after `m`, in the order written (an index may repeat); nothing when
    // every path may have changed since.
    std::optional<std::span<const int>> changedSince(Mark m) const;
    // What each write of changedSince(m) may have changed, entry for entry.
    std::optional<std::span<const Written>> kindsSince(Mark m) const;

    friend bool operator==(const LineList& a, const LineList& b) { return a.lines_ == b.lines_; }
    friend bool operator==(const LineList& a, const Vector& b) { return a.lines_ == b; }

private:
    void touch(size_type i, Written kind = Written::Anything);
    // Starts a new stretch of the log that no earlier mark reaches.
    void touchAll();

    Vector lines_;
    std::vector<int> log_;       // log_[k] was written at mark start_ + k
    std::vector<Written> kinds_; // what the write log_[k] may have changed
    Mark start_ = 0;
    Mark stretch_ = 0; // where this stretch's marks begin
    // A write repeating the last entry is logged again only when a mark was taken in between.
    mutable bool markTaken_ = false;
};

} // namespace plumex
