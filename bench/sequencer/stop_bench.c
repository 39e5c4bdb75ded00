/* How long mmsStop and mmsPlay hold a C caller, with the built-in synthesizer as the output (an
 * output that paces the stop's messages), and the longest frame of a 32 ms frame loop that stops,
 * starts and fades tunes as the game does. Usage: vondra_stop_bench [ROUNDS] (default 20). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "vondra.h"

enum { kFrameMs = 32, kLoopFrames = 300 };

/* One track: a chord every quarter note for 40 quarters, at 96 ticks a quarter. */
static size_t BuildSong(unsigned char* out) {
  static const unsigned char header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};
  size_t n = 0;
  memcpy(out, header, sizeof header);
  n += sizeof header;
  memcpy(out + n, "MTrk\0\0\0\0", 8);
  n += 8;
  const size_t data = n;
  for (int beat = 0; beat < 40; ++beat) {
    const unsigned char notes[] = {0x00, 0x90, 60, 90, 0x00, 0x91, 64, 90,
                                   0x60, 0x80, 60, 0,  0x00, 0x81, 64, 0};
    memcpy(out + n, notes, sizeof notes);
    n += sizeof notes;
  }
  const unsigned char end[] = {0x00, 0xFF, 0x2F, 0x00};
  memcpy(out + n, end, sizeof end);
  n += sizeof end;
  const size_t length = n - data;
  out[data - 4] = (unsigned char)(length >> 24);
  out[data - 3] = (unsigned char)(length >> 16);
  out[data - 2] = (unsigned char)(length >> 8);
  out[data - 1] = (unsigned char)length;
  return n;
}

static double NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static void SleepMs(double ms) {
  if (ms <= 0) return;
  struct timespec t = {(time_t)(ms / 1000), (long)((ms - (time_t)(ms / 1000) * 1000) * 1e6)};
  nanosleep(&t, NULL);
}

static int Compare(const void* a, const void* b) {
  const double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

static void Report(const char* what, double* values, int count) {
  qsort(values, (size_t)count, sizeof *values, Compare);
  printf("%-34s median %7.3f ms  max %7.3f ms  (%d calls)\n", what, values[count / 2],
         values[count - 1], count);
}

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? atoi(argv[1]) : 20;
  if (rounds <= 0) return 2;
  setenv("VONDRA_OUTPUT", "fluidsynth", 1);

  static unsigned char image[4096];
  char path[] = "/tmp/vondra-stop-bench-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return 1;
  const size_t size = BuildSong(image);
  const int written = write(fd, image, size) == (ssize_t)size;
  close(fd);
  SongHandle song = written ? mmsCreateHandle(path) : NULL;
  unlink(path);
  if (!song) return 1;
  mmsInit(10);

  double* stops = calloc((size_t)rounds, sizeof(double));
  double* plays = calloc((size_t)rounds, sizeof(double));
  int statusAfterStop = 0;
  for (int i = 0; i < rounds; ++i) {
    mmsPlay(song, 1);
    SleepMs(200);
    double start = NowMs();
    mmsStop();
    stops[i] = NowMs() - start;
    statusAfterStop |= mmsGetStatus();
    start = NowMs();
    mmsPlay(song, 1); /* at once after a stop */
    plays[i] = NowMs() - start;
    SleepMs(600);
  }
  Report("mmsStop returns after", stops, rounds);
  Report("mmsPlay right after a stop returns", plays, rounds);
  printf("status right after each stop: %s\n", statusAfterStop ? "not always 0" : "0");

  /* The game's frame loop: a stop, a new tune over a playing one, a fade and a play after it. */
  double longest = 0;
  int stalled = 0;
  const double begin = NowMs();
  for (int frame = 0; frame < kLoopFrames; ++frame) {
    const double due = begin + frame * kFrameMs;
    SleepMs(due - NowMs());
    const double start = NowMs();
    switch (frame % 100) {
      case 10:
        mmsStop();
        break;
      case 20:
        mmsPlay(song, 1);
        break;
      case 40:
        mmsPlay(song, 0);
        break;
      case 60:
        mmsFadeout(500);
        break;
      case 90:
        mmsPlay(song, 1);
        break;
      default:
        mmsGetStatus();
        break;
    }
    const double took = NowMs() - start;
    if (took > longest) longest = took;
    stalled += took > kFrameMs;
  }
  printf("frame loop (%d frames of %d ms): longest call %.3f ms, frames stalled %d\n", kLoopFrames,
         kFrameMs, longest, stalled);
  mmsStop();
  mmsDestroyHandle(song);
  mmsEnd();
  free(stops);
  free(plays);
  return 0;
}
