// The libFuzzer entry of one target; NANSAI_FUZZ_TARGET names it in kTargets.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "checks.h"

namespace {

fuzz::Check TargetCheck() {
  const auto target =
      std::ranges::find(fuzz::kTargets, std::string_view(NANSAI_FUZZ_TARGET), &fuzz::Target::name);
  if (target == fuzz::kTargets.end()) {
    std::fprintf(stderr, "no fuzz target named %s\n", NANSAI_FUZZ_TARGET);
    std::abort();
  }
  return target->check;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::Check check = TargetCheck();
  try {
    check({reinterpret_cast<const char*>(data), size});
  } catch (const std::exception& error) {
    // libFuzzer keeps the input of any crash; abort makes this one.
    std::fprintf(stderr, "fuzz target %s: %s\n", NANSAI_FUZZ_TARGET, error.what());
    std::abort();
  }
  return 0;
}
