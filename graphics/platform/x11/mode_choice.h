// Which mode an output is put back in, decided from plain records so that it can be tested
// without an X server: the guardian, `--restore` and the backend all ask these.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orventa::platform {

// One mode an output offers, as RandR describes it.
struct OutputMode {
  unsigned long id = 0;  // the RandR mode
  int width = 0;
  int height = 0;
  int refreshMilliHz = 0;  // 0 when the mode has no timings (a virtual server's own mode)
  bool preferred = false;
};

// An output as it is now: its modes in the server's order and the mode it shows (0: none).
struct OutputNow {
  std::vector<OutputMode> modes;
  unsigned long current = 0;
};

// The desktop mode worth keeping: kept by size and rate, not by id, since ids do not survive
// a mode being deleted and added again.
struct SavedMode {
  std::string output;
  int width = 0;
  int height = 0;
  int refreshMilliHz = 0;
  bool operator==(const SavedMode&) const = default;
};

// The mode of `modes` that stands for `wanted`: the same size at the nearest rate; failing that
// the preferred mode, or the first listed. Null for an output without modes.
const OutputMode* modeFor(const std::vector<OutputMode>& modes,
                          const std::optional<SavedMode>& wanted);

// What to switch the output to, or null when it is right as it is: with a held mode, that mode
// (or its stand-in) unless it is already shown; with none held, only an output left without any
// mode gets one.
const OutputMode* modeToPutBack(const OutputNow& output, const std::optional<SavedMode>& held);

// The record of a desktop mode kept while a test mode is up: one line naming the output, the
// size, the rate and the process that wrote it.
std::string formatRecord(const SavedMode& mode, int pid);
bool parseRecord(const std::string& text, SavedMode& mode, int& pid);

// The rate as whole hertz, the way the display's mode list rounds it.
int wholeHertz(int refreshMilliHz);

}  // namespace orventa::platform
