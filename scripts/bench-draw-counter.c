/* Counts the pictures a program shows (SDL_GL_SwapWindow) and prints how many it showed a
 * second, measured over a window after a warm-up, then ends the program. Preloaded by
 * scripts/bench-draw, so the count needs nothing from the game itself.
 *
 * The game sleeps between pictures to keep to the display's rate, so the rate alone stops
 * at that cap. The time the showing thread spends asleep is summed too: what is left of the
 * window is the time the pictures really took, and tells how far under the cap they are. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <pthread.h>
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

static double setting(const char* name, double fallback) {
    const char* text = getenv(name);
    return text && *text ? atof(text) : fallback;
}

static pthread_t showing_thread;
static int showing_thread_known = 0;
static double asleep = 0; /* seconds the showing thread slept, from the first picture on */

int nanosleep(const struct timespec* duration, struct timespec* left) {
    static int (*real)(const struct timespec*, struct timespec*) = 0;
    if (!real)
        real = (int (*)(const struct timespec*, struct timespec*))dlsym(RTLD_NEXT, "nanosleep");
    if (!showing_thread_known || !pthread_equal(pthread_self(), showing_thread))
        return real(duration, left);
    const double before = now_seconds();
    const int result = real(duration, left);
    asleep += now_seconds() - before;
    return result;
}

void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*) = 0;
    static double first = 0, start = 0, cpu_start = 0, asleep_start = 0;
    static long counted = 0;
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    if (!showing_thread_known) {
        showing_thread = pthread_self();
        showing_thread_known = 1;
    }
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
        asleep_start = asleep;
        return;
    }
    ++counted;
    if (t - start >= span) {
        /* The processor time a picture costs (all the program's threads, the rasteriser's
         * too) does not depend on what else the machine runs, as the rate does. */
        fprintf(stderr,
                "drawn-frames-per-second %.1f cpu-ms-per-frame %.2f busy-ms-per-frame %.2f\n",
                (double)counted / (t - start), 1000.0 * (cpu_seconds() - cpu_start) / counted,
                1000.0 * (t - start - (asleep - asleep_start)) / counted);
        fflush(stderr);
        _exit(0);
    }
}
