#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the desktop says about the size of things on the screen, read once from the X server and
    the environment: the scale factor that the user chose for the desktop, and the work area of the
    screen (the screen less the desktop's panels).

    The framework picks a display scale from the window system's scaling setting or the monitor's
    physical density, but leaves out the ways most desktops state the user's own choice: GDK_SCALE,
    and the font resolution Xft.dpi in the X resources or the XSETTINGS of a running desktop, where
    192 means twice the size of 96. The editor applies that choice over the framework's. */
class DesktopScale
{
public:
    /** What was read from one connection to the X server. */
    struct Reading
    {
        /** The desktop's scale factor as the user set it: GDK_SCALE when set, else Xft.dpi / 96
            from the X resources, else from the desktop's XSETTINGS; 0 when none of them states one. */
        double userScale = 0;

        /** The work area of the main screen in physical pixels, from the desktop's _NET_WORKAREA;
            empty when there is no such desktop (a bare X server). */
        juce::Rectangle<int> workArea;
    };

    /** Reads both at start, through one short connection of its own to the X server. */
    static Reading read();

    /** The scale a user scale of 0 or more asks for over the framework's own display scale: 1 when
        the desktop states none. */
    static double getFactorOverFramework (double userScale, double frameworkScale);

    //==============================================================================
    /** GDK_SCALE's value as a scale: a whole number from 1 to 8, else 0. */
    static double parseGdkScale (const juce::String& value);

    /** Xft.dpi / 96 from the text of the X resources (as `xrdb -query` prints it), taken from the
        entry X would answer with (the full name over "*Xft.dpi" over "*dpi", in any order); 0
        without a usable Xft.dpi. */
    static double parseResourcesScale (const juce::String& resources);

    /** Xft/DPI / 96 from the binary XSETTINGS block (Xft/DPI is stored in 1024ths of a dot per
        inch); 0 when the block holds no Xft/DPI or is damaged. */
    static double parseXSettingsScale (const juce::MemoryBlock& settings);

    /** The desktop resolution that means a scale of 1. */
    static constexpr double baseDpi = 96.0;
};
