#include "HookChain.h"

#include <gtest/gtest.h>

TEST(HookChain, ChainsAreNewestFirstAndWindowsLeaveWithTheirLastHook) {
    HookChain chains;
    int window = 0;
    int older = 0;
    int newer = 0;
    chains.Add(&window, &older);
    chains.Add(&window, &newer);
    EXPECT_EQ(chains.Chain(&window), (std::vector<void*>{&newer, &older}));
    EXPECT_EQ(chains.Next(&window, &newer), &older);
    EXPECT_EQ(chains.Next(&window, &older), nullptr);
    chains.Remove(&window, &older);
    EXPECT_EQ(chains.Chain(&window), (std::vector<void*>{&newer}));
    chains.Remove(&window, &newer);
    EXPECT_EQ(chains.WindowCount(), 0u);
}

TEST(HookChain, TakingAllEmptiesTheWindowsChain) {
    HookChain chains;
    int window = 0;
    int other = 0;
    int hooks[3] = {};
    for (int& hook : hooks) chains.Add(&window, &hook);
    chains.Add(&other, &hooks[0]);
    EXPECT_EQ(chains.TakeAll(&window).size(), 3u);
    EXPECT_TRUE(chains.Chain(&window).empty());
    EXPECT_EQ(chains.WindowCount(), 1u);
    EXPECT_TRUE(chains.TakeAll(&window).empty());
}
