// The fingerprint function against the published SHA-256 test vectors, the
// padding boundaries included (55, 56 and 64 bytes need one, two and two
// final blocks).
#include <gtest/gtest.h>

#include <string>

#include "support/sha256.h"

namespace {

using testsupport::sha256;

TEST(Sha256, PublishedVectors) {
  struct Row {
    std::string input;
    const char* digest;
  };
  const Row rows[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrl"
       "mnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Row& r : rows) EXPECT_EQ(sha256(r.input), r.digest) << r.input.size() << " bytes";
}

// Lengths around the block and padding edges: every one must differ from
// its neighbours and be stable, and a single changed bit must change it.
TEST(Sha256, PaddingEdges) {
  const std::pair<std::size_t, const char*> rows[] = {
      {55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
      {56, "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
      {64, "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
  };
  for (const auto& [n, digest] : rows) {
    const std::string s(n, 'a');
    EXPECT_EQ(sha256(s), digest) << n << " bytes";
    std::string flipped = s;
    flipped[n - 1] ^= 1;
    EXPECT_NE(sha256(flipped), digest) << n << " bytes";
  }
}

}  // namespace
