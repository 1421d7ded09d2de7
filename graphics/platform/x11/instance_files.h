// The files that tie one run to its X display: a lock that lets one instance run per display,
// and the record of the desktop mode kept while a test mode is up. Both live in
// XDG_RUNTIME_DIR, or in /tmp/orventa-UID without it.
#pragma once

#include <string>

namespace orventa::platform {

// The display as the lock names it: DISPLAY without its screen number (":0.1" is ":0").
std::string displayName(const std::string& display);

// The folder for our files, made (mode 0700) when missing; "" when there is none to use.
std::string runtimeFolder();

struct InstanceFiles {
  std::string lock;
  std::string record;
};
InstanceFiles instanceFiles(const std::string& folder, const std::string& display);

// Takes the lock of a display and keeps it while the returned descriptor stays open (-1 when
// refused). A lock whose holder is gone is taken over; a live holder's pid lands in `holder`.
int takeLock(const std::string& path, int& holder);

bool readText(const std::string& path, std::string& text);
// Written whole or not at all (a new file renamed over the old one).
bool writeText(const std::string& path, const std::string& text);

}  // namespace orventa::platform
