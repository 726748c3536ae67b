// The basic, blocks and access suites as a plug-in reaches them: through the
// basic suite of a message it is handling.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

struct Acquisition {
  const char* name;
  const char* suite;
  int32_t version;
  AIErr expected;
};

TEST_F(RuntimeTest, SuitesAreFoundByNameAndVersionAndCountedUntilReleased) {
  Host& host = StartHost();
  const Acquisition cases[] = {
      {"offered suite", kAIToolSuite, kAIToolSuiteVersion, kNoErr},
      {"platform suite", kCorvanePlatformSuite, kCorvanePlatformSuiteVersion, kNoErr},
      {"document suite from the model", kAIArtSuite, kAIArtSuiteVersion, kNoErr},
      {"unknown name", "AI Teleport Suite", 1, kSPSuiteNotFoundError},
      {"known name, older version", kAIToolSuite, kAIToolSuiteVersion - 1, kSPSuiteNotFoundError},
      {"known name, newer version", kAIMenuSuite, kAIMenuSuiteVersion + 1, kSPSuiteNotFoundError},
  };
  for (const Acquisition& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
                const void* table = reinterpret_cast<const void*>(&h);
                const AIErr err = h.basic->AcquireSuite(c.suite, c.version, &table);
                EXPECT_EQ(err, c.expected);
                EXPECT_EQ(table != nullptr, c.expected == kNoErr) << "a failed acquisition leaves NULL";
                EXPECT_EQ(host.suites().Outstanding(c.suite), c.expected == kNoErr ? 1 : 0);
                if (err == kNoErr) {
                  EXPECT_EQ(h.basic->ReleaseSuite(c.suite, c.version), kNoErr);
                }
                return kNoErr;
              }),
              kNoErr);
    EXPECT_EQ(host.suites().Outstanding(), 0);
  }
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) { return h.basic->ReleaseSuite(kAIToolSuite, kAIToolSuiteVersion); }),
            kBadParameterErr)
      << "releasing what is not held";
}

TEST_F(RuntimeTest, PlannedFailureHitsExactlyTheNthCall) {
  Host& host = StartHost();
  constexpr AIErr kPlanned = SP_FOURCC('T', 'E', 'S', 'T');
  host.faults().Fail(kAINotifierSuite, "AddNotifier", kPlanned, 2);
  std::vector<AIErr> results;
  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<AINotifierSuite> notifiers(h.basic, kAINotifierSuite, kAINotifierSuiteVersion);
              for (const char* name : {"first", "second", "third"}) {
                AINotifierHandle n = nullptr;
                results.push_back(notifiers->AddNotifier(h.self, name, kAIDocumentChangedNotifier, &n));
              }
              return kNoErr;
            }),
            kNoErr);
  EXPECT_EQ(results, (std::vector<AIErr>{kNoErr, kPlanned, kNoErr}));
  ASSERT_EQ(host.Notifiers().size(), 2u) << "the failed call registered nothing";
  EXPECT_EQ(host.Notifiers()[1].name, "third");

  host.faults().Fail(kAIToolSuite, "AcquireSuite", kPlanned, 1);
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) {
              Acquired<AIToolSuite> tools(h.basic, kAIToolSuite, kAIToolSuiteVersion);
              return tools.error();
            }),
            kPlanned);
  EXPECT_EQ(host.suites().Outstanding(), 0);
}

TEST_F(RuntimeTest, AllocationFailureReachesBothAllocatorsAndLeavesNoBlock) {
  Host& host = StartHost();
  const int before = host.LiveBlocks();
  host.faults().FailAllocation();
  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<SPBlocksSuite> blocks(h.basic, kSPBlocksSuite, kSPBlocksSuiteVersion);
              void* a = reinterpret_cast<void*>(&h);
              void* b = reinterpret_cast<void*>(&h);
              EXPECT_EQ(blocks->AllocateBlock(64, "test", &a), kOutOfMemoryErr);
              EXPECT_EQ(h.basic->AllocateBlock(64, &b), kOutOfMemoryErr);
              EXPECT_EQ(a, nullptr);
              EXPECT_EQ(b, nullptr);
              return kNoErr;
            }),
            kNoErr);
  EXPECT_EQ(host.LiveBlocks(), before);
  host.faults().Clear();

  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              Acquired<SPBlocksSuite> blocks(h.basic, kSPBlocksSuite, kSPBlocksSuiteVersion);
              void* block = nullptr;
              EXPECT_EQ(blocks->AllocateBlock(4, "test", &block), kNoErr);
              std::memcpy(block, "abc", 4);
              EXPECT_EQ(host.LiveBlocks(), before + 1);
              host.faults().FailAllocation(1);
              void* moved = nullptr;
              EXPECT_EQ(blocks->ReallocateBlock(block, 1 << 20, "test", &moved), kOutOfMemoryErr);
              EXPECT_STREQ(static_cast<const char*>(block), "abc") << "a failed reallocation keeps the block";
              int onStack = 0;
              EXPECT_EQ(blocks->FreeBlock(&onStack), kBadParameterErr) << "only the host's blocks are freed";
              EXPECT_EQ(h.basic->FreeBlock(block), kNoErr);
              EXPECT_EQ(blocks->FreeBlock(block), kBadParameterErr) << "a second free is refused";
              return kNoErr;
            }),
            kNoErr);
  EXPECT_EQ(host.LiveBlocks(), before);
}

TEST_F(RuntimeTest, IsEqualComparesContentNotPointers) {
  StartHost();
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              char copy[] = "AI Tool";
              EXPECT_NE(static_cast<const void*>(copy), static_cast<const void*>(kCallerAITool));
              EXPECT_TRUE(h.basic->IsEqual(copy, kCallerAITool));
              EXPECT_FALSE(h.basic->IsEqual("AI Tool ", kCallerAITool));
              EXPECT_FALSE(h.basic->IsEqual("AI tool", kCallerAITool));
              EXPECT_FALSE(h.basic->IsEqual(nullptr, kCallerAITool));
              return kNoErr;
            }),
            kNoErr);
}

}  // namespace
}  // namespace host::testing
