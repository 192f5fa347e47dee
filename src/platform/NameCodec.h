// Conversion between host names (bytes, normally UTF-8) and the program's Shift-JIS (CP932)
// texts.
//
// HostNameToText is deterministic and reversible (TextToHostName undoes it):
//  - printable ASCII other than "\" and "%" stays as it is;
//  - a UTF-8 character whose CP932 form converts back to the same character becomes that
//    CP932 character;
//  - everything else (characters CP932 lacks or folds onto another, invalid UTF-8, the control
//    bytes 0x00-0x1F and 0x7F, "\" and "%") becomes "%" and two upper-case hex digits per
//    original byte.
// So a name can never put a line end, a path separator or an end-marker line into a text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kirafu {

// One host file name (or path component) as a Shift-JIS text.
std::string HostNameToText(std::string_view host);
// Appends the converted name to out (the hot path of the folder walk).
void AppendHostNameAsText(std::string& out, std::string_view host);

// The host bytes of a text made by HostNameToText. A text that no host name gives (a stray
// "%", bytes that are not CP932) is taken as faithfully as possible: CP932 characters become
// UTF-8, a "%" not followed by two hex digits stays "%", other bytes are kept as they are.
std::string TextToHostName(std::string_view text);

// A program text written in UTF-8 in the source, as Shift-JIS. Every character must exist in
// CP932 (checked: an unknown one is a programming error and aborts).
std::string Sjis(std::string_view utf8);

// A Shift-JIS text as UTF-8 for a terminal: CP932 characters are converted, escapes stay as
// written, a byte that is not CP932 becomes U+FFFD.
std::string TextToUtf8(std::string_view sjis);

// True when the byte starts a two-byte Shift-JIS character.
constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace kirafu
