/*
 * vondra: a Standard MIDI File player with a plain C interface.
 *
 * One player per process. All state (the open output, the song being played, the channel
 * picture, the analysis results) is library-wide; a SongHandle is only a file image in memory.
 * Playback runs on the library's own player thread, started by mmsInit.
 *
 * Threads: the play-control calls (mmsInit, mmsEnd, mmsPlay, mmsInvertPlay, mmsStop,
 * mmsFadeout, mmsDestroyHandle) and the analysis belong to one caller thread at a time. The
 * status queries may be called from any thread at any time; they read values the player
 * thread is changing and may see the picture between two events, never a torn value.
 *
 * Integers are 32-bit. Texts returned by the library belong to it and stay valid until the next
 * call that rewrites them.
 */
#ifndef VONDRA_H
#define VONDRA_H

#include <stdint.h>

#if defined(__GNUC__)
#define VONDRA_API __attribute__((visibility("default")))
#else
#define VONDRA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A song file image in memory; 0 stands for no handle. */
typedef struct VondraSong* SongHandle;

/* ---- Lifecycle --------------------------------------------------------------------------- */

/* Opens the MIDI output and starts the player thread, which runs the engine every `period`
 * milliseconds (raised, with a warning message, to the timer's minimum). Returns 0 when ready,
 * and also 0 when no output can be opened (the library then stays uninitialised and plays
 * nothing); 2 when the System Exclusive buffer cannot be allocated. The output is chosen by
 * VONDRA_OUTPUT: "fluidsynth" (default, the built-in synthesizer; VONDRA_SOUNDFONT names the
 * SoundFont), "alsa" (the ALSA sequencer port in VONDRA_MIDI_PORT, or the first synthesizer
 * port) or "none". Calling it again ends the previous session first. */
VONDRA_API int32_t mmsInit(uint32_t period);

/* Stops playback, closes the output and ends the player thread. Always returns 0. mmsInit may
 * be called again afterwards. */
VONDRA_API int32_t mmsEnd(void);

/* Reads the whole file into a new handle; returns 0 when the file cannot be opened or read.
 * The file's format is examined only when it is played or analysed. */
VONDRA_API SongHandle mmsCreateHandle(const char* fileName);

/* Frees a handle; 0 and unknown handles are ignored. A handle that is playing is stopped
 * first. */
VONDRA_API void mmsDestroyHandle(SongHandle handle);

/* ---- Play control ------------------------------------------------------------------------ */

/* Stops whatever plays, then starts the song; repeat 1 loops every track (a "repeat" cue point
 * sets a track's loop start). Returns 0 when playing, 1 when not started (handle 0 or unknown,
 * no "MThd", a missing "MTrk" chunk, a zero division). */
VONDRA_API int32_t mmsPlay(SongHandle handle, int32_t repeat);

/* As mmsPlay, with every note except those on channel index 9 mirrored about the C nearest
 * the channel's average note from the last analysis (60 without one). */
VONDRA_API int32_t mmsInvertPlay(SongHandle handle, int32_t repeat);

/* Ends playback at once: per channel, all notes off, all sound off and reset all controllers,
 * 10 ms apart (about half a second in all). Does nothing when nothing plays. */
VONDRA_API void mmsStop(void);

/* Lowers every channel's volume in 16 steps over `fadeTime` ms, then stops. */
VONDRA_API void mmsFadeout(int32_t fadeTime);

/* "Qarnwell SMF player VONDRA  ver.0.50", followed by " tp" after a successful mmsInit. */
VONDRA_API const char* mmsVersion(void);

/* ---- Status queries (any thread) --------------------------------------------------------- */

/* 0 stopped, 1 playing, 3 playing and fading. */
VONDRA_API int32_t mmsGetStatus(void);
/* Ticks played since play start while playing; 0 when stopped. */
VONDRA_API int32_t mmsGetTime(void);
/* Ticks per quarter note of the song playing or last played (48 before any). */
VONDRA_API int32_t mmsGetTimebase(void);
/* Quarter notes per minute (120.0 before any song). */
VONDRA_API double mmsGetTempo(void);
/* Position: measure from 1, beat from 1, tick within the beat from 0. */
VONDRA_API int32_t mmsGetMeasure(void);
VONDRA_API int32_t mmsGetBeat(void);
VONDRA_API int32_t mmsGetTicktime(void);

