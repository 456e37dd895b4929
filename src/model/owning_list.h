// COwningList<T>: an ordered list that owns its objects, as the document keeps
// its blocks, wires and comments. Iteration yields plain T* (non-owning);
// objects leave the list only through Detach*, which hands the ownership back.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <list>
#include <memory>
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
  bool Contains(const T* obj) const { return IndexOf(obj) >= 0; }

  // Takes ownership; returns the plain pointer. A null object is ignored.
  T* AddTail(std::unique_ptr<T> obj) {
    if (!obj) return nullptr;
    m_items.push_back(std::move(obj));
    return m_items.back().get();
  }
  T* AddHead(std::unique_ptr<T> obj) {
    if (!obj) return nullptr;
    m_items.push_front(std::move(obj));
    return m_items.front().get();
  }
  // Inserts before position index (at the end when index is out of range).
  T* InsertAt(int index, std::unique_ptr<T> obj) {
    if (!obj) return nullptr;
    auto pos = (index < 0 || index >= GetCount()) ? m_items.end() : std::next(m_items.begin(), index);
    return m_items.insert(pos, std::move(obj))->get();
  }

  // Removes an object from the list and hands it back; null when not in the list.
  std::unique_ptr<T> Detach(const T* obj) {
    auto it = Locate(obj);
    if (it == m_items.end()) return nullptr;
    std::unique_ptr<T> out = std::move(*it);
    m_items.erase(it);
    return out;
  }
  std::unique_ptr<T> DetachHead() {
    if (m_items.empty()) return nullptr;
    std::unique_ptr<T> out = std::move(m_items.front());
    m_items.pop_front();
    return out;
  }

  // Deletes every object, head first; each is out of the list before its destructor runs.
  void DeleteAll() {
    while (!m_items.empty()) DetachHead().reset();
  }

  // Reorders the list to the order of the objects in order, which must hold
  // every object of the list exactly once; returns false and changes nothing otherwise.
  template <typename Range>
  bool Reorder(const Range& order) {
    std::vector<typename Store::iterator> its;
    for (T* obj : order) {
      auto it = Locate(obj);
      if (it == m_items.end() || std::find(its.begin(), its.end(), it) != its.end()) return false;
      its.push_back(it);
    }
    if (its.size() != m_items.size()) return false;
    Store sorted;
    for (auto it : its) sorted.splice(sorted.end(), m_items, it);
    m_items.swap(sorted);
    return true;
  }

 private:
  // An object is in the list at most once: the search runs from both ends
  // towards the middle, so objects near either end are found at once.
  typename Store::iterator Locate(const T* obj) {
    auto front = m_items.begin();
    auto back = m_items.end();
    while (front != back) {
      if (front->get() == obj) return front;
      if (++front == back) break;
      --back;
      if (back->get() == obj) return back;
    }
    return m_items.end();
  }

  Store m_items;
};
