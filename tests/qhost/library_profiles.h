#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "qhost_runner.h"

namespace qhost::test {

// One build of the library, for tests that run over both profiles.
struct LibraryProfile {
  const char* name;
  std::string library;
};

inline void PrintTo(const LibraryProfile& profile, std::ostream* out) {
  *out << profile.name;
}

inline ::testing::internal::ParamGenerator<LibraryProfile> BothProfiles() {
  return ::testing::Values(LibraryProfile{"Full", LibraryPath()},
                           LibraryProfile{"Legacy", LegacyLibraryPath()});
}

inline std::string ProfileName(const ::testing::TestParamInfo<LibraryProfile>& info) {
  return info.param.name;
}

}  // namespace qhost::test
