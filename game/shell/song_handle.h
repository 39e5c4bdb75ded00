#pragma once
// The sequencer library's handle type, declared as its public header declares it, so
// the main window's logic compiles without the library; the programs that call the
// library include vondra.h too, and the two declarations must agree.
typedef struct VondraSong* SongHandle;
