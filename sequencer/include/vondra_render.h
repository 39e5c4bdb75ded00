/*
 * vondra extensions outside the mms family, for tools built on the library (vondra-play): whether
 * mmsInit found an output, the ALSA sequencer ports it can play to, the counts of the recording
 * output, and offline rendering through the built-in synthesizer.
 *
 * An offline renderer has a player of its own on a virtual clock: it never touches the output,
 * song or position of the mms calls, and it runs only as far as vondraRenderAdvance moves it,
 * as fast as the machine allows. The engine runs exactly as on the player thread (every half
 * period), and the audio of each stretch of virtual time is rendered as it passes, also during
 * the pauses of a stop. One renderer belongs to one thread.
 */
#ifndef VONDRA_RENDER_H
#define VONDRA_RENDER_H

#include <stddef.h>
#include <stdint.h>

#include "vondra.h"

#ifdef __cplusplus
extern "C" {
#endif

/* 1 when the last mmsInit opened a MIDI output and the player runs, 0 otherwise (mmsInit
 * answers 0 in both cases). */
VONDRA_API int32_t vondraOutputReady(void);

/* Receives one line per port: "client:port  client name  port name". */
typedef void (*VondraPortVisitor)(const char* line, void* context);

/* Calls `visit(line, context)` for every ALSA sequencer port of another client that can be written
 * to (the ports VONDRA_MIDI_PORT may name); `visit` may be null to count only. Answers the number
 * of ports, or -1 when the machine has no ALSA sequencer. Any thread; independent of mmsInit. */
VONDRA_API int32_t vondraListPorts(VondraPortVisitor visit, void* context);

/* VONDRA_OUTPUT=record opens an output that sends nothing and counts what reaches it: messages
 * (short and System Exclusive), note-ons, note-offs (with note-ons of velocity 0), silences (a
 * stop, the song's end, a pause), the notes sounding now (released by note-offs, all notes off,
 * all sound off and silences) and note-ons that came after a silence before the next song began.
 * Opening it starts the counts afresh; they stay readable after mmsEnd. */
typedef struct VondraRecordCounts {
  uint64_t messages;
  uint64_t noteOns;
  uint64_t noteOffs;
  uint64_t silences;
  int32_t sounding;
  int32_t notesAfterStop;
} VondraRecordCounts;

/* Fills `counts` with the counts of the recording output last opened and answers 1; answers 0
 * and leaves `counts` alone when none was ever opened. Any thread. */
VONDRA_API int32_t vondraRecordCounts(VondraRecordCounts* counts);

/* The audio format of a render: interleaved stereo, signed 16-bit samples at this rate. */
enum { VONDRA_RENDER_SAMPLE_RATE = 44100, VONDRA_RENDER_CHANNELS = 2 };

typedef struct VondraRenderer VondraRenderer;

/* Loads the synthesizer with `soundFont` (null or "" for the default search that mmsInit uses)
 * and a player with a 10 ms period. Null when the synthesizer or its SoundFont cannot be
 * loaded. */
VONDRA_API VondraRenderer* vondraRenderOpen(const char* soundFont);

/* Frees the renderer, its player and its samples; null is ignored. */
VONDRA_API void vondraRenderClose(VondraRenderer* renderer);

/* Starts the song as mmsPlay (invert 0) or mmsInvertPlay (invert 1) would, with the same
 * answers; inverted play mirrors about the averages of the last mmsSMFAnalysis. The handle's
 * image is copied, so the handle may be destroyed afterwards. */
VONDRA_API int32_t vondraRenderPlay(VondraRenderer* renderer, SongHandle handle, int32_t repeat,
                                    int32_t invert);

/* Moves virtual time on by `ms`, running the engine and rendering the audio. */
VONDRA_API void vondraRenderAdvance(VondraRenderer* renderer, uint32_t ms);

/* As mmsFadeout and mmsStop; the stop's pauses pass in virtual time and are rendered. */
VONDRA_API void vondraRenderFadeout(VondraRenderer* renderer, int32_t fadeTime);
VONDRA_API void vondraRenderStop(VondraRenderer* renderer);

/* 1 while the song plays, 0 when it has ended or been stopped. */
VONDRA_API int32_t vondraRenderPlaying(const VondraRenderer* renderer);

/* Virtual milliseconds since the renderer was opened. */
VONDRA_API uint32_t vondraRenderTime(const VondraRenderer* renderer);

/* Everything rendered so far; `frames` receives the number of sample frames (each
 * VONDRA_RENDER_CHANNELS samples). Valid until the next call on the renderer. */
VONDRA_API const int16_t* vondraRenderSamples(const VondraRenderer* renderer, size_t* frames);

#ifdef __cplusplus
}
#endif

#endif /* VONDRA_RENDER_H */
