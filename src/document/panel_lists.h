#pragma once
// The item lists of the property combo boxes and the texts they show. Each box keeps a one-character
// list mark in its tag naming the list it holds, so a list is rebuilt only when the needed one
// differs; the refresh and the drop-down handlers share these loaders.
#include <cstdint>
#include <string>
#include <string_view>

#include "document/controls.h"

namespace quorvel {

inline constexpr std::string_view kManyTypes = "Many types";

// Empties the list and its text and marks it "0" (no list).
void ClearList(ComboBox& box);
// Spawn types: mark "1" the three types then "Many types"; "2" and "3" the three types.
void EnsureSpawnList(ComboBox& box, char mark);
// Scenery styles: mark "1" the 21 style names; "2" the same then "Many types".
void EnsureSceneryList(ComboBox& box, char mark);
// Visibility: mark "1" and "3" the four percentages; "2" the same then "Many types".
void EnsureVisibilityList(ComboBox& box, char mark);

// Sets the box's text and points its list index at the item of that text (-1 when none has it).
void ShowText(ComboBox& box, std::string_view text);

// "Normal", "CTF Red", "CTF Blue"; "" for a type outside 0..2.
std::string_view SpawnTypeText(int type);
// The style's name, "" for a style outside 1..21 (files may hold any byte).
std::string_view SceneryStyleText(int style);
// Visibility of an alpha byte: alpha / 255 x 100 rounded halves to even, then "%" (191 -> "75%").
std::string VisibilityText(uint8_t alpha);

}  // namespace quorvel
