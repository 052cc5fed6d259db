#include "document/panel_lists.h"

#include <array>

#include "document/map_document.h"
#include "document/numeric.h"

namespace quorvel {

namespace {

constexpr std::array<std::string_view, 3> kSpawnTypes{"Normal", "CTF Red", "CTF Blue"};
constexpr std::array<std::string_view, 4> kVisibilities{"100%", "75%", "50%", "25%"};

// Rebuilds the list only when the box is marked for another one.
template <class Fill>
void Ensure(ComboBox& box, char mark, bool manyTypes, Fill fill) {
  if (box.tag.size() == 1 && box.tag[0] == mark) return;
  box.Clear();
  fill();
  if (manyTypes) box.AddItem(std::string(kManyTypes));
  box.tag.assign(1, mark);
}

}  // namespace

void ClearList(ComboBox& box) {
  box.Clear();
  box.tag = "0";
}

void EnsureSpawnList(ComboBox& box, char mark) {
  Ensure(box, mark, mark == '1', [&] {
    for (std::string_view t : kSpawnTypes) box.AddItem(std::string(t));
  });
}

void EnsureSceneryList(ComboBox& box, char mark) {
  Ensure(box, mark, mark == '2', [&] {
    for (int s = 1; s <= 21; ++s) box.AddItem(sceneryNames[static_cast<size_t>(s)]);
  });
}

void EnsureVisibilityList(ComboBox& box, char mark) {
  Ensure(box, mark, mark == '2', [&] {
    for (std::string_view v : kVisibilities) box.AddItem(std::string(v));
  });
}

void ShowText(ComboBox& box, std::string_view text) {
  box.text.assign(text);
  box.listIndex = -1;
  for (size_t i = 0; i < box.items.size(); ++i) {
    if (box.items[i] == text) {
      box.listIndex = static_cast<int>(i);
      break;
    }
  }
}

std::string_view SpawnTypeText(int type) {
  return type >= 0 && type <= 2 ? kSpawnTypes[static_cast<size_t>(type)] : std::string_view{};
}

std::string_view SceneryStyleText(int style) {
  return style >= 1 && style <= 21 ? std::string_view(sceneryNames[static_cast<size_t>(style)]) : std::string_view{};
}

std::string VisibilityText(uint8_t alpha) {
  return std::to_string(static_cast<int>(RoundHalfEven(alpha / 255.0 * 100))) + "%";
}

}  // namespace quorvel
