#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BalloonStack.h"

namespace {

// A balloon that records how it is dimmed; one that has not drawn a step yet
// hides when it is dimmed, and hiding takes it out of its stack.
struct FakeBalloon {
    BalloonStack<FakeBalloon>* stack = nullptr;
    std::string name;
    bool dimmed = false;
    bool hidesWhenDimmed = false;
    std::vector<bool> calls;

    void SetDimmed(bool dim)
    {
        calls.push_back(dim);
        dimmed = dim;
        if (dim && hidesWhenDimmed)
            Hide();
    }
    void Hide() { stack->Remove(this); }
};

struct StackFixture : testing::Test {
    BalloonStack<FakeBalloon> stack;
    std::vector<FakeBalloon> balloons{4};

    // What ShowMessage does: dim the top, then put the new one on it.
    FakeBalloon* Show(size_t i)
    {
        FakeBalloon* parent = stack.DimTop();
        balloons[i].stack = &stack;
        balloons[i].name = std::string(1, static_cast<char>('A' + i));
        stack.Push(&balloons[i]);
        return parent;
    }
    std::string Names() const
    {
        std::string s;
        for (const FakeBalloon* b : stack.items)
            s += b->name;
        return s;
    }
    int Live() const
    {
        int live = 0;
        for (const FakeBalloon* b : stack.items)
            live += b->dimmed ? 0 : 1;
        return live;
    }
};

} // namespace

TEST_F(StackFixture, NewBalloonStandsOnTheDimmedTop)
{
    EXPECT_EQ(Show(0), nullptr);
    EXPECT_EQ(Show(1), &balloons[0]);
    EXPECT_EQ(Show(2), &balloons[1]);
    EXPECT_EQ(Names(), "ABC");
    EXPECT_TRUE(balloons[0].dimmed);
    EXPECT_TRUE(balloons[1].dimmed);
    EXPECT_EQ(Live(), 1);
}

TEST_F(StackFixture, TopHidingMakesTheOneBelowLive)
{
    Show(0);
    Show(1);
    balloons[1].Hide();
    EXPECT_EQ(Names(), "A");
    EXPECT_EQ(balloons[0].calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(Live(), 1);
    balloons[0].Hide();
    EXPECT_TRUE(stack.Empty());
    EXPECT_FALSE(stack.Remove(&balloons[0])) << "a balloon leaves once";
}

TEST_F(StackFixture, NonTopBalloonLeavingKeepsTheTop)
{
    Show(0);
    Show(1);
    Show(2);
    balloons[0].Hide();
    EXPECT_EQ(Names(), "BC");
    EXPECT_FALSE(stack.Contains(&balloons[0]));
    // B stays dimmed and C stays the one live balloon.
    EXPECT_EQ(balloons[1].calls, (std::vector<bool>{true}));
    EXPECT_EQ(balloons[2].calls, (std::vector<bool>{}));
    balloons[1].Hide();
    EXPECT_EQ(Names(), "C");
    EXPECT_EQ(Live(), 1);
}

TEST_F(StackFixture, TopThatHidesWhenDimmedLeavesOneLiveBalloon)
{
    Show(0);
    Show(1);
    balloons[1].hidesWhenDimmed = true;
    // B hides while it is dimmed and gives the top back to A, which is dimmed again.
    EXPECT_EQ(Show(2), &balloons[0]);
    EXPECT_EQ(Names(), "AC");
    EXPECT_TRUE(balloons[0].dimmed);
    EXPECT_EQ(Live(), 1);

    balloons[0].hidesWhenDimmed = true;
    balloons[2].hidesWhenDimmed = true;
    EXPECT_EQ(Show(3), nullptr) << "every balloon below hid";
    EXPECT_EQ(Names(), "D");
}
