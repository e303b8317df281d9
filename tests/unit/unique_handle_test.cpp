// Ownership of handles: each one is freed exactly once, also across moves.
#include <gtest/gtest.h>

#include <vector>

#include "ui/unique_handle.h"

namespace pelmor::ui {
namespace {

std::vector<int> freed;

struct FakeTraits {
  using Handle = int;
  static Handle Null() { return 0; }
  static void Free(Handle h) { freed.push_back(h); }
};
using Owned = UniqueHandle<FakeTraits>;

TEST(UniqueHandle, FreesOnceAtTheEndOfItsLife) {
  freed.clear();
  { Owned a(7); }
  { Owned empty; }
  EXPECT_EQ(freed, (std::vector<int>{7}));
}

TEST(UniqueHandle, MovesTransferOwnership) {
  freed.clear();
  {
    Owned a(1);
    Owned b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), 1);
    Owned c(2);
    c = std::move(b);  // 2 is freed now, 1 moves on
    EXPECT_EQ(freed, (std::vector<int>{2}));
    c = std::move(c);  // a self-move keeps the handle
    EXPECT_EQ(c.get(), 1);
  }
  EXPECT_EQ(freed, (std::vector<int>{2, 1}));
}

TEST(UniqueHandle, ResetAndRelease) {
  freed.clear();
  Owned a(3);
  a.reset(4);
  EXPECT_EQ(freed, (std::vector<int>{3}));
  EXPECT_EQ(a.release(), 4);
  a.reset();
  EXPECT_EQ(freed, (std::vector<int>{3}));
}

}  // namespace
}  // namespace pelmor::ui
