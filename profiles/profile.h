#pragma once

// What differs between the full and the legacy profile; each library target compiles the
// same sources with its own QUORLIN_LEGACY_PROFILE setting.
namespace quorlin::profile {

#if defined(QUORLIN_LEGACY_PROFILE)
inline constexpr bool kLegacy = true;
#else
inline constexpr bool kLegacy = false;
#endif

// The last-error text right after load.
inline constexpr const char* kInitialLastError = "Success";

}  // namespace quorlin::profile
