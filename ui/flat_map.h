#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

namespace ui {

// A map kept as a vector sorted by key, with std::map's lookups for the
// toolkit's small tables (a form's event handlers, the component kinds, a
// canvas's GDI objects) but without the red-black tree code that std::map
// brings into the exe. Keys are ordered with <, so a std::string key can be
// looked up by a string_view or a literal without building a string.
template <typename K, typename V>
class FlatMap {
  public:
    using value_type = std::pair<K, V>;

    FlatMap() = default;
    // As with std::map, of two entries with the same key the first is kept.
    FlatMap(std::initializer_list<value_type> entries) {
        for (const value_type& entry : entries) {
            const auto at = LowerBound(entry.first);
            if (at == entries_.end() || entry.first < at->first) {
                entries_.insert(at, entry);
            }
        }
    }

    // The value of that key, or nullptr. Unlike std::map's, the pointer (and
    // a reference from operator[]) holds only until the next entry is added,
    // which may move the others.
    template <typename Key>
    const V* Find(const Key& key) const {
        const auto at = LowerBound(key);
        return at != entries_.end() && !(key < at->first) ? &at->second : nullptr;
    }
    template <typename Key>
    std::size_t count(const Key& key) const {
        return Find(key) != nullptr ? 1 : 0;
    }

    // The value of that key, added value-initialised when it is missing.
    V& operator[](const K& key) {
        auto at = LowerBound(key);
        if (at == entries_.end() || key < at->first) {
            at = entries_.insert(at, value_type(key, V{}));
        }
        return at->second;
    }

    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    template <typename Key>
    auto LowerBound(const Key& key) const {
        return std::lower_bound(
            entries_.begin(), entries_.end(), key,
            [](const value_type& entry, const Key& k) { return entry.first < k; });
    }
    template <typename Key>
    auto LowerBound(const Key& key) {
        return std::lower_bound(
            entries_.begin(), entries_.end(), key,
            [](const value_type& entry, const Key& k) { return entry.first < k; });
    }

    std::vector<value_type> entries_;
};

}  // namespace ui
