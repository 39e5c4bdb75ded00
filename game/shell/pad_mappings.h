#pragma once
// Pad mappings given by the player (SDL_GAMECONTROLLERCONFIG): one per line, each
// "GUID,name,element:input,...". SDL takes a broken line without a word and the pad then
// never works; here each line is checked first and a broken one is named on standard error.
#include <string_view>

namespace tolvane {

// A GUID of 32 hex digits (or "xinput"), a name, and at least one element "what:input",
// with nothing but such elements after the name.
bool IsPadMapping(std::string_view line);

// Hands every good line of `text` to SDL's game-controller layer; blank lines and lines
// starting with '#' are skipped, any other line SDL would not take is named by its number.
void AddPadMappings(std::string_view text);

}  // namespace tolvane
