/* Counts the pictures a program shows (SDL_GL_SwapWindow) and prints how many it showed a
 * second, measured over a window after a warm-up, then ends the program. Preloaded by
 * scripts/bench-draw, so the count needs nothing from the game itself. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double now_seconds(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static double cpu_seconds(void) {
    struct timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

static double setting(const char *name, double fallback) {
    const char *text = getenv(name);
    return text && *text ? atof(text) : fallback;
}

void SDL_GL_SwapWindow(void *window) {
    static void (*real)(void *) = 0;
    static double first = 0, start = 0, cpu_start = 0;
    static long counted = 0;
    if (!real) real = (void (*)(void *))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);

    const double t = now_seconds();
    /* The clock starts at the first picture of a level-sized frame count; before it the
     * loading and the start picture are shown, which are not what is measured. */
    if (first == 0) first = t;
    const double warmup = setting("BENCH_WARMUP", 6), span = setting("BENCH_SECONDS", 10);
    if (t - first < warmup) return;
    if (start == 0) {
        start = t;
        cpu_start = cpu_seconds();
        return;
    }
    ++counted;
    if (t - start >= span) {
        /* The processor time a picture costs (all the program's threads, the rasteriser's
         * too) does not depend on what else the machine runs, as the rate does. */
        fprintf(stderr, "drawn-frames-per-second %.1f cpu-ms-per-frame %.2f\n",
                (double)counted / (t - start), 1000.0 * (cpu_seconds() - cpu_start) / counted);
        fflush(stderr);
        _exit(0);
    }
}
