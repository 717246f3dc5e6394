// The program's own argument filling for string-table texts.
#include <gtest/gtest.h>

#include <string>

#include "flib/window/FillIn.h"

namespace {

using Flib::Windows::Window::FillIn;

TEST(FillIn, PutsEachValueAtItsNumberAndLeavesEverythingElse)
{
    const struct {
        const char* name;
        const wchar_t* pattern;
        std::wstring expected;
    } cases[] = {
        {"in order", L"%1 と %2", L"一 と 二"},
        {"reordered, as a translation may", L"%2 / %1", L"二 / 一"},
        {"twice", L"%1%1", L"一一"},
        {"a number without a value stays", L"%3 %1", L"%3 一"},
        {"not a number", L"100% %s %0 %", L"100% %s %0 %"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FillIn(c.pattern, {L"一", L"二"}), c.expected) << c.name;
    }
    EXPECT_EQ(FillIn(L"【タイトル】%1", {L"50%1 off %2"}), L"【タイトル】50%1 off %2") << "values go in as they are";
}

} // namespace
