#pragma once

#include "widgets/NumberBoxWithLabel.h"
#include "widgets/TransportController.h"

/** A number box bound to a parameter of one transport button, shown as stored. */
class TransportControllerNumberBox
    : public NumberBoxWithLabel
    , public TransportController
    , public NumberBox::Listener
{
public:
    //==============================================================================
    TransportControllerNumberBox (ZKEditorEngine::Ptr engine, const juce::String& parameterName,
                                  unsigned int transportIndex, int minimum, int maximum);
    ~TransportControllerNumberBox() override;

    //==============================================================================
    void numberBoxValueChanged (NumberBox* box) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TransportControllerNumberBox)
};
