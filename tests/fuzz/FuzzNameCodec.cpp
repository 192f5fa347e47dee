// Any host name converts to a text that converts back to the same bytes, and the text never
// holds a byte that could end a line, split a path or be taken for an escape of its own.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/NameCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string host(reinterpret_cast<const char*>(data), size);
    std::string text = kirafu::HostNameToText(host);
    if (kirafu::TextToHostName(text) != host) std::abort();
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (kirafu::IsLeadByte(c)) {  // a two-byte character: its second byte may be anything
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F || c == '\\') std::abort();
    }
    kirafu::TextToUtf8(text);
    return 0;
}
