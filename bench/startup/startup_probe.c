/* Preloaded into the game by startup_bench: notes when the program reaches each start-up step,
 * as "step wall-ns cpu-ns" lines (CLOCK_MONOTONIC, and the CPU time of all the process's threads)
 * in the file STARTUP_PROBE_OUT names. The game is
 * the installed program itself, unchanged; the probe only wraps the calls that mark the steps. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

typedef struct SDL_Window SDL_Window;
typedef struct SDL_Renderer SDL_Renderer;

static int probeFile = -1;
static int splashShown = 0;
static int mainShown = 0;

static void Mark(const char* step) {
  if (probeFile < 0) return;
  struct timespec now, cpu;
  clock_gettime(CLOCK_MONOTONIC, &now);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
  char line[96];
  int n = snprintf(line, sizeof line, "%s %lld %lld\n", step,
                   (long long)now.tv_sec * 1000000000LL + now.tv_nsec,
                   (long long)cpu.tv_sec * 1000000000LL + cpu.tv_nsec);
  if (n > 0 && write(probeFile, line, (size_t)n) < 0) probeFile = -1;
}

static void* Next(const char* name) {
  void* next = dlsym(RTLD_NEXT, name);
  if (next == NULL) {
    fprintf(stderr, "startup_probe: %s not found\n", name);
    abort();
  }
  return next;
}

__attribute__((constructor)) static void OpenProbe(void) {
  const char* path = getenv("STARTUP_PROBE_OUT");
  if (path != NULL) probeFile = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  Mark("loaded");
}

int SDL_Init(uint32_t flags) {
  static int (*next)(uint32_t);
  if (next == NULL) next = (int (*)(uint32_t))Next("SDL_Init");
  Mark("sdl-init");
  int result = next(flags);
  Mark("sdl-ready");
  return result;
}

/* The splash is the only window painted through its window surface. */
int SDL_UpdateWindowSurface(SDL_Window* window) {
  static int (*next)(SDL_Window*);
  if (next == NULL) next = (int (*)(SDL_Window*))Next("SDL_UpdateWindowSurface");
  int result = next(window);
  if (!splashShown) Mark("splash-frame");
  splashShown = 1;
  return result;
}

/* The main window's renderer presents its first frame. */
void SDL_RenderPresent(SDL_Renderer* renderer) {
  static void (*next)(SDL_Renderer*);
  if (next == NULL) next = (void (*)(SDL_Renderer*))Next("SDL_RenderPresent");
  next(renderer);
  if (!mainShown) Mark("main-frame");
  mainShown = 1;
}

int32_t mmsInit(uint32_t period) {
  static int32_t (*next)(uint32_t);
  if (next == NULL) next = (int32_t(*)(uint32_t))Next("mmsInit");
  Mark("music-init");
  int32_t result = next(period);
  Mark("music-ready");
  return result;
}
