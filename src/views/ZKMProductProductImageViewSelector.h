#pragma once

#include "images/ScalableImageComponent.h"
#include "views/ViewSelector.h"

/** The picture of the controller, in which each control group is a clickable region that selects
    its view. The main section and the sustain bank have no region. */
class ZKMProductProductImageViewSelector : public ViewSelector
{
public:
    ZKMProductProductImageViewSelector();
    ~ZKMProductProductImageViewSelector() override;

private:
    //==============================================================================
    ScalableImageComponent picture;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZKMProductProductImageViewSelector)
};
