#pragma once

// The samples window module's one entry point, declared for the module that defines it and for
// the program that resolves it by name. Only C types cross: the two are linked apart.
#include <cstddef>

#if defined(TALLYVANE_SAMPLES_MODULE) && defined(_WIN32)
#define TALLYVANE_SAMPLES_ENTRY __declspec(dllexport)
#elif defined(TALLYVANE_SAMPLES_MODULE)
#define TALLYVANE_SAMPLES_ENTRY __attribute__((visibility("default")))
#else
#define TALLYVANE_SAMPLES_ENTRY
#endif

extern "C" {

// Opens a new samples window: on the file at `path` (UTF-8) where it is given, else on the
// `size` bytes of `text` where they are given, else empty. A file that cannot be read is said
// so in the window. Returns 0; never throws.
TALLYVANE_SAMPLES_ENTRY int tallyvane_open_samples(const char* path, const char* text,
                                                   std::size_t size);
}

namespace tallyvane {
inline constexpr char kOpenSamplesEntry[] = "tallyvane_open_samples";
}  // namespace tallyvane
