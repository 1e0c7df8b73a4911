#pragma once
// The golden tables of the catalogue families, for the checks that span all of them.
#include <span>

#include "descriptor_test_util.h"

namespace quillon::test {

std::span<const GoldenCase> MpegGoldenCases();
std::span<const GoldenCase> ServiceGoldenCases();
std::span<const GoldenCase> EventGoldenCases();
std::span<const GoldenCase> StreamGoldenCases();

}  // namespace quillon::test
