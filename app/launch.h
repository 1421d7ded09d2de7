// The orventa executable's command line and what comes before the first screen: one instance per
// X display, a test mode left behind by an earlier run put back, and the mode guardian.
#pragma once

namespace orventa {

int launch(int argc, char** argv);

}  // namespace orventa
