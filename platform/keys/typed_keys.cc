// SPDX-License-Identifier: MIT
#include "platform/keys/typed_keys.h"

#include "platform/keys/jis_characters.h"

namespace titletype {

std::optional<KeyStroke> typed_key_stroke(const TypedKey& key) {
  if (key.modifier_key || key.composing) return std::nullopt;
  const bool types_a_character = key.text >= 0x20 && key.text != 0x7f;
  if (!types_a_character) {
    if (!key.own_key) return std::nullopt;
    return KeyStroke{*key.own_key, key.modifiers};
  }
  // Beyond ASCII no JIS key types it.
  auto stroke = key.text < 0x7f ? jis_stroke_for(static_cast<char>(key.text)) : std::nullopt;
  if (stroke && !key.alt_gr) stroke->modifiers |= key.modifiers & (kCtrlBit | kAltBit);
  return stroke;
}

}  // namespace titletype
