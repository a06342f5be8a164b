#pragma once

namespace zel {

class FrameLine;

// The four lines of a form's label-button frame: 0 left, 1 top, 2 right and
// 3 bottom edge. A form hands out the lines of its loaded window; while no
// window is loaded there are none.
class FrameLineArray
{
public:
    static constexpr int kCount = 4;

    virtual ~FrameLineArray() = default;

    // nullptr while the line does not exist.
    virtual FrameLine *line(int index) = 0;

protected:
    FrameLineArray() = default;
    FrameLineArray(const FrameLineArray &) = default;
    FrameLineArray &operator=(const FrameLineArray &) = default;
};

} // namespace zel
