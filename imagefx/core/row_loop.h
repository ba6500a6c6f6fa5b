// Marks a row loop to be built three times, for AVX-512 (x86-64-v4), for AVX2 and for the
// baseline instruction set; the loader picks the best one the processor runs.
#pragma once

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define IMAGEFX_NO_CLONES 1
#endif
#endif

#if defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__) && !defined(IMAGEFX_NO_CLONES)
#define IMAGEFX_ROW_LOOP __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#define IMAGEFX_ROW_LOOP_CLONES 1
#else
#define IMAGEFX_ROW_LOOP
#endif

namespace imagefx {

// Which build of the row loops the loader picks on this processor, by the same tests.
inline const char* rowLoopBuild() {
#if defined(IMAGEFX_ROW_LOOP_CLONES)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("x86-64-v4")) return "AVX-512";
    if (__builtin_cpu_supports("avx2")) return "AVX2";
#endif
    return "baseline";
}

}  // namespace imagefx
