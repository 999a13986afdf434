#pragma once

/** The nine editor views by view index: the tab at position i of the tab row, the regions of the
    product picture and the editor component all name a view by it. */
struct EditorViews
{
    enum ViewIndex
    {
        mainView = 0,
        knobsView,
        switchesView,
        drumPadsView,
        rollModeView,
        transportView,
        keybedView,
        wheelsView,
        sustainView,
        numViews
    };

    /** The size of the area under the tab row, which the main section and every bank view fill;
        the keybed view, as wide, is taller. */
    static constexpr int viewWidth = 1200, viewHeight = 200;
};
