// The readers' golden files, every format at once, through the loading route
// a run takes: tests/data/<format>/ (see support/reader_data.h).
#include <gtest/gtest.h>

#include "imaging/picture_loading.h"
#include "support/reader_data.h"

namespace lumivo {
namespace {

class GoldenFile : public ::testing::TestWithParam<test::ReaderDataCase> {};

TEST_P(GoldenFile, LoadsAsExpected) { EXPECT_TRUE(test::MeetsExpectation(GetParam(), LoadPictureFile)); }

INSTANTIATE_TEST_SUITE_P(Data, GoldenFile, ::testing::ValuesIn(test::ReaderDataCases()),
                         [](const auto& info) { return test::CaseName(info.param); });

}  // namespace
}  // namespace lumivo
