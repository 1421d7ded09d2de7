#include "graphics/platform/x11/mode_choice.h"

#include <cstdlib>
#include <sstream>

namespace orventa::platform {

const OutputMode* modeFor(const std::vector<OutputMode>& modes,
                          const std::optional<SavedMode>& wanted) {
  const OutputMode* best = nullptr;
  if (wanted) {
    for (const OutputMode& m : modes) {
      if (m.width != wanted->width || m.height != wanted->height) continue;
      if (best == nullptr || std::abs(m.refreshMilliHz - wanted->refreshMilliHz) <
                                 std::abs(best->refreshMilliHz - wanted->refreshMilliHz))
        best = &m;
    }
    if (best != nullptr) return best;
  }
  for (const OutputMode& m : modes)
    if (m.preferred) return &m;
  return modes.empty() ? nullptr : &modes.front();
}

const OutputMode* modeToPutBack(const OutputNow& output, const std::optional<SavedMode>& held) {
  if (!held && output.current != 0) return nullptr;
  const OutputMode* target = modeFor(output.modes, held);
  if (target == nullptr || target->id == output.current) return nullptr;
  // A shown mode of the held size and rate is as good as the one picked.
  for (const OutputMode& m : output.modes)
    if (held && m.id == output.current && m.width == target->width && m.height == target->height &&
        m.refreshMilliHz == target->refreshMilliHz)
      return nullptr;
  return target;
}

std::string formatRecord(const SavedMode& mode, int pid) {
  std::ostringstream out;
  out << mode.output << ' ' << mode.width << ' ' << mode.height << ' ' << mode.refreshMilliHz << ' '
      << pid << '\n';
  return out.str();
}

bool parseRecord(const std::string& text, SavedMode& mode, int& pid) {
  std::istringstream in(text);
  SavedMode m;
  int p = 0;
  if (!(in >> m.output >> m.width >> m.height >> m.refreshMilliHz >> p)) return false;
  if (m.width <= 0 || m.height <= 0 || m.refreshMilliHz < 0 || p <= 0) return false;
  mode = m;
  pid = p;
  return true;
}

int wholeHertz(int refreshMilliHz) { return (refreshMilliHz + 500) / 1000; }

}  // namespace orventa::platform
