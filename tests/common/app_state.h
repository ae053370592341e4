#pragma once
// The program's globals at their start values for each test: default settings and the theme they
// give, the main view with an empty status line, empty panels, inputs, requests and drive list.
#include <gtest/gtest.h>

void resetAppState();

// resetAppState before and after, with the three fonts alive as the window would have them.
class AppTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
