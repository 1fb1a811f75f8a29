#pragma once
// The core library's text and array types. Zrk_String holds 8-bit text in the active code page
// (Windows-1252 here); conversions to UTF-8 happen only at the edges (see codepage.h).

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using Zrk_String = std::string;

// A growable array with the member names the module's code uses. Index operations outside the
// array answer false (or do nothing) instead of failing.
template <typename T> class Zrk_Array {
public:
    using value_type = T;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    Zrk_Array() = default;
    Zrk_Array(std::initializer_list<T> items) : items_(items) {}
    explicit Zrk_Array(std::vector<T> items) : items_(std::move(items)) {}

    int length() const { return static_cast<int>(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    void setLength(int n) { items_.resize(n < 0 ? 0 : static_cast<std::size_t>(n)); }
    void setPhysicalLength(int n) { items_.reserve(n < 0 ? 0 : static_cast<std::size_t>(n)); }
    void removeAll() { items_.clear(); }

    Zrk_Array& append(const T& item) {
        items_.push_back(item);
        return *this;
    }
    Zrk_Array& append(T&& item) {
        items_.push_back(std::move(item));
        return *this;
    }
    Zrk_Array& append(const Zrk_Array& other) {
        items_.insert(items_.end(), other.items_.begin(), other.items_.end());
        return *this;
    }
    // Inserts before index; index == length() appends.
    bool insertAt(int index, const T& item) {
        if (index < 0 || index > length()) return false;
        items_.insert(items_.begin() + index, item);
        return true;
    }
    bool removeAt(int index) {
        if (!isValid(index)) return false;
        items_.erase(items_.begin() + index);
        return true;
    }
    bool removeLast() {
        if (items_.empty()) return false;
        items_.pop_back();
        return true;
    }
    bool isValid(int index) const { return index >= 0 && index < length(); }

    // Index of the first element equal to item at or after start, or -1.
    int find(const T& item, int start = 0) const {
        for (int i = std::max(start, 0); i < length(); ++i)
            if (items_[static_cast<std::size_t>(i)] == item) return i;
        return -1;
    }
    bool contains(const T& item) const { return find(item) >= 0; }

    T& operator[](int index) { return items_[static_cast<std::size_t>(index)]; }
    const T& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }
    T& at(int index) { return items_.at(static_cast<std::size_t>(index)); }
    const T& at(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    T& first() { return items_.front(); }
    const T& first() const { return items_.front(); }
    T& last() { return items_.back(); }
    const T& last() const { return items_.back(); }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    std::vector<T>& vector() { return items_; }
    const std::vector<T>& vector() const { return items_; }

    bool operator==(const Zrk_Array& other) const = default;

private:
    std::vector<T> items_;
};

using Zrk_StringArray = Zrk_Array<Zrk_String>;
