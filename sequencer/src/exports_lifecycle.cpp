// The C interface: lifecycle, handles and play control.
#include <cstdio>

#include "sequencer/include/vondra.h"
#include "sequencer/midiout/fluidsynth_output.h"
#include "sequencer/src/library.h"

using vondra::TheLibrary;

extern "C" {

int32_t mmsInit(uint32_t period) {
  return TheLibrary().player.Init(period);
}

int32_t mmsEnd(void) {
  return TheLibrary().player.End();
}

SongHandle mmsCreateHandle(const char* fileName) {
  return TheLibrary().handles.Create(fileName);
}

void mmsDestroyHandle(SongHandle handle) {
  auto& library = TheLibrary();
  if (!handle || !library.handles.Find(handle)) return;
  library.player.Forget(handle);
  library.handles.Destroy(handle);
}

int32_t mmsPlay(SongHandle handle, int32_t repeat) {
  auto& library = TheLibrary();
  return library.player.Play(handle, library.handles.Find(handle), repeat, 0);
}

int32_t mmsInvertPlay(SongHandle handle, int32_t repeat) {
  auto& library = TheLibrary();
  return library.player.Play(handle, library.handles.Find(handle), repeat, 1);
}

void mmsStop(void) {
  TheLibrary().player.Stop();
}

void mmsFadeout(int32_t fadeTime) {
  TheLibrary().player.Fadeout(fadeTime);
}

void vondraPause(int32_t paused) {
  TheLibrary().player.Pause(paused != 0);
}

const char* mmsVersion(void) {
  auto& library = TheLibrary();
  std::snprintf(library.versionText, sizeof library.versionText, vondra::kVersionFormat,
                vondra::kBanner, vondra::kVersionNumber, library.player.VersionSuffix().c_str());
  return library.versionText;
}

void vondraSetMessageHandler(VondraMessageHandler handler, void* user) {
  TheLibrary().messages.SetHandler(handler, user);
}

void vondraSetDefaultSoundFont(const char* path) {
  vondra::SetDefaultSoundFont(path ? path : "");
}

}  // extern "C"
