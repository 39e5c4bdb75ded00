#include "tools/mmlc/mml_compiler.h"

#include <algorithm>
#include <optional>

#include "tools/mmlc/smf_writer.h"

namespace mmlc {
namespace {

// A tune is a few minutes long; these bounds only stop runaway repeats.
constexpr size_t kMaxEventsPerTrack = 1'000'000;
// Repeats of commands that neither sound nor take time ([v1]999 nested) would otherwise run
// for hours before any other bound is reached.
constexpr int64_t kMaxStepsPerTrack = 20'000'000;
constexpr int64_t kMaxSongTicks = int64_t{1} << 27;  // delta times stay within 4-byte quantities
constexpr int kMaxTracks = 63;                       // plus the conductor: the player's 64 cursors
constexpr int kDefaultVolume = 100;
constexpr int kVolumeController = 7;

// The General MIDI "system on" message, so every tune starts from the same sound set.
const std::vector<uint8_t> kGmReset{0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7};

Event MetaText(int64_t tick, uint8_t type, const std::string& text) {
  Event e{tick, EventOrder::Setup, {0xFF, type}};
  AppendVarLen(e.bytes, static_cast<uint32_t>(text.size()));
  e.bytes.insert(e.bytes.end(), text.begin(), text.end());
  return e;
}

Event TempoEvent(int64_t tick, int quartersPerMinute) {
  const uint32_t micros = 60'000'000u / static_cast<uint32_t>(quartersPerMinute);
  return {tick,
          EventOrder::Setup,
          {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
           static_cast<uint8_t>(micros)}};
}

Event TimeSignatureEvent(int64_t tick, int numerator, int denominator) {
  uint8_t power = 0;
  while ((1 << power) < denominator) ++power;
  // 24 MIDI clocks per metronome click, 8 thirty-second notes per quarter: the usual values.
  return {
      tick, EventOrder::Setup, {0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator), power, 24, 8}};
}

Event LoopCue(int64_t tick) {
  Event e = MetaText(tick, 0x07, "repeat");
  e.order = EventOrder::LoopCue;
  return e;
}

struct LoopMarkSeen {
  int64_t tick;
  SourcePos pos;
};

// Plays one track's commands into events, keeping the running state of MML.
class Performer {
 public:
  Performer(int timebase, Track& track, Track& conductor)
      : timebase_(timebase), track_(track), conductor_(conductor), channel_(track.channel) {
    defaultLength_ = timebase_;
  }

  void Perform(const std::vector<Command>& body) {
    PerformList(body, false);
    if (pendingTie_)
      throw MmlError(pendingTie_->pos, "a tie '&' at the end of the track has no note to join");
  }

  int64_t Now() const { return now_; }
  const std::optional<LoopMarkSeen>& LoopMark() const { return loopMark_; }

 private:
  struct Tie {
    int note;
    int64_t start;
    int64_t ticks;
    SourcePos pos;
  };

  // Returns true when a '/' ended the list on its last pass.
  bool PerformList(const std::vector<Command>& list, bool lastPass) {
    for (const Command& cmd : list) {
      if (++steps_ > kMaxStepsPerTrack) {
        throw MmlError(cmd.pos, "the track is too long: its repeats run more than " +
                                    std::to_string(kMaxStepsPerTrack) + " commands");
      }
      if (cmd.op == Op::Break) {
        if (lastPass) return true;
        continue;
      }
      PerformOne(cmd);
    }
    return false;
  }

  int64_t PartTicks(const LengthPart& part, SourcePos pos) const {
    int64_t ticks = defaultLength_;
    if (part.divisor != 0) {
      const int64_t whole = int64_t{4} * timebase_;
      if (whole % part.divisor != 0) {
        throw MmlError(pos, "length " + std::to_string(part.divisor) +
                                " does not divide a whole note of " + std::to_string(whole) +
                                " ticks evenly");
      }
      ticks = whole / part.divisor;
    }
    int64_t add = ticks;
    for (int i = 0; i < part.dots; ++i) {
      if (add % 2 != 0)
        throw MmlError(pos, "too many dots: the length is no longer a whole number of ticks");
      add /= 2;
      ticks += add;
    }
    return ticks;
  }

  int64_t Ticks(const Command& cmd) const {
    int64_t total = 0;
    for (const LengthPart& part : cmd.length) total += PartTicks(part, cmd.pos);
    return total;
  }

  int NoteNumber(const Command& cmd, int octave) const {
    if (cmd.absolute) return cmd.value;
    const int note = (octave + 1) * 12 + cmd.value;
    if (note < 0 || note > 127) {
      throw MmlError(cmd.pos, "note " + std::to_string(note) + " is outside the MIDI range 0-127");
    }
    return note;
  }

