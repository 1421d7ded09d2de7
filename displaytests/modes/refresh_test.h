// The refresh rate test: an announcement with a countdown, the switch to the test mode, the
// user's confirmation with a lower-case h, the way back to the desktop mode and the result.
#pragma once

#include "displaytests/pattern.h"
#include "graphics/screen.h"
#include "ui/settings.h"

namespace orventa {

// Clears the screen and draws the announcement and the warning, placed on the desktop size.
void drawRefreshAnnouncement(const DisplaySettings& desktop, const DisplaySettings& test);
// Blanks the previous digit on the announcement's first bar and draws n there.
void drawCountdownDigit(const DisplaySettings& desktop, int n);
// What the test mode shows while it waits for H.
void drawRefreshQuestion(const DisplaySettings& test);
// The rate measured meanwhile, on a line below the question.
void drawMeasuredRefresh(const DisplaySettings& test, const MeasuredRefresh& measured);
// The result box: red bars when the user confirmed the rate, blue when not; a third line when
// the display was measured at a rate more than 0.5 % off the one asked for.
void drawRefreshResult(const DisplaySettings& desktop, const DisplaySettings& test, bool confirmed,
                       const MeasuredRefresh& measured = {});

// Its one page is the question the test mode shows.
extern const Pattern REFRESH_TEST;

}  // namespace orventa
