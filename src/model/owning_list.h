// COwningList<T>: an ordered list that owns its objects, as the document keeps
// its blocks, wires and comments. Iteration yields plain T* (non-owning);
// objects leave the list only through Detach*, which hands the ownership back.
// Once a longer list is searched for an object, it keeps an index from object
// to position, so that Detach, Contains and Reorder take constant time per
// object however long the list is. It counts the changes of its objects and
// their order, so that a reader can tell that it still holds what it held.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <list>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

template <typename T>
class COwningList {
  using Store = std::list<std::unique_ptr<T>>;

 public:
  class const_iterator {
   public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using pointer = T* const*;
    using reference = T*;

    const_iterator() = default;
    explicit const_iterator(typename Store::const_iterator it) : m_it(it) {}
    T* operator*() const { return m_it->get(); }
    const_iterator& operator++() { return ++m_it, *this; }
    const_iterator operator++(int) { return const_iterator(m_it++); }
    const_iterator& operator--() { return --m_it, *this; }
    const_iterator operator--(int) { return const_iterator(m_it--); }
    friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.m_it == b.m_it; }

   private:
    typename Store::const_iterator m_it;
  };
  using iterator = const_iterator;

  COwningList() = default;
  COwningList(const COwningList&) = delete;
  COwningList& operator=(const COwningList&) = delete;

  const_iterator begin() const { return const_iterator(m_items.begin()); }
  const_iterator end() const { return const_iterator(m_items.end()); }
  int GetCount() const { return static_cast<int>(m_items.size()); }
  // Grows with every object that joins or leaves the list and every reorder.
  unsigned long long GetChangeCount() const { return m_nChanges; }
  bool IsEmpty() const { return m_items.empty(); }

  // First and last object; null when the list is empty.
  T* GetHead() const { return m_items.empty() ? nullptr : m_items.front().get(); }
  T* GetTail() const { return m_items.empty() ? nullptr : m_items.back().get(); }
  // Object at a position; null when out of range.
  T* GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return std::next(m_items.begin(), index)->get();
  }
  // Position of an object; -1 when it is not in the list.
  int IndexOf(const T* obj) const {
    int i = 0;
    for (const auto& p : m_items) {
      if (p.get() == obj) return i;
      ++i;
    }
    return -1;
  }
  bool Contains(const T* obj) const { return obj != nullptr && Locate(obj) != m_items.end(); }

  // Takes ownership; returns the plain pointer. A null object is ignored.
  T* AddTail(std::unique_ptr<T> obj) {
    if (!obj) return nullptr;
    m_items.push_back(std::move(obj));
    ++m_nChanges;
    Note(std::prev(m_items.end()));
    return m_items.back().get();
  }
  T* AddHead(std::unique_ptr<T> obj) {
    if (!obj) return nullptr;
    m_items.push_front(std::move(obj));
    ++m_nChanges;
    Note(m_items.begin());
    return m_items.front().get();
  }
  // Inserts before position index (at the end when index is out of range).
  T* InsertAt(int index, std::unique_ptr<T> obj) {
    if (!obj) return nullptr;
    auto pos = (index < 0 || index >= GetCount()) ? m_items.end() : std::next(m_items.begin(), index);
    auto it = m_items.insert(pos, std::move(obj));
    ++m_nChanges;
    Note(it);
    return it->get();
  }

  // Removes an object from the list and hands it back; null when not in the list.
  std::unique_ptr<T> Detach(const T* obj) {
    auto it = Locate(obj);
    if (it == m_items.end()) return nullptr;
    m_index.erase(obj);
    std::unique_ptr<T> out = std::move(*it);
    m_items.erase(it);
    ++m_nChanges;
    return out;
  }
  std::unique_ptr<T> DetachHead() {
    if (m_items.empty()) return nullptr;
    m_index.erase(m_items.front().get());
    std::unique_ptr<T> out = std::move(m_items.front());
    m_items.pop_front();
    ++m_nChanges;
    return out;
  }

  // Deletes every object, head first; each is out of the list before its destructor runs.
  void DeleteAll() {
    while (!m_items.empty()) DetachHead().reset();
    m_index.clear();
    m_bIndexed = false;
  }

  // Reorders the list to the order of the objects in order, which must hold
  // every object of the list exactly once; returns false and changes nothing otherwise.
  template <typename Range>
  bool Reorder(const Range& order) {
    std::vector<typename Store::iterator> its;
    std::unordered_set<const T*> seen;
    for (T* obj : order) {
      auto it = Locate(obj);
      if (it == m_items.end() || !seen.insert(obj).second) return false;
      its.push_back(it);
    }
    if (its.size() != m_items.size()) return false;
    // Splicing moves the elements without copying them: every position in the index stays valid.
    Store sorted;
    for (auto it : its) sorted.splice(sorted.end(), m_items, it);
    m_items.swap(sorted);
    ++m_nChanges;
    return true;
  }

 private:
  using Position = typename Store::iterator;
  // Lists up to this length are searched; a longer one builds its index.
  static constexpr size_t kIndexFrom = 32;

  // An object is in the list at most once. A short list is searched from
  // both ends towards the middle, so objects near either end are found at
  // once; a longer one is looked up in the index (built on its first search).
  Position Locate(const T* obj) const {
    auto& items = const_cast<Store&>(m_items);
    if (!m_bIndexed && items.size() > kIndexFrom) BuildIndex();
    if (m_bIndexed) {
      auto found = m_index.find(obj);
      return found == m_index.end() ? items.end() : found->second;
    }
    auto front = items.begin();
    auto back = items.end();
    while (front != back) {
      if (front->get() == obj) return front;
      if (++front == back) break;
      --back;
      if (back->get() == obj) return back;
    }
    return items.end();
  }
  void BuildIndex() const {
    auto& items = const_cast<Store&>(m_items);
    try {
      m_index.reserve(items.size());
      for (auto it = items.begin(); it != items.end(); ++it) m_index.emplace(it->get(), it);
      m_bIndexed = true;
    } catch (...) {
      m_index.clear();  // out of memory: the list is searched instead
    }
  }
  // A new element joins the index when the list keeps one.
  void Note(Position it) {
    if (!m_bIndexed) return;
    try {
      m_index.emplace(it->get(), it);
    } catch (...) {
      m_index.clear();  // out of memory: the index is built again when next needed
      m_bIndexed = false;
    }
  }

  Store m_items;
  mutable std::unordered_map<const T*, Position> m_index;
  mutable bool m_bIndexed = false;
  unsigned long long m_nChanges = 0;
};
