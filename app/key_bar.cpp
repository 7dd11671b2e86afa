#include "app/key_bar.h"

#include "input/key_table.h"

namespace {

// A JSON string of UTF-8 text.
std::string jsonString(const std::string& text) {
    std::string json = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            const char* hex = "0123456789abcdef";
            json += std::string("\\u00") + hex[c >> 4] + hex[c & 15];
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// A help card's Latin-1 line as UTF-8, its runs of blanks made one and its
// ends trimmed (the card pads its lines into columns).
std::string cardLineText(const char* latin1) {
    std::string utf8;
    for (const unsigned char* at = reinterpret_cast<const unsigned char*>(latin1); *at; ++at) {
        if (*at == ' ' && (utf8.empty() || utf8.back() == ' ')) continue;
        if (*at < 0x80) {
            utf8 += static_cast<char>(*at);
        } else {
            utf8 += static_cast<char>(0xC0 | (*at >> 6));
            utf8 += static_cast<char>(0x80 | (*at & 0x3F));
        }
    }
    if (!utf8.empty() && utf8.back() == ' ') utf8.pop_back();
    return utf8;
}

}  // namespace

std::string keyBarJson() {
    std::string json = "[";
    for (const ViewerKey& key : viewerKeys) {
        if (!isKey(key) || !key.label) continue;
        const std::string name = keyName(key);
        json += std::string(json.size() > 1 ? "," : "") +
                "{\"key\":" + jsonString(key.special ? key.browserKey : name) +
                ",\"special\":" + (key.special ? "true" : "false") +
                ",\"code\":" + std::to_string(key.code) +
                ",\"cap\":" + jsonString(key.cap ? key.cap : name) +
                ",\"label\":" + jsonString(key.label) +
                ",\"title\":" + jsonString(cardLineText(key.helpLine)) + "}";
    }
    return json + "]";
}