  void Emit(Event e, SourcePos pos) {
    if (track_.events.size() >= kMaxEventsPerTrack) {
      throw MmlError(pos, "the track is too long: more than " + std::to_string(kMaxEventsPerTrack) +
                              " events after repeats");
    }
    track_.events.push_back(std::move(e));
  }

  void Advance(int64_t ticks, SourcePos pos) {
    now_ += ticks;
    if (now_ > kMaxSongTicks) throw MmlError(pos, "the track is too long");
  }

  void Sound(int note, int64_t start, int64_t ticks, SourcePos pos) {
    const int64_t sounding = std::max<int64_t>(1, ticks * gate_ / 8);
    const auto ch = static_cast<uint8_t>(channel_);
    Emit({start,
          EventOrder::NoteOn,
          {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(note),
           static_cast<uint8_t>(velocity_)}},
         pos);
    Emit({start + sounding,
          EventOrder::NoteOff,
          {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(note), 64}},
         pos);
  }

  void PerformNote(const Command& cmd) {
    const int note = NoteNumber(cmd, octave_);
    const int64_t ticks = Ticks(cmd);
    int64_t start = now_;
    int64_t total = ticks;
    if (pendingTie_) {
      if (pendingTie_->note != note) {
        throw MmlError(cmd.pos, "a tie '&' must join two notes of the same pitch");
      }
      start = pendingTie_->start;
      total += pendingTie_->ticks;
      pendingTie_.reset();
    }
    if (cmd.tieNext) {
      pendingTie_ = Tie{note, start, total, cmd.pos};
    } else {
      Sound(note, start, total, cmd.pos);
    }
    Advance(ticks, cmd.pos);
  }

  void RequireNoTie(const Command& cmd) {
    if (pendingTie_)
      throw MmlError(cmd.pos, "a tie '&' must be followed by a note of the same pitch");
  }

  void PerformChord(const Command& cmd) {
    RequireNoTie(cmd);
    const int64_t ticks = Ticks(cmd);
    int octave = octave_;  // octave changes inside a chord stay inside it
    for (const Command& part : cmd.body) {
      if (part.op == Op::OctaveUp) {
        ++octave;
      } else if (part.op == Op::OctaveDown) {
        --octave;
      } else if (part.op == Op::Octave) {
        octave = part.value;
      } else {
        Sound(NoteNumber(part, octave), now_, ticks, part.pos);
      }
    }
    Advance(ticks, cmd.pos);
  }

  void Control(int controller, int value, SourcePos pos) {
    Emit({now_,
          EventOrder::Setup,
          {static_cast<uint8_t>(0xB0 | channel_), static_cast<uint8_t>(controller),
           static_cast<uint8_t>(value)}},
         pos);
  }

  void PerformOne(const Command& cmd) {
    switch (cmd.op) {
      case Op::Note:
        PerformNote(cmd);
        return;
      case Op::Rest:
        RequireNoTie(cmd);
        Advance(Ticks(cmd), cmd.pos);
        return;
      case Op::Chord:
        PerformChord(cmd);
        return;
      case Op::Octave:
        octave_ = cmd.value;
        return;
      case Op::OctaveUp:
        if (octave_ >= 9) throw MmlError(cmd.pos, "'>' goes above octave 9");
        ++octave_;
        return;
      case Op::OctaveDown:
        if (octave_ <= 0) throw MmlError(cmd.pos, "'<' goes below octave 0");
        --octave_;
        return;
      case Op::DefaultLength:
        defaultLength_ = PartTicks(cmd.length[0], cmd.pos);
        return;
      case Op::Velocity:
        velocity_ = cmd.value;
        return;
      case Op::Gate:
        gate_ = cmd.value;
        return;
      case Op::Program:
        Emit({now_,
              EventOrder::Setup,
              {static_cast<uint8_t>(0xC0 | channel_), static_cast<uint8_t>(cmd.value)}},
             cmd.pos);
        return;
      case Op::Control:
        Control(cmd.value, cmd.value2, cmd.pos);
        return;
      case Op::Tempo:
        conductor_.events.push_back(TempoEvent(now_, cmd.value));
        return;
      case Op::TimeSignature:
        conductor_.events.push_back(TimeSignatureEvent(now_, cmd.value, cmd.value2));
        return;
      case Op::Text:
        Emit(MetaText(now_, static_cast<uint8_t>(cmd.value), cmd.text), cmd.pos);
        return;
      case Op::LoopMark:
        RequireNoTie(cmd);
        if (loopMark_) {
          throw MmlError(cmd.pos, "a second loop mark L in this track (the first is on line " +
                                      std::to_string(loopMark_->pos.line) + ")");
        }
        loopMark_ = LoopMarkSeen{now_, cmd.pos};
        return;
      case Op::Repeat:
        for (int pass = 1; pass <= cmd.value; ++pass) {
          if (PerformList(cmd.body, pass == cmd.value)) break;
        }
        return;
      case Op::Break:
      case Op::Title:
      case Op::Copyright:
      case Op::Timebase:
        return;  // handled by PerformList or the header
    }
  }

