// Recursive-descent reader of the music text; see README.md for the grammar.
#include <cctype>
#include <limits>

#include "tools/mmlc/mml_syntax.h"

namespace mmlc {

MmlError::MmlError(SourcePos where, const std::string& why)
    : std::runtime_error("line " + std::to_string(where.line) + ", column " +
                         std::to_string(where.column) + ": " + why),
      pos(where),
      reason(why) {}

namespace {

constexpr int kMaxRepeatDepth = 16;
constexpr int kMaxRepeatCount = 999;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Document Run() {
    Document doc;
    for (;;) {
      SkipBlank();
      if (AtEnd()) break;
      if (Peek() == '#') {
        Directive(doc);
        continue;
      }
      if (doc.tracks.empty()) Fail(Here(), "music before the first #track");
      Commands(doc.tracks.back().body, 0, /*inChordOrRepeat=*/false);
    }
    return doc;
  }

 private:
  // ---- character level ----
  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
  SourcePos Here() const { return pos_; }
  char Take() {
    const char c = text_[at_++];
    if (c == '\n') {
      ++pos_.line;
      pos_.column = 1;
    } else {
      ++pos_.column;
    }
    return c;
  }
  [[noreturn]] static void Fail(SourcePos where, const std::string& why) {
    throw MmlError(where, why);
  }

  // Whitespace, bar lines and ";" comments separate commands.
  void SkipBlank() {
    while (!AtEnd()) {
      const char c = Peek();
      if (c == ';') {
        while (!AtEnd() && Peek() != '\n') Take();
      } else if (std::isspace(static_cast<unsigned char>(c)) || c == '|') {
        Take();
      } else {
        return;
      }
    }
  }
  // Blanks within one line (directive arguments).
  void SkipSpacesOnLine() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r')) Take();
  }

  bool HasDigit() const { return std::isdigit(static_cast<unsigned char>(Peek())) != 0; }

  int Number(const char* what) {
    const SourcePos where = Here();
    bool negative = false;
    if (Peek() == '-') {
      negative = true;
      Take();
    }
    if (!HasDigit()) Fail(where, std::string("expected a number for ") + what);
    long long value = 0;
    while (HasDigit()) {
      value = value * 10 + (Take() - '0');
      if (value > std::numeric_limits<int>::max()) Fail(where, std::string(what) + " is too large");
    }
    return static_cast<int>(negative ? -value : value);
  }

  int NumberIn(const char* what, int low, int high) {
    const SourcePos where = Here();
    const int value = Number(what);
    if (value < low || value > high) {
      Fail(where, std::string(what) + " " + std::to_string(value) + " is outside " +
                      std::to_string(low) + "-" + std::to_string(high));
    }
    return value;
  }

  // ---- lengths ----
  LengthPart OptionalLength() {
    LengthPart part;
    if (HasDigit()) part.divisor = NumberIn("note length", 1, 1920);
    while (Peek() == '.') {
      Take();
      ++part.dots;
    }
    return part;
  }

  void LengthWithTies(Command& cmd) {
    cmd.length.push_back(OptionalLength());
    Ties(cmd);
  }

  // "^" extensions after a length.
  void Ties(Command& cmd) {
    for (;;) {
      SkipBlank();
      if (Peek() != '^') break;
      Take();
      cmd.length.push_back(OptionalLength());
    }
  }

  // ---- notes ----
  static int PitchClass(char letter) {
    switch (letter) {
      case 'c':
        return 0;
      case 'd':
        return 2;
      case 'e':
        return 4;
      case 'f':
        return 5;
      case 'g':
        return 7;
      case 'a':
        return 9;
      default:
        return 11;  // 'b'
    }
  }

  Command Note(bool withLength) {
    Command cmd;
    cmd.op = Op::Note;
    cmd.pos = Here();
    cmd.value = PitchClass(Take());
    while (Peek() == '+' || Peek() == '#' || Peek() == '-') cmd.value += (Take() == '-') ? -1 : 1;
    if (withLength) LengthWithTies(cmd);
    return cmd;
  }