/* Per channel `ch` 0-15; a channel or controller out of range answers 0. */
/* Last value of the controller, as the song gave it (unscaled by a fade). */
VONDRA_API int32_t mmsGetControl(int32_t ch, int32_t controller);
VONDRA_API int32_t mmsGetPitchbend(int32_t ch); /* -8192..8191 */
VONDRA_API int32_t mmsGetPressure(int32_t ch);  /* last channel pressure */
VONDRA_API int32_t mmsGetProgram(int32_t ch);   /* last program number */
/* Fills notes[0..127] with the channel's count of sounding note-ons per note number. */
VONDRA_API void mmsGetNotes(int32_t ch, int32_t* notes);
VONDRA_API int32_t mmsGetSendingNotes(int32_t ch);    /* notes sounding now */
VONDRA_API int32_t mmsGetMaxSendingNotes(int32_t ch); /* most at once since play start */
VONDRA_API int32_t mmsGetMaxNoteNumber(int32_t ch);   /* highest note sounded, -1 if none */
VONDRA_API int32_t mmsGetMinNoteNumber(int32_t ch);   /* lowest note sounded, -1 if none */

/* ---- File analysis (caller thread) ------------------------------------------------------- */

/* Allocates the analysis buffers: returns 1 if they already exist, 0 when this call made
 * them. */
VONDRA_API int32_t mmsSMFAnalysisInit(void);

/* Runs the whole song without sending anything and keeps its texts, length, end position and
 * per-channel note statistics (also used by mmsInvertPlay). Returns 0 when analysed (also when
 * bad data ended it early, after an error message), 1 when the buffers do not exist or the
 * handle is 0 or unknown, 2 when the image does not begin with "MThd". */
VONDRA_API int32_t mmsSMFAnalysis(SongHandle handle);

/* Results of the last analysis; 0 or a null pointer while the buffers do not exist. */
VONDRA_API int32_t mmsSMFAnalysisGetTime(void); /* length in ticks */
VONDRA_API int32_t mmsSMFAnalysisGetMeasure(void);
VONDRA_API int32_t mmsSMFAnalysisGetBeat(void);
VONDRA_API int32_t mmsSMFAnalysisGetTicktime(void);
/* Texts stamped "mmmm:b:ttt " and ended by "\r\n", one after the other. */
VONDRA_API const char* mmsSMFAnalysisGetTextEvent(void);
VONDRA_API const char* mmsSMFAnalysisGetCopyrightNotice(void);
VONDRA_API const char* mmsSMFAnalysisGetLyric(void);
/* Per entry 0-15 (the low four bits of the event's status byte, so names from meta events
 * collect in entry 15); out of range answers 0 or a null pointer. */
VONDRA_API const char* mmsSMFAnalysisGetSequenceTrackname(int32_t entry);
VONDRA_API const char* mmsSMFAnalysisGetInstrumentName(int32_t entry);
VONDRA_API int32_t mmsSMFAnalysisGetAverageNote(int32_t entry);
VONDRA_API int32_t mmsSMFAnalysisGetAverageVelocity(int32_t entry);
VONDRA_API int32_t mmsSMFAnalysisGetTotalNotes(int32_t entry);

/* ---- Messages ---------------------------------------------------------------------------- */

enum { VONDRA_MESSAGE_WARNING = 1, VONDRA_MESSAGE_ERROR = 2 };

/* Receives the library's messages: `title` is the banner "Qarnwell SMF player VONDRA ", `text`
 * the message (UTF-8). Called on the thread that hit the problem (the player thread for bad
 * data while playing), never while the library holds its engine lock, so the handler may call
 * back into the library. */
typedef void (*VondraMessageHandler)(void* user, int32_t kind, const char* title, const char* text);

/* Installs a handler; a null handler restores the default, which writes to standard error. */
VONDRA_API void vondraSetMessageHandler(VondraMessageHandler handler, void* user);

/* ---- Pause ------------------------------------------------------------------------------- */

/* Non-zero holds the song where it is: every sounding note is silenced (all notes off and all
 * sound off on each channel) and no event goes out until a call with zero goes on from the same
 * place, the pause not counted in the song's time or its fade. Nothing while nothing plays; a
 * stop or a new play ends the pause. */
VONDRA_API void vondraPause(int32_t paused);

/* ---- SoundFont --------------------------------------------------------------------------- */

/* Names the SoundFont the host's music was made for. The built-in synthesizer opened by later
 * calls of mmsInit loads it unless VONDRA_SOUNDFONT names another; when it cannot be loaded, the
 * system's default General MIDI font is used as if none had been named. A null or empty path
 * forgets it. */
VONDRA_API void vondraSetDefaultSoundFont(const char* path);

#ifdef __cplusplus
}
#endif

#endif /* VONDRA_H */
