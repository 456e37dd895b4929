// The junction dots that the wires at one pin give each other, kept for a batch of
// new wires (an uploaded program's wiring). CDiagramEditor::FindJunction compares a new
// wire with every wire at the pin, step by step from the pin: a thousand wires from
// one output cost half a million comparisons. The index keeps the wires' segments by
// their step number and starting point, so that a new wire meets only the segments
// that start where its own do, and each wire's dot is set at most once: the dots are
// exactly those of FindJunction against every wire, at a cost that grows with the
// points of the wires, not with their number squared.
//
// It holds the wires' points as they were when they joined: it is valid while no
// wire at the pin changes its path (a batch adds and removes whole wires only).
#pragma once

#include <cstddef>
#include <map>
#include <unordered_map>
#include <vector>

#include "platform/types.h"

class CConnectLineObj;

class CJunctionIndex {
 public:
  explicit CJunctionIndex(int pin) : m_nPin(pin) {}

  // Takes in the wires of atPin that joined it since the last call, all but skip.
  // When atPin lost wires meanwhile, the index starts again from all of them.
  void CatchUp(const std::vector<CConnectLineObj*>& atPin, const CConnectLineObj* skip);
  // Sets the dots that FindJunction(a, wire, pin) sets, for every wire a of the index.
  void Mark(CConnectLineObj* wire);
  // Makes wire one of the wires that later ones are compared with.
  void Add(CConnectLineObj* wire);
  // The wire left the pin's list: it stood at pos, and atPin holds the others in
  // their order. The index goes on as if it had been made from them: the
  // wire's segments go, and the longest of each of their buckets is that of the
  // segments left (the dots already set stay set, as a batch never clears one).
  void Remove(const CConnectLineObj* wire, size_t pos, const std::vector<CConnectLineObj*>& atPin);

 private:
  // A segment's kind: no length, up or down, right or left; slanted ones meet nothing.
  enum Kind { kPoint, kUp, kDown, kRight, kLeft, kKinds, kSlanted = kKinds };
  struct Member {
    CConnectLineObj* wire;
    int first;  // the index of the segment's point nearer the pin
    int next;   // and of the other
  };
  struct Bucket {
    std::vector<Member> all;
    size_t marked = 0;                          // all[0 .. marked) have their dot at first
    std::multimap<long long, Member> undotted;  // by length: no dot at next yet
    long long longest = 0;
  };
  struct Key {
    int step;
    CPoint at;
    bool operator==(const Key& o) const { return step == o.step && at == o.at; }
  };
  struct KeyHash {
    size_t operator()(const Key& k) const;
  };
  struct Group {
    Bucket kinds[kKinds];
  };

  // Whether the wire is read from its start (forward) or end at the pin; false when
  // neither of its ends is on a pin of this number.
  bool Read(const CConnectLineObj* wire, bool* forward) const;
  static Kind Classify(CPoint from, CPoint to, long long* length);
  // Calls visit(key, member, kind, length) for each segment of the wire, read from
  // the pin, that is not slanted.
  template <class Visit>
  void ForEachSegment(CConnectLineObj* wire, Visit&& visit) const;
  static void Dot(CConnectLineObj* wire, int index);
  static void DotAll(Bucket& bucket);

  int m_nPin;
  std::unordered_map<Key, Group, KeyHash> m_groups;
  size_t m_nSeen = 0;                        // wires of the pin's list taken in
  const CConnectLineObj* m_pLast = nullptr;  // the last of them
};
