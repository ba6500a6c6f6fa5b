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
#else
#define IMAGEFX_ROW_LOOP
#endif
