// The snapshot chain: whatever buffers go in, each comes back byte for byte, from any depth and
// after pops and drops; neighbours that differ a little cost a little.
#include "document/snapshot_chain.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvel {
namespace {

using Bytes = std::vector<uint8_t>;

// A sequence of buffers, each made from the one before by `change`.
std::vector<Bytes> Sequence(size_t first, int count, unsigned seed,
                            void (*change)(Bytes&, std::mt19937&)) {
  std::mt19937 rng(seed);
  Bytes b(first);
  for (auto& x : b) x = uint8_t(rng() % 7 == 0 ? rng() : 0);
  std::vector<Bytes> out{b};
  for (int i = 1; i < count; ++i) {
    change(b, rng);
    out.push_back(b);
  }
  return out;
}

void FewBytes(Bytes& b, std::mt19937& rng) {
  for (int k = 0; k < 5; ++k) b[rng() % b.size()] ^= uint8_t(1 + rng() % 255);
}
void EveryFourthByte(Bytes& b, std::mt19937& rng) {
  for (size_t i = rng() % 4; i < b.size(); i += 4) b[i] = uint8_t(b[i] + 1);
}
void LongRun(Bytes& b, std::mt19937& rng) {
  const size_t at = rng() % (b.size() / 2);
  for (size_t i = at; i < at + b.size() / 3; ++i) b[i] = uint8_t(rng() % 3);
}
void Length(Bytes& b, std::mt19937& rng) {
  b.resize(rng() % 2 ? b.size() + rng() % 300 : b.size() - rng() % (b.size() / 2), uint8_t(rng()));
  if (!b.empty()) b[0] ^= 1;
}
void Nothing(Bytes&, std::mt19937&) {}
void Everything(Bytes& b, std::mt19937& rng) {
  for (auto& x : b) x = uint8_t(rng());
}

struct Case {
  const char* name;
  size_t first;
  void (*change)(Bytes&, std::mt19937&);
  size_t maxPatchBytes;  // per buffer below the newest, at most
};

const Case kCases[] = {
    {"a few bytes change", 507171, FewBytes, 64},
    {"every fourth byte", 20000, EveryFourthByte, 20000 * 2},
    {"one long run, deflated", 300000, LongRun, 300000 / 6},
    {"lengths change", 5000, Length, 6000},
    {"nothing changes", 100000, Nothing, 8},
    {"everything changes", 3000, Everything, 3000 + 16},
    {"empty buffers", 0, Nothing, 4},
};

TEST(SnapshotChain, GivesEveryBufferBackFromAnyDepth) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::vector<Bytes> in = Sequence(c.first, 12, 5, c.change);
    SnapshotChain chain;
    for (Bytes b : in) chain.Push(std::move(b));
    ASSERT_EQ(chain.Size(), in.size());
    EXPECT_EQ(chain.Newest(), in.back());
    Bytes out;
    for (size_t d = 0; d < in.size(); ++d) {
      ASSERT_TRUE(chain.Rebuild(d, out));
      EXPECT_EQ(out, in[in.size() - 1 - d]) << "depth " << d;
    }
    EXPECT_FALSE(chain.Rebuild(in.size(), out));
    // The newest whole, the one before it as the spare buffer, and the patches.
    EXPECT_LE(chain.Bytes(), in.back().capacity() + in[in.size() - 2].capacity() +
                                 (in.size() - 1) * (c.maxPatchBytes + 64) + 1024);

    // The oldest two go; popping then gives the rest back newest first.
    chain.DropOldest();
    chain.KeepNewest(in.size() - 2);
    for (size_t i = in.size(); i-- > 2;) {
      ASSERT_FALSE(chain.Empty());
      EXPECT_EQ(chain.Newest(), in[i]) << "pop to " << i;
      chain.PopNewest();
    }
    EXPECT_TRUE(chain.Empty());
  }
}

TEST(SnapshotChain, PushAfterPopsKeepsTheChainSound) {
  const std::vector<Bytes> in = Sequence(40000, 30, 9, LongRun);
  std::mt19937 rng(3);
  SnapshotChain chain;
  std::vector<Bytes> model;
  for (int step = 0; step < 300; ++step) {
    if (rng() % 3 != 0 || model.empty()) {
      model.push_back(in[rng() % in.size()]);
      chain.Push(Bytes(model.back()));
    } else {
      model.pop_back();
      chain.PopNewest();
    }
    ASSERT_EQ(chain.Size(), model.size());
    if (!model.empty()) { ASSERT_EQ(chain.Newest(), model.back()) << "step " << step; }
  }
  Bytes out;
  for (size_t d = 0; d < model.size(); ++d) {
    ASSERT_TRUE(chain.Rebuild(d, out));
    EXPECT_EQ(out, model[model.size() - 1 - d]);
  }
}

TEST(SnapshotChain, DamagedPatchesAreRefusedWithinTheBuffer) {
  const Bytes older(1000, 1), newer(900, 2);
  Bytes patch;
  SnapshotChain::MakePatch(older, newer, patch);
  Bytes buffer = newer;
  ASSERT_TRUE(SnapshotChain::ApplyPatch(patch, buffer));
  EXPECT_EQ(buffer, older);
  const std::vector<std::pair<const char*, Bytes>> damaged = {
      {"cut short", Bytes(patch.begin(), patch.begin() + long(patch.size() / 2))},
      {"no length", Bytes{}},
      {"endless number", Bytes(12, 0xff)},
      {"run past the end", Bytes{0x0a, 0x05, 0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"run longer than its bytes", Bytes{0x0a, 0x00, 0x09, 1, 2}},
  };
  for (const auto& [name, p] : damaged) {
    Bytes b = newer;
    EXPECT_FALSE(SnapshotChain::ApplyPatch(p, b)) << name;
  }
}

}  // namespace
}  // namespace quorvel
