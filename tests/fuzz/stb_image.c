// stb_image compiled here with the harness's instrumentation, so the fuzzer sees inside the
// decoder; these definitions take precedence over the shared library's.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
