#pragma once
// The name entry after a placed score: the new entry goes into the table with today's
// date, and the player picks up to six letters from a 13 x 5 grid of wobbling letters.
// "/" (or button 2) deletes the last letter; "*" ends the entry, stores the table and
// goes on to the continue screen (or the ending).
#include <cstdint>
#include <string_view>

#include "game/engine/actor.h"

namespace tolvane {

// The grid, row by row: 63 name characters, then the two commands.
inline constexpr std::string_view NameAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-/*";
inline constexpr int32_t kGridColumns = 13;
inline constexpr int32_t kGridRows = 5;
inline constexpr int32_t kNameCharacters = 63;
inline constexpr char kDeleteCommand = '/';
inline constexpr char kEndCommand = '*';

// Work words of the actor running the entry (the one that ran the game-over test).
// Work[kPlaceWord] (game_progress.h) holds the entry's place 0-9.
inline constexpr int kGridHolderWord = 40;
inline constexpr int kNameHeadingWord = 41;
inline constexpr int kNameDisplayWord = 42;
inline constexpr int kNameReaderWord = 43;
inline constexpr int kCursorColumnWord = 44;
inline constexpr int kCursorRowWord = 45;
// The grid holder's Work[k] is the slot of letter k (0-64); the name display's Work[0]
// is the place whose name it shows.
inline constexpr int kNameDisplayPlace = 0;

// The grid's character at (column, row); wraps into the grid.
char LetterAt(int32_t column, int32_t row);
// A name character's pattern in the letter picture (0-62), or -1 for any other character.
int32_t LetterPattern(char c);

void NameEntrySetup(TActor& actor);
void NameEntryMove(TActor& actor);
// DrawProc of the name display: the name's letters and the cursor, centred on x 240.
void NameDraw(TActor& actor);

}  // namespace tolvane
