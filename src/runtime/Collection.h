#pragma once
// The classic keyed collection: 1-based, items in insertion order, optional keys compared
// case-insensitively. A missing key raises 5, an index out of range 9, a duplicate key 457.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "runtime/Text.h"
#include "runtime/VbError.h"

namespace quindel {

template <class T>
class Collection {
    // Items only ever join at the end, so their sequence numbers stay sorted and a key
    // finds its position by binary search. Removing the first item of a deque is O(1):
    // owners empty a collection that way.
    struct Node {
        std::uint64_t seq;
        std::string key;  // folded; empty when the item has none
        T item;
    };
    using Nodes = std::deque<Node>;

    template <class NodeIt, class Ref>
    class Iter {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using reference = Ref;

        Iter() = default;
        explicit Iter(NodeIt it) : it_(it) {}
        Ref operator*() const { return it_->item; }
        auto operator->() const { return &it_->item; }
        Iter& operator++() {
            ++it_;
            return *this;
        }
        Iter operator++(int) { return Iter(it_++); }
        bool operator==(const Iter& other) const = default;

      private:
        NodeIt it_{};
    };

  public:
    using iterator = Iter<typename Nodes::iterator, T&>;
    using const_iterator = Iter<typename Nodes::const_iterator, const T&>;

    void Add(T item, std::string_view key = {}) {
        std::string folded = LCase(key);
        if (!folded.empty() && !keys_.emplace(folded, nextSeq_).second) Raise(457);
        nodes_.push_back(Node{nextSeq_++, std::move(folded), std::move(item)});
    }

    T& Item(std::int32_t index) { return nodes_[checkedIndex(index)].item; }
    const T& Item(std::int32_t index) const { return nodes_[checkedIndex(index)].item; }
    T& Item(std::string_view key) { return nodes_[keyedIndex(key)].item; }
    const T& Item(std::string_view key) const { return nodes_[keyedIndex(key)].item; }

    bool Exists(std::string_view key) const { return !key.empty() && keys_.count(LCase(key)); }

    void Remove(std::int32_t index) { erase(checkedIndex(index)); }
    void Remove(std::string_view key) { erase(keyedIndex(key)); }

    std::int32_t Count() const { return std::int32_t(nodes_.size()); }
    void Clear() {
        nodes_.clear();
        keys_.clear();
    }

    iterator begin() { return iterator(nodes_.begin()); }
    iterator end() { return iterator(nodes_.end()); }
    const_iterator begin() const { return const_iterator(nodes_.begin()); }
    const_iterator end() const { return const_iterator(nodes_.end()); }

  private:
    std::size_t checkedIndex(std::int32_t index) const {
        if (index < 1 || index > Count()) Raise(9);
        return std::size_t(index - 1);
    }

    std::size_t keyedIndex(std::string_view key) const {
        const auto k = key.empty() ? keys_.end() : keys_.find(LCase(key));
        if (k == keys_.end()) Raise(5);
        const auto pos = std::lower_bound(nodes_.begin(), nodes_.end(), k->second,
                                          [](const Node& n, std::uint64_t s) { return n.seq < s; });
        return std::size_t(pos - nodes_.begin());
    }

    void erase(std::size_t pos) {
        if (!nodes_[pos].key.empty()) keys_.erase(nodes_[pos].key);
        nodes_.erase(nodes_.begin() + std::ptrdiff_t(pos));
    }

    Nodes nodes_;
    std::unordered_map<std::string, std::uint64_t> keys_;
    std::uint64_t nextSeq_ = 0;
};

}  // namespace quindel
