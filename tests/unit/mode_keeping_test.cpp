// What the guardian and --restore decide, from plain records: which mode an output gets back,
// when nothing is to be done, what the guardian holds after each message, and the lock.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "graphics/platform/x11/instance_files.h"
#include "graphics/platform/x11/mode_choice.h"
#include "graphics/platform/x11/mode_guardian.h"

namespace orventa::platform {
namespace {

// An output like a virtual server's: its own mode without timings, then modes added by hand.
const OutputMode BIG{0x3a, 1920, 1080, 0, false};
const OutputMode SVGA60{0x51, 800, 600, 60317, false};
const OutputMode SVGA75{0x52, 800, 600, 75000, false};
const OutputMode XGA{0x53, 1024, 768, 60004, false};

SavedMode saved(int w, int h, int milliHz) { return {"screen", w, h, milliHz}; }

unsigned long putBackId(const OutputNow& now, const std::optional<SavedMode>& held) {
  const OutputMode* m = modeToPutBack(now, held);
  return m == nullptr ? 0 : m->id;
}

TEST(ModeChoice, HeldModeComesBackAtItsSizeAndNearestRate) {
  const OutputNow inTest{{BIG, SVGA60, SVGA75, XGA}, SVGA60.id};
  EXPECT_EQ(putBackId(inTest, saved(1024, 768, 60004)), XGA.id);
  EXPECT_EQ(putBackId(inTest, saved(1920, 1080, 0)), BIG.id);
  // The record's rate may be rounded: 74 Hz finds the 75 Hz mode, 61 Hz the 60.317 Hz one.
  const OutputNow atXga{{BIG, SVGA60, SVGA75, XGA}, XGA.id};
  EXPECT_EQ(putBackId(atXga, saved(800, 600, 74000)), SVGA75.id);
  EXPECT_EQ(putBackId(atXga, saved(800, 600, 61000)), SVGA60.id);
}

TEST(ModeChoice, NothingIsDoneWhenTheOutputIsRightOrTheModeIsTheUsers) {
  const OutputNow atXga{{BIG, SVGA60, SVGA75, XGA}, XGA.id};
  EXPECT_EQ(putBackId(atXga, saved(1024, 768, 60004)), 0u);
  // Nothing held: the mode shown is the user's, whatever it is.
  EXPECT_EQ(putBackId(atXga, std::nullopt), 0u);
  EXPECT_EQ(putBackId(OutputNow{{}, 0}, saved(1024, 768, 60004)), 0u);
}

TEST(ModeChoice, GoneModeOrNoModeGivesThePreferredThenTheFirst) {
  OutputNow dark{{BIG, SVGA60, SVGA75, XGA}, 0};
  // The desktop's mode was deleted: the output must not stay dark.
  EXPECT_EQ(putBackId(dark, saved(1280, 1024, 60020)), BIG.id);
  EXPECT_EQ(putBackId(dark, std::nullopt), BIG.id);
  dark.modes[3].preferred = true;
  EXPECT_EQ(putBackId(dark, saved(1280, 1024, 60020)), XGA.id);
  EXPECT_EQ(putBackId(dark, std::nullopt), XGA.id);
  const OutputNow atSvga{{BIG, SVGA60, SVGA75, XGA}, SVGA60.id};
  EXPECT_EQ(putBackId(atSvga, saved(1280, 1024, 60020)), BIG.id);
}

TEST(GuardianMessages, HoldReleaseCrashAndRestored) {
  GuardianState state;
  EXPECT_TRUE(readGuardianLine("hold screen 1024 768 60004 77", state));
  ASSERT_TRUE(state.held.has_value());
  EXPECT_EQ(*state.held, saved(1024, 768, 60004));
  EXPECT_FALSE(state.restoreNow);
  // A torn or foreign line leaves what is held alone.
  EXPECT_TRUE(readGuardianLine("hold screen 1024", state));
  EXPECT_TRUE(readGuardianLine("hello", state));
  EXPECT_EQ(*state.held, saved(1024, 768, 60004));
  EXPECT_TRUE(readGuardianLine("release", state));
  EXPECT_FALSE(state.held.has_value());
  EXPECT_TRUE(readGuardianLine("hold DP-1 1920 1080 59940 77", state));
  EXPECT_TRUE(readGuardianLine("crash", state));
  EXPECT_TRUE(state.restoreNow);
  EXPECT_EQ(*state.held, (SavedMode{"DP-1", 1920, 1080, 59940}));
  EXPECT_FALSE(readGuardianLine("restored", state));
}

TEST(ModeRecord, ReadsWhatItWritesAndRefusesTheRest) {
  SavedMode mode;
  int pid = 0;
  ASSERT_TRUE(parseRecord(formatRecord(saved(800, 600, 75000), 4242), mode, pid));
  EXPECT_EQ(mode, saved(800, 600, 75000));
  EXPECT_EQ(pid, 4242);
  EXPECT_EQ(formatRecord(saved(800, 600, 75000), 4242), "screen 800 600 75000 4242\n");
  for (const char* bad : {"", "screen", "screen 0 600 60000 1", "screen 800 600 -1 1",
                          "screen 800 600 60000 0", "screen x 600 60000 1"})
    EXPECT_FALSE(parseRecord(bad, mode, pid)) << bad;
  EXPECT_EQ(wholeHertz(59940), 60);
  EXPECT_EQ(wholeHertz(60317), 60);
  EXPECT_EQ(wholeHertz(74500), 75);
}

TEST(InstanceLock, OnePerDisplayAndAStaleOneIsTakenOver) {
  EXPECT_EQ(displayName(":0.0"), ":0");
  EXPECT_EQ(displayName("host:10.1"), "host:10");
  EXPECT_EQ(displayName(":1"), ":1");
  char folder[] = "/tmp/orventa-lock-test.XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const InstanceFiles files = instanceFiles(folder, ":7.0");
  EXPECT_EQ(files.lock, std::string(folder) + "/orventa-display_7.lock");
  EXPECT_EQ(instanceFiles(folder, ":7").record, files.record);

  // Left by a process that is gone: no lock held, a dead pid inside.
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  ASSERT_TRUE(writeText(files.lock, std::to_string(dead) + "\n"));
  int holder = -1;
  const int first = takeLock(files.lock, holder);
  ASSERT_GE(first, 0);
  EXPECT_EQ(holder, 0);
  std::string text;
  ASSERT_TRUE(readText(files.lock, text));
  EXPECT_EQ(text, std::to_string(getpid()) + "\n");

  // While it is held, a second taker learns who holds it.
  EXPECT_EQ(takeLock(files.lock, holder), -1);
  EXPECT_EQ(holder, getpid());
  close(first);
  const int again = takeLock(files.lock, holder);
  EXPECT_GE(again, 0);
  close(again);
  std::remove(files.lock.c_str());
  rmdir(folder);
}

}  // namespace
}  // namespace orventa::platform
