#pragma once

/** The frame that every single-control view shares, the knob, pad and switch views
    (GenericControlView) and the column views of the other controls (ColumnControlView) alike. */
namespace ControlViewSizes
{
/** One place of a bank. */
constexpr int viewWidth = 300, viewHeight = 200;

/** The title: 70 pixels in, 300 wide, white in a plain font of this height. */
constexpr int titleX = 70, titleWidth = 300;
constexpr float titleFontHeight = 18.0f;

/** The column of widgets under the title: 200 wide, 10 pixels below the title, 5 between widgets. */
constexpr int widgetWidth = 200, gapBelowTitle = 10, gapBetweenWidgets = 5;
} // namespace ControlViewSizes
