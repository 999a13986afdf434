#pragma once

#include "views/ViewSelector.h"

/** The row of nine tabs under the product picture, one per editor view, left to right in view order.
    The tab of the shown view draws its "On" picture. */
class TabSelectorButtons : public ViewSelector
{
public:
    TabSelectorButtons();
    ~TabSelectorButtons() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TabSelectorButtons)
};
