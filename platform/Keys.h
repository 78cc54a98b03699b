#pragma once
// The keys the program answers, numbered as Qt numbers them (Qt::Key), so
// the window hands a key over as it is.

namespace ruvo {

enum class Key : int {
    None = 0,  // a key the program leaves to whoever has the focus
    Space = 0x20,
    B = 0x42,
    F = 0x46,
    S = 0x53,
    V = 0x56,
    X = 0x58,
    Z = 0x5a,
    BracketLeft = 0x5b,
    BracketRight = 0x5d,
    Backspace = 0x01000003,
    Left = 0x01000012,
    Up = 0x01000013,
    Right = 0x01000014,
    Down = 0x01000015,
};

}  // namespace ruvo
