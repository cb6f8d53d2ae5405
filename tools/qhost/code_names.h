#pragma once

#include <string>

// The names of the numeric codes the exports take.
namespace qhost {

// avg, sum, min, max, count, countdistinct (any letter case) or a number, which is passed on
// unchanged so that kinds the library refuses can be tried too.
int ParseAggregateKind(const std::string& text);

// float, numeric, char, date (any letter case) or a number, likewise passed on unchanged.
int ParseTypeCode(const std::string& text);

}  // namespace qhost
