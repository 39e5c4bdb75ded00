/* How long mmsInit holds its caller with the built-in synthesizer, for each SoundFont given (by
 * default TimGM6mb and FluidR3_GM), and how long after it a tune asked for at once begins (its
 * first tick pass). Usage: vondra_init_bench [SOUNDFONT...] */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include "vondra.h"

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* One track: a note, held for a second. */
static const unsigned char kSong[] = {
    'M', 'T', 'h', 'd', 0,    0,    0,  6,  0,    0,    0,    1,  0, 96,   'M',  'T',  'r', 'k',
    0,   0,   0,   13,  0x00, 0x90, 60, 90, 0x81, 0x40, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};

int main(int argc, char** argv) {
  static const char* const kDefaults[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                          "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
  const char* const* fonts = argc > 1 ? (const char* const*)(argv + 1) : kDefaults;
  const int count = argc > 1 ? argc - 1 : 2;
  char path[] = "/tmp/vondra-init-bench-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0 || write(fd, kSong, sizeof kSong) != (ssize_t)sizeof kSong) return 1;
  close(fd);
  SongHandle song = mmsCreateHandle(path);
  unlink(path);
  if (!song) return 1;
  setenv("VONDRA_OUTPUT", "fluidsynth", 1);
  for (int i = 0; i < count; ++i) {
    if (access(fonts[i], R_OK) != 0) {
      printf("%s: not installed\n", fonts[i]);
      continue;
    }
    setenv("VONDRA_SOUNDFONT", fonts[i], 1);
    const double start = NowMs();
    mmsInit(10);
    const double inited = NowMs();
    mmsPlay(song, 0);
    while (mmsGetTime() == 0 && mmsGetStatus() != 0 && NowMs() - start < 10000) usleep(200);
    const double begun = NowMs();
    mmsStop();
    const double ending = NowMs();
    mmsEnd();
    printf(
        "%s: mmsInit returned after %.1f ms; the tune asked for then began %.1f ms later; "
        "mmsEnd took %.1f ms\n",
        fonts[i], inited - start, begun - inited, NowMs() - ending);
  }
  mmsDestroyHandle(song);
  return 0;
}
