// Compiled into the window program in ThreadSanitizer builds only. The X11 window is drawn
// through Mesa's software rasteriser, whose worker threads synchronise in ways ThreadSanitizer
// cannot see inside an uninstrumented driver; FluidSynth renders with OpenMP (libgomp), likewise.
// Only reports with a frame inside those libraries are silenced.
extern "C" const char* __tsan_default_suppressions() {
  return "race:swrast_dri.so\n"
         "called_from_lib:libgomp.so.1\n"
         "race:libgomp.so.1\n";
}
