#include "richtext/CStack.h"

#include <gtest/gtest.h>

using richtext::CStack;

TEST(CStack, TopItemComesOffFirstAndAnEmptyStackGivesEmptyText)
{
    CStack stack;
    stack.AddItem("P");
    stack.AddItem("FONT");
    EXPECT_EQ(stack.GetItem(), "FONT");
    stack.Remove();
    EXPECT_EQ(stack.GetItem(), "P");
    stack.Remove();
    EXPECT_EQ(stack.GetItem(), "");
    stack.Remove();
    EXPECT_EQ(stack.GetItem(), "");
    EXPECT_EQ(stack.count(), 0);
}

TEST(CStack, NewSEmptiesTheStack)
{
    CStack stack;
    stack.AddItem("P");
    stack.AddItem("SEN");
    stack.NewS();
    EXPECT_EQ(stack.GetItem(), "");
    EXPECT_EQ(stack.count(), 0);
    stack.AddItem("HOT");
    EXPECT_EQ(stack.GetItem(), "HOT");
    EXPECT_EQ(stack.count(), 1);
}
