#pragma once
// Fixed-capacity tables indexed from 1, as the crossword's variables are.
// Every access is bounds-checked: an index outside the capacity throws
// std::out_of_range instead of touching memory it does not own.

#include <array>
#include <stdexcept>
#include <string>

namespace document {

[[noreturn]] inline void ThrowIndexError(const char* what, int index) {
    throw std::out_of_range(std::string(what) + " index out of range: " + std::to_string(index));
}

inline int CheckIndex(const char* what, int index, int capacity) {
    if (index < 1 || index > capacity) ThrowIndexError(what, index);
    return index - 1;
}

// A list indexed 1..N.
template <typename T, int N>
class List1 {
public:
    T& operator()(int i) { return items_[CheckIndex("list", i, N)]; }
    const T& operator()(int i) const { return items_[CheckIndex("list", i, N)]; }
    static constexpr int Capacity = N;
    void Fill(const T& value) { items_.fill(value); }

private:
    std::array<T, N> items_{};
};

// A table indexed by column 1..C and row 1..R.
template <typename T, int C, int R>
class CellTable {
public:
    T& operator()(int c, int r) { return cells_[At(c, r)]; }
    const T& operator()(int c, int r) const { return cells_[At(c, r)]; }
    void Fill(const T& value) { cells_.fill(value); }

private:
    static int At(int c, int r) {
        return CheckIndex("row", r, R) * C + CheckIndex("column", c, C);
    }
    std::array<T, C * R> cells_{};
};

// A table indexed by column, row and direction (1 horizontal, 2 vertical).
template <typename T, int C, int R>
class DirectedTable {
public:
    T& operator()(int c, int r, int d) { return byDirection_[CheckIndex("direction", d, 2)](c, r); }
    const T& operator()(int c, int r, int d) const {
        return byDirection_[CheckIndex("direction", d, 2)](c, r);
    }
    void Fill(const T& value) {
        for (auto& t : byDirection_) t.Fill(value);
    }

private:
    std::array<CellTable<T, C, R>, 2> byDirection_;
};

} // namespace document
