// Slider: the platform trackbar with a range, a value and two scale labels at its ends. It tells its
// owner the new value once per finished drag or key press.
#pragma once

#include "framework/Child.h"

namespace VornUtility {

class Label;
class Slider;

using ChangeHandler = int (*)(GUIElement* element, int value);

class Slider : public Child {
public:
    explicit Slider(GUIElement* parent);
    ~Slider() override;

    // Resizes and lays the scale labels out again, also before the window exists.
    void Resize(int newWidth, int newHeight) override;
    void Create() override;

    // Stores v clamped to the range and moves the thumb.
    void SetValue(int v);
    // Places the labels 5 pixels left and right of the trackbar.
    void LayoutScaleLabels();
    // A drag or key press on the trackbar has ended: reads the position and calls onChange.
    void NotifyScroll();

    int minimum = 1;
    int maximum = 10;
    int value = 1;
    Label* minimumLabel = nullptr;   // owned
    Label* maximumLabel = nullptr;   // owned
    ChangeHandler onChange = nullptr;

private:
    int Clamped(int v) const;
};

} // namespace VornUtility
