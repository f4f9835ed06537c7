// How bytes read from a file appear in a one-line message.
#pragma once

#include <string>

// Printable ASCII as it is and any other byte as \xNN, so that a damaged file can put no control
// byte into a message on the terminal.
inline std::string shown(const std::string& bytes) {
    static const char hex[] = "0123456789abcdef";
    std::string text;
    for (const char byte : bytes) {
        const unsigned char c = static_cast<unsigned char>(byte);
        if (c >= 0x20 && c < 0x7f) {
            text += byte;
        } else {
            text += "\\x";
            text += hex[c >> 4];
            text += hex[c & 15];
        }
    }
    return text;
}
