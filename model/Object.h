#pragma once
// Abstract drawable shape: a name and the selected, locked and visible states.

#include "model/Rect.h"

#include <cstdint>
#include <string>

class TCvObject {
public:
    std::string name; // byte string, kept unchanged
    std::uint8_t selected = 0;
    std::uint8_t locked = 0;
    std::uint8_t visible = 1;

    TCvObject() = default;
    virtual ~TCvObject() = default;

    // Exact bounds of the shape.
    virtual TCvRect GetBounds() const = 0;
    // Grows `r` to take in the shape.
    virtual void ExtendBounds(TCvRect& r) const = 0;
    // Resets the states: not selected, not locked, visible.
    virtual void Clear() {
        selected = 0;
        locked = 0;
        visible = 1;
    }
    virtual void Translate(TCvCoord v) = 0;

protected:
    TCvObject(const TCvObject&) = default;
    TCvObject& operator=(const TCvObject&) = default;
    TCvObject(TCvObject&&) = default;
    TCvObject& operator=(TCvObject&&) = default;
};
