#pragma once
// Whether the tests run under AddressSanitizer. Volume tests take fewer rounds there:
// every round takes the same paths, which the release run goes through in full.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_TESTS_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_TESTS_SANITIZED 1
#endif

namespace velmora::test {
#ifdef VELMORA_TESTS_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
// count rounds in the release run, a quarter of them (at least one) under the sanitizer.
constexpr int Rounds(int count) { return kSanitized ? (count + 3) / 4 : count; }
}  // namespace velmora::test
