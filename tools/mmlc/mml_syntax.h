#pragma once
// The parsed form of a music text: a header and tracks of commands, with repeats kept
// as nested bodies. Lengths stay symbolic until the track is performed, because the
// default length is a running state.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mmlc {

struct SourcePos {
  int line = 1;
  int column = 1;
};

// A refusal of the text; what() reads "line L, column C: reason".
class MmlError : public std::runtime_error {
 public:
  MmlError(SourcePos where, const std::string& why);
  SourcePos pos;
  std::string reason;
};

// The line a user sees: "song.mml:12:5: error: reason".
inline std::string FormatMmlError(const std::string& path, const MmlError& e) {
  return path + ":" + std::to_string(e.pos.line) + ":" + std::to_string(e.pos.column) +
         ": error: " + e.reason;
}

// One part of a note length: c4. is {4, 1}; a divisor of 0 means the default length.
struct LengthPart {
  int divisor = 0;
  int dots = 0;
};

enum class Op {
  Note,  // value: pitch class 0-11 plus accidental, or note number when absolute
  Rest,
  Chord,   // body: Note, OctaveUp/Down and Octave commands sounding together
  Octave,  // value
  OctaveUp,
  OctaveDown,
  DefaultLength,  // length[0]
  Velocity,       // value
  Gate,           // value 1-8
  Program,        // value
  Control,        // value: controller, value2: its value
  Tempo,          // value: quarter notes per minute
  TimeSignature,  // value / value2
  Text,           // text; value: meta type (1 text, 6 marker)
  LoopMark,
  Repeat,  // value: count; body
  Break,   // leaves the innermost repeat on its last pass
  // header only
  Title,
  Copyright,
  Timebase,
};

struct Command {
  Op op = Op::Note;
  SourcePos pos;
  int value = 0;
  int value2 = 0;
  bool absolute = false;           // note given by number (n60)
  bool tieNext = false;            // "&": the next note continues this one
  std::vector<LengthPart> length;  // the note's length and its "^" extensions
  std::vector<Command> body;
  std::string text;
};

struct TrackSource {
  SourcePos pos;
  int channel = 0;  // 0-15
  std::string name;
  std::vector<Command> body;
};

struct Document {
  std::vector<Command> header;  // directives before the first track
  std::vector<TrackSource> tracks;
};

// Throws MmlError for text that breaks the grammar (README.md).
Document ParseMml(std::string_view text);

}  // namespace mmlc