  int timebase_;
  Track& track_;
  Track& conductor_;
  int channel_;
  int64_t now_ = 0;
  int64_t steps_ = 0;
  int octave_ = 4;
  int64_t defaultLength_ = 0;
  int velocity_ = 100;
  int gate_ = 8;
  std::optional<Tie> pendingTie_;
  std::optional<LoopMarkSeen> loopMark_;
};

bool HasVolumeAtStart(const Track& track) {
  return std::any_of(track.events.begin(), track.events.end(), [](const Event& e) {
    return e.tick == 0 && e.bytes.size() == 3 && (e.bytes[0] & 0xF0) == 0xB0 &&
           e.bytes[1] == kVolumeController;
  });
}

}  // namespace

Song CompileMml(std::string_view text) {
  const Document doc = ParseMml(text);
  if (doc.tracks.empty()) throw MmlError(SourcePos{}, "the text has no #track");
  if (static_cast<int>(doc.tracks.size()) > kMaxTracks) {
    throw MmlError(doc.tracks[kMaxTracks].pos,
                   "more than " + std::to_string(kMaxTracks) + " tracks");
  }

  Song song;
  song.tracks.resize(1 + doc.tracks.size());
  Track& conductor = song.tracks[0];

  // The conductor opens with the reset, then the song's texts and its starting metre.
  conductor.events.push_back({0, EventOrder::Setup, kGmReset});
  bool tempoAtStart = false;
  bool metreAtStart = false;
  for (const Command& cmd : doc.header) {
    switch (cmd.op) {
      case Op::Timebase:
        song.timebase = cmd.value;
        break;
      case Op::Title:
        conductor.name = cmd.text;
        conductor.events.push_back(MetaText(0, 0x03, cmd.text));
        break;
      case Op::Copyright:
        conductor.events.push_back(MetaText(0, 0x02, cmd.text));
        break;
      case Op::Text:
        conductor.events.push_back(MetaText(0, static_cast<uint8_t>(cmd.value), cmd.text));
        break;
      case Op::Tempo:
        conductor.events.push_back(TempoEvent(0, cmd.value));
        tempoAtStart = true;
        break;
      case Op::TimeSignature:
        conductor.events.push_back(TimeSignatureEvent(0, cmd.value, cmd.value2));
        metreAtStart = true;
        break;
      default:
        break;
    }
  }
  if (!metreAtStart) conductor.events.push_back(TimeSignatureEvent(0, 4, 4));
  if (!tempoAtStart) conductor.events.push_back(TempoEvent(0, 120));

  std::optional<LoopMarkSeen> loop;
  int64_t end = 0;
  for (size_t i = 0; i < doc.tracks.size(); ++i) {
    const TrackSource& source = doc.tracks[i];
    Track& track = song.tracks[i + 1];
    track.name = source.name;
    track.channel = source.channel;
    if (!source.name.empty()) track.events.push_back(MetaText(0, 0x03, source.name));
    Performer performer(song.timebase, track, conductor);
    performer.Perform(source.body);
    // A fade scales the last volume the player saw, so every track states its own.
    if (!HasVolumeAtStart(track)) {
      track.events.insert(
          track.events.begin() + (source.name.empty() ? 0 : 1),
          Event{0,
                EventOrder::Setup,
                {static_cast<uint8_t>(0xB0 | track.channel), kVolumeController, kDefaultVolume}});
    }
    end = std::max(end, performer.Now());
    if (const auto& mark = performer.LoopMark()) {
      if (loop && loop->tick != mark->tick) {
        throw MmlError(mark->pos, "the loop mark is at tick " + std::to_string(mark->tick) +
                                      " here but at tick " + std::to_string(loop->tick) +
                                      " on line " + std::to_string(loop->pos.line) +
                                      "; tracks must loop together");
      }
      if (!loop) loop = mark;
    }
  }
  for (const Event& e : conductor.events) end = std::max(end, e.tick);

  song.endTick = end;
  if (loop) {
    if (loop->tick >= end) {
      throw MmlError(loop->pos, "nothing follows the loop mark: the loop would have no length");
    }
    song.loopTick = loop->tick;
    // Each track loops on its own, so every track carries the cue at the same tick.
    for (Track& track : song.tracks) track.events.push_back(LoopCue(loop->tick));
  }
  return song;
}

}  // namespace mmlc