  // After the '(' at `where`.
  Command Chord(SourcePos where) {
    Command chord;
    chord.op = Op::Chord;
    chord.pos = where;
    for (;;) {
      SkipBlank();
      if (AtEnd()) Fail(chord.pos, "chord '(' is never closed with ')'");
      const char c = Peek();
      if (c == ')') {
        Take();
        break;
      }
      if (c >= 'a' && c <= 'g') {
        chord.body.push_back(Note(false));
      } else if (c == 'n') {
        Command number;
        number.op = Op::Note;
        number.pos = Here();
        number.absolute = true;
        Take();
        number.value = NumberIn("note number", 0, 127);
        chord.body.push_back(number);
      } else if (c == '>' || c == '<') {
        Command shift;
        shift.pos = Here();
        shift.op = (Take() == '>') ? Op::OctaveUp : Op::OctaveDown;
        chord.body.push_back(shift);
      } else if (c == 'o') {
        Command octave;
        octave.pos = Here();
        Take();
        octave.op = Op::Octave;
        octave.value = NumberIn("octave", 0, 9);
        chord.body.push_back(octave);
      } else {
        Fail(Here(), std::string("'") + c + "' cannot stand inside a chord");
      }
    }
    bool anyNote = false;
    for (const Command& c : chord.body) anyNote = anyNote || c.op == Op::Note;
    if (!anyNote) Fail(chord.pos, "empty chord");
    LengthWithTies(chord);
    return chord;
  }

  // ---- track commands ----
  void Commands(std::vector<Command>& out, int depth, bool insideRepeat) {
    for (;;) {
      SkipBlank();
      if (AtEnd()) return;
      const char c = Peek();
      if (c == '#') {
        if (depth > 0) Fail(Here(), "directives cannot stand inside a [ ] repeat");
        return;
      }
      if (c == ']') {
        if (depth == 0) Fail(Here(), "']' without a matching '['");
        return;
      }
      out.push_back(OneCommand(depth, insideRepeat));
    }
  }

  Command OneCommand(int depth, bool insideRepeat) {
    Command cmd;
    cmd.pos = Here();
    const char c = Peek();
    if (c >= 'a' && c <= 'g') {
      Command note = Note(true);
      SkipBlank();
      if (Peek() == '&') {
        Take();
        note.tieNext = true;
      }
      return note;
    }
    Take();
    switch (c) {
      case 'n':
        cmd.op = Op::Note;
        cmd.absolute = true;
        cmd.value = NumberIn("note number", 0, 127);
        if (Peek() == ',') {
          Take();
          cmd.length.push_back(OptionalLength());
        } else {
          cmd.length.push_back(LengthPart{});
        }
        Ties(cmd);
        SkipBlank();
        if (Peek() == '&') {
          Take();
          cmd.tieNext = true;
        }
        return cmd;
      case 'r':
        cmd.op = Op::Rest;
        LengthWithTies(cmd);
        return cmd;
      case '(':
        return Chord(cmd.pos);
      case 'o':
        cmd.op = Op::Octave;
        cmd.value = NumberIn("octave", 0, 9);
        return cmd;
      case '>':
        cmd.op = Op::OctaveUp;
        return cmd;
      case '<':
        cmd.op = Op::OctaveDown;
        return cmd;
      case 'l':
        cmd.op = Op::DefaultLength;
        cmd.length.push_back(OptionalLength());
        if (cmd.length[0].divisor == 0) Fail(cmd.pos, "'l' needs a length, as in l8");
        return cmd;
      case 'v':
        cmd.op = Op::Velocity;
        cmd.value = NumberIn("velocity", 1, 127);
        return cmd;
      case 'q':
        cmd.op = Op::Gate;
        cmd.value = NumberIn("gate", 1, 8);
        return cmd;
      case '@':
        cmd.op = Op::Program;
        cmd.value = NumberIn("program", 0, 127);
        return cmd;
      case 'V':
      case 'p':
      case 'E':
        cmd.op = Op::Control;
        cmd.value = (c == 'V') ? 7 : (c == 'p') ? 10 : 11;
        cmd.value2 = NumberIn(c == 'V' ? "volume" : c == 'p' ? "pan" : "expression", 0, 127);
        return cmd;
      case 'y':
        cmd.op = Op::Control;
        cmd.value = NumberIn("controller", 0, 119);
        if (Peek() != ',') Fail(Here(), "'y' needs a controller and a value, as in y64,127");
        Take();
        cmd.value2 = NumberIn("controller value", 0, 127);
        return cmd;
      case 't':
        cmd.op = Op::Tempo;
        cmd.value = NumberIn("tempo", 10, 600);
        return cmd;
      case 'L':
        if (insideRepeat) Fail(cmd.pos, "the loop mark L cannot stand inside a [ ] repeat");
        cmd.op = Op::LoopMark;
        return cmd;
      case '/':
        if (depth == 0) Fail(cmd.pos, "'/' outside a [ ] repeat");
        cmd.op = Op::Break;
        return cmd;
      case '[': {
        if (depth + 1 > kMaxRepeatDepth) Fail(cmd.pos, "repeats are nested too deeply");
        cmd.op = Op::Repeat;
        Commands(cmd.body, depth + 1, true);
        if (Peek() != ']') Fail(cmd.pos, "'[' is never closed with ']'");
        Take();
        cmd.value = HasDigit() ? NumberIn("repeat count", 1, kMaxRepeatCount) : 2;
        return cmd;
      }
      case '&':
        Fail(cmd.pos, "'&' must follow a note");
      case '^':
        Fail(cmd.pos, "'^' must follow a note, chord or rest");
      default:
        Fail(cmd.pos, std::string("unknown command '") + c + "'");
    }
  }

