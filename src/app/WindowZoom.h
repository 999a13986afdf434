#pragma once

#include "engine/DeviceSettings.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The zoom of every window of the program: "Zoom In", "Zoom Out" and "Actual Size" in the View
    menu, in steps from 75 to 200 %, remembered in the settings. The zoom multiplies the desktop's
    own scale, and scales the editor, its strip and every dialog and window at once (it is the
    framework's global scale factor).

    A window never opens larger than the screen's work area: the zoom steps down until the window
    fits, for this run (the remembered zoom is kept for a larger screen), and says so once. */
class WindowZoom
{
public:
    static constexpr int steps[] = { 75, 90, 100, 125, 150, 175, 200 };
    static constexpr int actualSize = 100;

    /** settings may be null (100 % then, not remembered). desktopFactor is the scale the desktop
        asks for over the framework's own display scale (1 when it asks for none). An empty work
        area (in physical pixels) stands for the main display's whole area. */
    WindowZoom (DeviceSettings* settings, double desktopFactor, juce::Rectangle<int> physicalWorkArea = {});

    /** The zoom over the scale that the desktop asks for, within the desktop's work area. */
    static std::unique_ptr<WindowZoom> createForDesktop (DeviceSettings* settings);

    /** Leaves the framework's scale as it found it. */
    ~WindowZoom();

    static bool handles (juce::CommandID commandID);
    void fillInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) const;
    void perform (juce::CommandID commandID);

    /** The zoom in effect, one of the steps. */
    int getPercent() const noexcept { return percent; }

    /** Zooms every window to the step nearest the percentage that is no larger than the largest
        that fits, keeping each window's top-left corner where it is on the screen. */
    void setPercent (int newPercent);

    /** The scale of every window: the zoom times the desktop's factor. */
    float getScale() const noexcept;

    /** Called as a window opens: steps the zoom down until the window fits the work area, and
        returns, the first time that happens in this run, the line that says so; else nothing. */
    juce::String fitWindow (const juce::Component& window);

    /** The largest step at which a window of this size (in the program's units) fits the work area;
        the smallest step when none does. */
    int getLargestFittingPercent (juce::Rectangle<int> windowSize) const;

    /** The display's own scale that the framework applies under the zoom. */
    static double getFrameworkScale();

private:
    juce::Rectangle<int> getPhysicalWorkArea() const;
    static int nearestStep (int wantedPercent);
    void applyScale();

    DeviceSettings* settings;
    const double desktopFactor;
    const juce::Rectangle<int> workArea;
    int percent = actualSize;
    juce::Rectangle<int> largestWindow;
    bool hasSaidItDoesNotFit = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowZoom)
};
