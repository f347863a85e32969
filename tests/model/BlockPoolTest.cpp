#include "model/BlockPool.h"
#include "model/CMMIList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace varnel {
namespace {

TEST(BlockPool, BlocksLieSideBySideAndAChunkGoesWithItsLastBlock) {
    BlockPool pool(280);
    EXPECT_EQ(pool.blockSize(), 288U); // kept aligned for any record
    const std::size_t perChunk = pool.blocksPerChunk();
    std::vector<void*> blocks;
    for (std::size_t i = 0; i < perChunk + 1; ++i) {
        blocks.push_back(pool.allocate());
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(blocks.back()) % alignof(std::max_align_t), 0U);
    }
    for (std::size_t i = 1; i < perChunk; ++i) {
        ASSERT_EQ(static_cast<char*>(blocks[i]) - static_cast<char*>(blocks[i - 1]), 288);
    }
    EXPECT_EQ(pool.chunkCount(), 2U);
    for (std::size_t i = 0; i < perChunk; ++i) {
        pool.deallocate(blocks[i]);
    }
    EXPECT_EQ(pool.chunkCount(), 1U);
    // The chunk still carved from starts again at its beginning once it is empty.
    pool.deallocate(blocks.back());
    EXPECT_EQ(pool.allocate(), blocks[perChunk]);
    EXPECT_EQ(pool.chunkCount(), 1U);
    pool.deallocate(blocks[perChunk]);
    pool.deallocate(nullptr);
}

TEST(BlockPool, FreedBlocksAreHandedOutAgainBeforeANewChunk) {
    BlockPool pool(64);
    std::vector<void*> blocks;
    for (std::size_t i = 0; i < pool.blocksPerChunk(); ++i) {
        blocks.push_back(pool.allocate());
    }
    pool.deallocate(blocks[7]);
    EXPECT_EQ(pool.allocate(), blocks[7]);
    EXPECT_EQ(pool.chunkCount(), 1U);
    for (void* b : blocks) {
        pool.deallocate(b);
    }
}

// Random lives: every block keeps what was written into it until it is freed, so no two live
// blocks overlap, and everything goes back at the end.
TEST(BlockPool, RandomLivesNeverShareABlock) {
    for (const bool passThrough : {false, true}) {
        BlockPool pool(48, passThrough);
        std::mt19937 rng(99);
        std::vector<std::pair<unsigned char*, unsigned char>> live;
        for (int step = 0; step < 200000; ++step) {
            if (live.empty() || rng() % 3 != 0) {
                auto* b = static_cast<unsigned char*>(pool.allocate());
                const auto mark = static_cast<unsigned char>(rng());
                std::memset(b, mark, 48);
                live.emplace_back(b, mark);
            } else {
                const std::size_t i = rng() % live.size();
                auto [b, mark] = live[i];
                for (int k = 0; k < 48; ++k) {
                    ASSERT_EQ(b[k], mark) << "step " << step;
                }
                pool.deallocate(b);
                live[i] = live.back();
                live.pop_back();
            }
        }
        for (auto [b, mark] : live) {
            ASSERT_EQ(b[47], mark);
            pool.deallocate(b);
        }
        EXPECT_LE(pool.chunkCount(), 1U);
    }
}

TEST(CMMIList, EmplacedElementsLeaveAsOrdinaryOnes) {
    CMMIList<std::string> list;
    list.reserve(4);
    list.emplace("pooled one, longer than any short string");
    list.add(std::make_unique<std::string>("heap"));
    std::string& two = list.emplace("two");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.at(3), &two);

    // Handed out as a heap element the caller may keep, change and free.
    std::unique_ptr<std::string> out = list.detachExact(&two);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "two");
    out->append(" changed");
    EXPECT_TRUE(list.replace("heap", std::make_unique<std::string>("swapped")));
    EXPECT_TRUE(list.replace("swapped", std::make_unique<std::string>("again")));
    list.emplace("three");

    CMMIList<std::string> moved(std::move(list));
    // A moved-from list is empty.
    EXPECT_EQ(list.count(), 0); // NOLINT(bugprone-use-after-move,clang-analyzer-cplusplus.Move)
    CMMIList<std::string> assigned;
    assigned.emplace("dropped");
    assigned = std::move(moved);
    std::vector<std::unique_ptr<std::string>> all = assigned.takeAll();
    ASSERT_EQ(all.size(), 3U);
    EXPECT_EQ(*all[0], "pooled one, longer than any short string");
    EXPECT_EQ(*all[1], "again");
    EXPECT_EQ(*all[2], "three");
    EXPECT_TRUE(assigned.empty());

    // Lists made with new come from a pool and go back to it.
    auto heapList = std::make_unique<CMMIList<std::string>>();
    heapList->emplace("x");
    EXPECT_TRUE(heapList->remove("x"));
    heapList.reset();
}

} // namespace
} // namespace varnel