  // ---- directives ----
  std::string Word() {
    std::string word;
    while (std::isalpha(static_cast<unsigned char>(Peek()))) word += Take();
    return word;
  }

  std::string Quoted(const std::string& directive) {
    SkipSpacesOnLine();
    const SourcePos where = Here();
    if (Peek() != '"') Fail(where, "#" + directive + " needs a text in double quotes");
    Take();
    std::string text;
    for (;;) {
      if (AtEnd() || Peek() == '\n') Fail(where, "the text is never closed with '\"'");
      char c = Take();
      if (c == '"') break;
      if (c == '\\' && (Peek() == '"' || Peek() == '\\')) c = Take();
      text += c;
    }
    return text;
  }

  void EndOfLine(const std::string& directive) {
    SkipSpacesOnLine();
    if (!AtEnd() && Peek() != '\n' && Peek() != ';') {
      Fail(Here(), "unexpected text after #" + directive);
    }
  }

  void Directive(Document& doc) {
    const SourcePos where = Here();
    Take();  // '#'
    const std::string word = Word();
    const bool inTrack = !doc.tracks.empty();
    Command cmd;
    cmd.pos = where;
    if (word == "track") {
      TrackSource track;
      track.pos = where;
      SkipSpacesOnLine();
      track.channel = NumberIn("channel", 1, 16) - 1;
      SkipSpacesOnLine();
      if (Peek() == '"') track.name = Quoted(word);
      EndOfLine(word);
      doc.tracks.push_back(std::move(track));
      return;
    }
    if (word == "title" || word == "copyright" || word == "timebase") {
      if (inTrack) Fail(where, "#" + word + " belongs before the first #track");
      if (word == "timebase") {
        SkipSpacesOnLine();
        cmd.op = Op::Timebase;
        cmd.value = NumberIn("timebase", 24, 32767);
      } else {
        cmd.op = (word == "title") ? Op::Title : Op::Copyright;
        cmd.text = Quoted(word);
      }
    } else if (word == "text" || word == "marker") {
      cmd.op = Op::Text;
      cmd.value = (word == "text") ? 1 : 6;
      cmd.text = Quoted(word);
    } else if (word == "tempo") {
      SkipSpacesOnLine();
      cmd.op = Op::Tempo;
      cmd.value = NumberIn("tempo", 10, 600);
    } else if (word == "timesig") {
      SkipSpacesOnLine();
      cmd.op = Op::TimeSignature;
      cmd.value = NumberIn("time signature numerator", 1, 64);
      if (Peek() != '/') Fail(Here(), "#timesig needs a fraction, as in 3/4");
      Take();
      const SourcePos denominatorAt = Here();
      cmd.value2 = NumberIn("time signature denominator", 1, 64);
      if ((cmd.value2 & (cmd.value2 - 1)) != 0) {
        Fail(denominatorAt, "time signature denominator must be a power of two");
      }
    } else if (word.empty()) {
      Fail(where, "'#' must begin a directive such as #track");
    } else {
      Fail(where, "unknown directive #" + word);
    }
    EndOfLine(word);
    if (inTrack) {
      doc.tracks.back().body.push_back(std::move(cmd));
    } else {
      doc.header.push_back(std::move(cmd));
    }
  }

  std::string_view text_;
  size_t at_ = 0;
  SourcePos pos_;
};

}  // namespace

Document ParseMml(std::string_view text) {
  return Parser(text).Run();
}

}  // namespace mmlc
