// A mouse pointer for tests: records every shape set, in order.
#pragma once

#include "platform/Cursor.h"

#include <vector>

namespace korva::fakes {

class FakeCursor : public Cursor {
public:
    void Set(CursorShape shape) override {
        shapes.push_back(shape);
        current = shape;
    }
    CursorShape Shape() const override { return current; }
    std::vector<CursorShape> shapes;
    CursorShape current = CursorShape::Default;
};

} // namespace korva::fakes
