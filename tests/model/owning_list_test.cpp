#include "model/owning_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

struct Item {
  explicit Item(int v) : value(v) {}
  int value;
};

std::vector<int> Values(const COwningList<Item>& list) {
  std::vector<int> out;
  for (const Item* item : list) out.push_back(item->value);
  return out;
}

// Short lists are searched, long ones keep an index: both answer alike, and
// the index follows every way an object joins or leaves the list.
TEST(OwningListTest, LookupsFollowEveryChangeAtAnyLength) {
  for (int length : {5, 200}) {
    COwningList<Item> list;
    std::vector<Item*> items;
    for (int i = 0; i < length; ++i) items.push_back(list.AddTail(std::make_unique<Item>(i)));
    const Item outsider(-1);
    EXPECT_FALSE(list.Contains(&outsider));
    EXPECT_FALSE(list.Contains(nullptr));
    EXPECT_EQ(list.Detach(&outsider), nullptr);

    // Out of the middle, back in at the head, the tail and a position.
    std::unique_ptr<Item> middle = list.Detach(items[static_cast<size_t>(length / 2)]);
    ASSERT_EQ(middle.get(), items[static_cast<size_t>(length / 2)]);
    EXPECT_FALSE(list.Contains(middle.get()));
    EXPECT_EQ(list.Detach(middle.get()), nullptr);
    Item* head = list.AddHead(std::move(middle));
    EXPECT_TRUE(list.Contains(head));
    EXPECT_EQ(list.GetHead(), head);
    Item* inserted = list.InsertAt(2, std::make_unique<Item>(1000));
    EXPECT_EQ(list.IndexOf(inserted), 2);
    EXPECT_TRUE(list.Contains(inserted));
    std::unique_ptr<Item> first = list.DetachHead();
    EXPECT_EQ(first.get(), head);
    EXPECT_FALSE(list.Contains(head));
    EXPECT_EQ(list.GetCount(), length);

    // Reordering keeps every object findable; a wrong order changes nothing.
    std::vector<Item*> reversed(list.begin(), list.end());
    std::reverse(reversed.begin(), reversed.end());
    const std::vector<int> before = Values(list);
    std::vector<Item*> twice = reversed;
    twice.back() = twice.front();
    EXPECT_FALSE(list.Reorder(twice));
    EXPECT_EQ(Values(list), before);
    EXPECT_TRUE(list.Reorder(reversed));
    for (Item* item : reversed) {
      EXPECT_TRUE(list.Contains(item));
      EXPECT_NE(list.Detach(item), nullptr);
    }
    EXPECT_TRUE(list.IsEmpty());

    // After DeleteAll, new objects (perhaps at the old addresses) are found again.
    for (int i = 0; i < length; ++i) list.AddTail(std::make_unique<Item>(i));
    list.DeleteAll();
    Item* again = list.AddTail(std::make_unique<Item>(7));
    EXPECT_TRUE(list.Contains(again));
    EXPECT_EQ(list.Detach(again)->value, 7);
  }
}

// A reader that kept the objects of a list in their order (the scan's index)
// can tell from the change count whether they are still the list's: every way
// an object joins or leaves the list and every reorder counts, at any length;
// lookups and refused changes do not.
TEST(OwningListTest, ChangeCountFollowsEveryChangeOfObjectsOrTheirOrder) {
  for (int length : {5, 200}) {
    COwningList<Item> list;
    for (int i = 0; i < length; ++i) list.AddTail(std::make_unique<Item>(i));
    const Item outsider(-1);
    std::unique_ptr<Item> held;
    auto reversed = [&list] {
      std::vector<Item*> order(list.begin(), list.end());
      std::reverse(order.begin(), order.end());
      return order;
    };
    struct Step {
      const char* what;
      std::function<void()> act;
      bool counts;
    };
    const Step steps[] = {
        {"add at the tail", [&] { list.AddTail(std::make_unique<Item>(100)); }, true},
        {"add at the head", [&] { list.AddHead(std::make_unique<Item>(101)); }, true},
        {"insert", [&] { list.InsertAt(3, std::make_unique<Item>(102)); }, true},
        {"detach", [&] { held = list.Detach(list.GetAt(2)); }, true},
        {"detach the head", [&] { held = list.DetachHead(); }, true},
        {"reorder", [&] { EXPECT_TRUE(list.Reorder(reversed())); }, true},
        {"delete all", [&] { list.DeleteAll(); }, true},
        {"add again", [&] { list.AddTail(std::make_unique<Item>(103)); }, true},
        {"add nothing", [&] { list.AddTail(nullptr); }, false},
        {"detach an outsider", [&] { EXPECT_EQ(list.Detach(&outsider), nullptr); }, false},
        {"look up", [&] { EXPECT_TRUE(list.Contains(list.GetHead()) && list.IndexOf(&outsider) < 0); },
         false},
        {"refused reorder", [&] { EXPECT_FALSE(list.Reorder(std::vector<Item*>{})); }, false},
    };
    for (const Step& step : steps) {
      const unsigned long long before = list.GetChangeCount();
      step.act();
      EXPECT_EQ(list.GetChangeCount() != before, step.counts) << step.what << " at length " << length;
    }
  }
}

}  // namespace
