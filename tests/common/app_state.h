#pragma once
// The program's globals at their start values for each test: default settings and the theme they
// give, the main view with an empty status line, empty panels, inputs, requests and drive list.
#include <gtest/gtest.h>

#include <string>

void resetAppState();
// Both panels reset onto real folders and listed, the left one active with its cursor on `name`.
void showPanels(const std::wstring& left, const std::wstring& right, const std::wstring& name = L"");
// Both panels as the user sees them: folder, cursor, marks and listed names.
std::wstring panelsText();

// resetAppState before and after, with the three fonts alive as the window would have them.
class AppTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
