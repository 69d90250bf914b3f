// The scrambled stream: bytes XORed with a repeating key and with a fixed
// pseudo-random byte sequence. Applying it twice restores the bytes. A light
// obfuscation for container members and the scrambled-file commands, not
// encryption: the keys are fixed and the sequence always starts the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yura {

// Key of scrambled container members: "<かぜ&なみ～?>>>" (16 bytes).
extern const std::string_view kMemberKey;
// Key of the scrambled-file commands: "星海7kdQWR5'#8灯62カhHメY~#ロ" (29 bytes).
extern const std::string_view kFileKey;

// Scrambles (or unscrambles) the bytes in place. Every call starts the byte
// sequence afresh, as from a newly created stream.
void Scramble(std::string& bytes, std::string_view key);

// The scrambled file format: a 4-byte little-endian length and the text, the
// whole scrambled with the file key; an empty text makes an empty file.
// Nothing when the text is too long for the length field.
std::optional<std::string> MakeScrambledFile(std::string_view text);
// The text of a scrambled file; nothing when the length field is missing,
// negative or promises more bytes than the file holds.
std::optional<std::string> ReadScrambledFile(std::string bytes);

}  // namespace yura
