#pragma once

#include "widgets/NumberBox.h"
#include "widgets/UIParameterInterface.h"

/** A label on the left and a NumberBox on the right. */
class NumberBoxWithLabel : public UIParameterInterface
{
public:
    //==============================================================================
    NumberBoxWithLabel (int minimum, int maximum, const juce::String& labelText,
                        NumberBox::Listener* listener = nullptr);
    ~NumberBoxWithLabel() override;

    //==============================================================================
    /** Shows the number as it is, marked when it lies outside the box's range; the box's listeners
        are not told, so a shown value is never written back. */
    void setDisplayedValue (int value) override;

    NumberBox& getNumberBox() noexcept { return *numberBox; }
    juce::Label& getLabel() noexcept { return *label; }

    //==============================================================================
    /** Where the box stands, right of the label. */
    static constexpr int boxX = 100;
    static constexpr int boxWidth = 100;
    static constexpr int boxHeight = 18;

private:
    //==============================================================================
    std::unique_ptr<NumberBox> numberBox;
    std::unique_ptr<juce::Label> label;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberBoxWithLabel)
};
