#include "editor/junction_index.h"

#include <algorithm>
#include <functional>

#include "model/connect_line_obj.h"

namespace {

// The index of a wire's point j steps from its end at the pin.
int PointAt(bool forward, int count, int j) {
  return forward ? j : count - 1 - j;
}

}  // namespace

size_t CJunctionIndex::KeyHash::operator()(const Key& k) const {
  const size_t h = std::hash<long long>()((static_cast<long long>(k.at.x) << 32) ^
                                          static_cast<long long>(static_cast<unsigned>(k.at.y)));
  return h * 31u + static_cast<size_t>(k.step);
}

bool CJunctionIndex::Read(const CConnectLineObj* wire, bool* forward) const {
  // As FindJunction reads a path: from the end whose pin has the number.
  *forward = wire->m_nStartPin == m_nPin;
  return *forward || wire->m_nEndPin == m_nPin;
}

CJunctionIndex::Kind CJunctionIndex::Classify(CPoint from, CPoint to, long long* length) {
  const long long dx = static_cast<long long>(to.x) - from.x;
  const long long dy = static_cast<long long>(to.y) - from.y;
  *length = dx != 0 ? std::llabs(dx) : std::llabs(dy);
  if (dx == 0 && dy == 0) return kPoint;
  if (dx == 0) return dy > 0 ? kDown : kUp;
  if (dy == 0) return dx > 0 ? kRight : kLeft;
  return kSlanted;
}

void CJunctionIndex::Dot(CConnectLineObj* wire, int index) {
  if (wire->m_junctions.size() < wire->m_points.size())
    wire->m_junctions.resize(wire->m_points.size(), kNoJunction);
  wire->m_junctions[static_cast<size_t>(index)] = wire->m_points[static_cast<size_t>(index)];
}

void CJunctionIndex::DotAll(Bucket& bucket) {
  for (; bucket.marked < bucket.all.size(); ++bucket.marked)
    Dot(bucket.all[bucket.marked].wire, bucket.all[bucket.marked].first);
}

void CJunctionIndex::CatchUp(const std::vector<CConnectLineObj*>& atPin, const CConnectLineObj* skip) {
  if (m_nSeen > atPin.size() || (m_nSeen > 0 && atPin[m_nSeen - 1] != m_pLast)) {
    m_groups.clear();
    m_nSeen = 0;
  }
  for (; m_nSeen < atPin.size(); ++m_nSeen)
    if (atPin[m_nSeen] != skip) Add(atPin[m_nSeen]);
  m_pLast = atPin.empty() ? nullptr : atPin.back();
}

template <class Visit>
void CJunctionIndex::ForEachSegment(CConnectLineObj* wire, Visit&& visit) const {
  bool forward = true;
  if (!Read(wire, &forward)) return;
  const int n = static_cast<int>(wire->m_points.size());
  for (int j = 0; j + 1 < n; ++j) {
    const int first = PointAt(forward, n, j), next = PointAt(forward, n, j + 1);
    const CPoint p0 = wire->m_points[static_cast<size_t>(first)];
    long long length = 0;
    const Kind kind = Classify(p0, wire->m_points[static_cast<size_t>(next)], &length);
    if (kind != kSlanted) visit(Key{j, p0}, Member{wire, first, next}, kind, length);
  }
}

void CJunctionIndex::Add(CConnectLineObj* wire) {
  ForEachSegment(wire, [this](const Key& key, const Member& member, Kind kind, long long length) {
    Bucket& bucket = m_groups[key].kinds[kind];
    bucket.all.push_back(member);
    if (kind != kPoint) {
      bucket.undotted.emplace(length, member);
      bucket.longest = std::max(bucket.longest, length);
    }
  });
}

void CJunctionIndex::Remove(const CConnectLineObj* wire, size_t pos,
                            const std::vector<CConnectLineObj*>& atPin) {
  if (pos >= m_nSeen) return;  // not taken in yet
  // (ForEachSegment only reads the wire.)
  ForEachSegment(const_cast<CConnectLineObj*>(wire), [this, wire](const Key& key, const Member& member,
                                                                  Kind kind, long long) {
    auto found = m_groups.find(key);
    if (found == m_groups.end()) return;
    Bucket& bucket = found->second.kinds[kind];
    const auto same = [wire, &member](const Member& m) { return m.wire == wire && m.first == member.first; };
    const auto at = std::find_if(bucket.all.begin(), bucket.all.end(), same);
    if (at == bucket.all.end()) return;
    if (static_cast<size_t>(at - bucket.all.begin()) < bucket.marked) --bucket.marked;
    bucket.all.erase(at);
    for (auto it = bucket.undotted.begin(); it != bucket.undotted.end(); ++it) {
      if (!same(it->second)) continue;
      bucket.undotted.erase(it);
      break;
    }
    if (kind == kPoint) return;
    bucket.longest = 0;
    for (const Member& m : bucket.all) {
      long long length = 0;
      Classify(m.wire->m_points[static_cast<size_t>(m.first)], m.wire->m_points[static_cast<size_t>(m.next)],
               &length);
      bucket.longest = std::max(bucket.longest, length);
    }
  });
  --m_nSeen;
  m_pLast = m_nSeen > 0 ? atPin[m_nSeen - 1] : nullptr;
}

void CJunctionIndex::Mark(CConnectLineObj* wire) {
  ForEachSegment(wire, [this](const Key& key, const Member& member, Kind kind, long long length) {
    auto found = m_groups.find(key);
    if (found == m_groups.end()) return;
    Bucket* kinds = found->second.kinds;
    // A segment without length meets every other kind at its start, as does a
    // segment going back the other way along the same line.
    if (kind == kPoint) {
      for (int k = 0; k < kKinds; ++k) DotAll(kinds[k]);
      return;
    }
    DotAll(kinds[kPoint]);
    static constexpr Kind kOpposite[kKinds] = {kPoint, kDown, kUp, kLeft, kRight};
    DotAll(kinds[kOpposite[kind]]);
    // Along the same way the shorter segment ends at a branch.
    Bucket& same = kinds[kind];
    if (same.longest > length) Dot(member.wire, member.next);
    const auto shorter = same.undotted.lower_bound(length);
    for (auto it = same.undotted.begin(); it != shorter; ++it) Dot(it->second.wire, it->second.next);
    same.undotted.erase(same.undotted.begin(), shorter);
  });
}
