#include "platform/NameCodec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace kirafu {
namespace {

// The CP932 tables, built once from glibc's "CP932" converter.
//   decode[code] : the Unicode character of a CP932 code (single byte or lead << 8 | trail), 0
//                  when the code means nothing;
//   encode[u]    : the CP932 code of a BMP character u, only where decoding that code gives u
//                  again, 0 otherwise. CP932 has no character outside the BMP.
struct Cp932Tables {
    std::vector<char32_t> decode = std::vector<char32_t>(0x10000, 0);
    std::vector<uint16_t> encode = std::vector<uint16_t>(0x10000, 0);

    Cp932Tables() {
        iconv_t toU = iconv_open("UTF-32LE", "CP932");
        iconv_t fromU = iconv_open("CP932", "UTF-32LE");
        if (toU == reinterpret_cast<iconv_t>(-1) || fromU == reinterpret_cast<iconv_t>(-1)) {
            std::fputs("kirafu: the CP932 converter of the C library is missing\n", stderr);
            std::abort();
        }
        auto tryCode = [&](uint16_t code) {
            char in[2];
            size_t inLen = 0;
            if (code > 0xFF) in[inLen++] = static_cast<char>(code >> 8);
            in[inLen++] = static_cast<char>(code & 0xFF);
            char32_t u = 0;
            char* ip = in;
            char* op = reinterpret_cast<char*>(&u);
            size_t il = inLen, ol = sizeof u;
            iconv(toU, nullptr, nullptr, nullptr, nullptr);
            if (iconv(toU, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0 || ol != 0)
                return;
            if (u == 0 || u > 0xFFFF) return;
            decode[code] = u;
            // Does the character convert back to this very code?
            char back[4];
            char* bp = back;
            size_t bl = sizeof back;
            char* up = reinterpret_cast<char*>(&u);
            size_t ul = sizeof u;
            iconv(fromU, nullptr, nullptr, nullptr, nullptr);
            if (iconv(fromU, &up, &ul, &bp, &bl) == static_cast<size_t>(-1)) return;
            size_t n = sizeof back - bl;
            uint16_t got = n == 1 ? static_cast<unsigned char>(back[0])
                           : n == 2
                               ? static_cast<uint16_t>((static_cast<unsigned char>(back[0]) << 8) |
                                                       static_cast<unsigned char>(back[1]))
                               : 0;
            if (got == code) encode[u] = code;
        };
        for (unsigned b = 0x20; b < 0x7F; ++b) tryCode(static_cast<uint16_t>(b));
        for (unsigned b = 0xA1; b <= 0xDF; ++b) tryCode(static_cast<uint16_t>(b));
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                tryCode(static_cast<uint16_t>(lead << 8 | trail));
            }
        }
        iconv_close(toU);
        iconv_close(fromU);
    }
};

const Cp932Tables& Tables932() {
    static const Cp932Tables tables;
    return tables;
}

constexpr char kHex[] = "0123456789ABCDEF";

void AppendEscaped(std::string& out, std::string_view bytes) {
    for (unsigned char c : bytes) {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
}

// Length of the well-formed UTF-8 sequence at s (1 to 4) and its character, or 0 when the
// bytes there are not well-formed UTF-8 (overlong forms, surrogates and values past U+10FFFF
// included).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& u) {
    auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
    unsigned char c = b(0);
    size_t len;
    if (c < 0x80) {
        u = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        u = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        u = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        u = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        u = (u << 6) | (b(k) & 0x3F);
    }
    if ((len == 3 && u < 0x800) || (len == 4 && (u < 0x10000 || u > 0x10FFFF)) ||
        (u >= 0xD800 && u <= 0xDFFF))
        return 0;
    return len;
}

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

void AppendCode(std::string& out, uint16_t code) {
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The CP932 character at position i of text: its length (1 or 2) and its code.
size_t CodeAt(std::string_view text, size_t i, uint16_t& code) {
    auto c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c) && i + 1 < text.size()) {
        code = static_cast<uint16_t>(c << 8 | static_cast<unsigned char>(text[i + 1]));
        return 2;
    }
    code = c;
    return 1;
}

}  // namespace

void AppendHostNameAsText(std::string& out, std::string_view host) {
    const Cp932Tables* tables = nullptr;
    size_t i = 0;
    auto plain = [](unsigned char c) { return c >= 0x20 && c < 0x7F && c != '\\' && c != '%'; };
    while (i < host.size()) {
        auto c = static_cast<unsigned char>(host[i]);
        if (plain(c)) {  // a run of printable ASCII goes over as it is
            size_t end = i + 1;
            while (end < host.size() && plain(static_cast<unsigned char>(host[end]))) ++end;
            out.append(host, i, end - i);
            i = end;
            continue;
        }
        if (c < 0x80) {  // control byte, "\" or "%"
            AppendEscaped(out, host.substr(i, 1));
            ++i;
            continue;
        }
        char32_t u = 0;
        size_t len = DecodeUtf8(host, i, u);
        if (len == 0) {  // not UTF-8: escape this one byte and go on with the next
            AppendEscaped(out, host.substr(i, 1));
            ++i;
            continue;
        }
        if (!tables) tables = &Tables932();
        uint16_t code = u <= 0xFFFF ? tables->encode[u] : 0;
        if (code != 0)
            AppendCode(out, code);
        else
            AppendEscaped(out, host.substr(i, len));
        i += len;
    }
}

std::string HostNameToText(std::string_view host) {
    std::string out;
    out.reserve(host.size());
    AppendHostNameAsText(out, host);
    return out;
}

namespace {

// A Shift-JIS text as UTF-8. With `unescape`, "%XX" gives back the byte XX; a byte sequence
// that is no CP932 character is kept as it is, or with `replaceUnknown` becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view text, bool unescape, bool replaceUnknown) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    const Cp932Tables* tables = nullptr;
    size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        if (unescape && c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) << 4 | HexValue(text[i + 2]));
            i += 3;
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (!tables) tables = &Tables932();
        uint16_t code = 0;
        size_t len = CodeAt(text, i, code);
        char32_t u = tables->decode[code];
        if (u != 0)
            AppendUtf8(out, u);
        else if (replaceUnknown)
            AppendUtf8(out, U'\uFFFD');
        else
            out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace

std::string TextToHostName(std::string_view text) {
    return Cp932ToUtf8(text, true, false);
}

std::string TextToUtf8(std::string_view sjis) {
    return Cp932ToUtf8(sjis, false, true);
}

std::string Sjis(std::string_view utf8) {
    const Cp932Tables& tables = Tables932();
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t u = 0;
        size_t len = DecodeUtf8(utf8, i, u);
        uint16_t code = (len != 0 && u <= 0xFFFF)
                            ? (u < 0x80 ? static_cast<uint16_t>(u) : tables.encode[u])
                            : 0;
        if (len == 0 || (code == 0 && u != 0)) {
            std::fprintf(stderr, "kirafu: program text without a CP932 form: %.*s\n",
                         static_cast<int>(utf8.size()), utf8.data());
            std::abort();
        }
        AppendCode(out, code);
        i += len;
    }
    return out;
}

}  // namespace kirafu
