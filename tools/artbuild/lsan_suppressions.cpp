// Fontconfig, which cairo uses for placeholder lettering, keeps its font cache for the life
// of the process; LeakSanitizer reports that cache at exit. Only that library is excused.
// In AddressSanitizer builds every program that links artbuild (dxgtool and svgembed at build
// time, and the tests) compiles this file in, through artbuild's interface sources.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
