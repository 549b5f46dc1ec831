#include "code_pages.hpp"

namespace wl {

namespace {

// Bytes 128-255 of code page 437 in code page 1252 (line drawing becomes the
// nearest plain character, as the system converts it).
const unsigned char kOemToAnsi[128] = {
    199, 252, 233, 226, 228, 224, 229, 231, 234, 235, 232, 239, 238, 236, 196, 197,  // 128
    201, 230, 198, 244, 246, 242, 251, 249, 255, 214, 220, 162, 163, 165,  80, 131,  // 144
    225, 237, 243, 250, 241, 209, 170, 186, 191, 172, 172, 189, 188, 161, 171, 187,  // 160
    166, 166, 166, 166, 166, 166, 166,  43,  43, 166, 166,  43,  43,  43,  43,  43,  // 176
     43,  45,  45,  43,  45,  43, 166, 166,  43,  43,  45,  45, 166,  45,  43,  45,  // 192
     45,  45,  45,  43,  43,  43,  43,  43,  43,  43,  43, 166,  95, 166, 166, 175,  // 208
     97, 223,  71, 112,  83, 115, 181, 116,  70,  84,  79, 100,  56, 102, 101, 110,  // 224
     61, 177,  61,  61,  40,  41, 247, 152, 176, 183, 183, 118, 110, 178, 166, 160,  // 240
};

// Bytes 128-255 of code page 1252 in code page 437 (best fit: accented
// letters without an OEM form lose the accent, the rest become "?").
const unsigned char kAnsiToOem[128] = {
     63,  63,  44, 159,  44,  46,  43, 216,  94,  37,  83,  60,  79,  63,  90,  63,  // 128
     63,  96,  39,  34,  34,   7,  45,  45, 126,  84, 115,  62, 111,  63, 122,  89,  // 144
    255, 173, 155, 156,  15, 157, 221,  21,  34,  99, 166, 174, 170,  45, 114,  95,  // 160
    248, 241, 253,  51,  39, 230,  20, 250,  44,  49, 167, 175, 172, 171,  95, 168,  // 176
     65,  65,  65,  65, 142, 143, 146, 128,  69, 144,  69,  69,  73,  73,  73,  73,  // 192
     68, 165,  79,  79,  79,  79, 153, 120,  79,  85,  85,  85, 154,  89,  95, 225,  // 208
    133, 160, 131,  97, 132, 134, 145, 135, 138, 130, 136, 137, 141, 161, 140, 139,  // 224
    100, 164, 149, 162, 147, 111, 148, 246, 111, 151, 163, 150, 129, 121,  95, 152,  // 240
};

std::string convert(std::string_view text, const unsigned char (&table)[128]) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 128) c = static_cast<char>(table[b - 128]);
    }
    return out;
}

}  // namespace

std::string OEMTOANSI(std::string_view text) { return convert(text, kOemToAnsi); }
std::string ANSITOOEM(std::string_view text) { return convert(text, kAnsiToOem); }

char upperAnsi(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 224 && b <= 254 && b != 247)) return static_cast<char>(b - 32);
    if (b == 154 || b == 156 || b == 158) return static_cast<char>(b - 16);  // s, oe, z with caron
    if (b == 255) return static_cast<char>(159);                            // y with diaeresis
    return c;
}

char lowerAnsi(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 192 && b <= 222 && b != 215)) return static_cast<char>(b + 32);
    if (b == 138 || b == 140 || b == 142) return static_cast<char>(b + 16);
    if (b == 159) return static_cast<char>(255);
    return c;
}

std::string CHARUPPER(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upperAnsi(c);
    return out;
}

std::string CHARUPPER(int charCode) { return std::string(1, upperAnsi(static_cast<char>(charCode & 0xFF))); }

std::string CHARUPPER2(std::string_view text) { return CHARUPPER(text); }

std::string CHARLOWER(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lowerAnsi(c);
    return out;
}

bool ISUPPERFIRST(std::string_view text) { return !text.empty() && upperAnsi(text[0]) == text[0]; }
bool ISLOWERFIRST(std::string_view text) { return !text.empty() && lowerAnsi(text[0]) == text[0]; }

}  // namespace wl
