// Compiled into programs that use FluidSynth in ThreadSanitizer builds only.
// FluidSynth renders with OpenMP; ThreadSanitizer cannot see libgomp's own synchronisation and
// reports its internal allocations as races. Only reports from inside libgomp are silenced.
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libgomp.so.1\n"
         "race:libgomp.so.1\n";
}
