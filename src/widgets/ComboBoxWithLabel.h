#pragma once

#include "widgets/UIParameterInterface.h"

/** A label on the left and a list on the right; the list's entries stand for the values 0, 1, 2... */
class ComboBoxWithLabel : public UIParameterInterface
{
public:
    //==============================================================================
    ComboBoxWithLabel (const juce::StringArray& entries, const juce::String& labelText,
                       juce::ComboBox::Listener* listener = nullptr);
    ~ComboBoxWithLabel() override;

    //==============================================================================
    /** Selects the entry at that position, with an asynchronous change message; a value without an
        entry shows an empty text. */
    void setDisplayedValue (int value) override;

    juce::ComboBox& getComboBox() noexcept { return *comboBox; }
    juce::Label& getLabel() noexcept { return *label; }

    //==============================================================================
    /** Where the list stands, right of the label. */
    static constexpr int listX = 100;
    static constexpr int listWidth = 100;
    static constexpr int listHeight = 18;

private:
    //==============================================================================
    std::unique_ptr<juce::ComboBox> comboBox;
    std::unique_ptr<juce::Label> label;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ComboBoxWithLabel)
};
