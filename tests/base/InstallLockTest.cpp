#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "ZOLINSInstallLock.h"
#include "base/InstallLock.h"
#include "support/Process.h"
#include "support/TestSupport.h"

namespace {

using State = zol::InstallLock::State;
using Clock = std::chrono::steady_clock;

TEST(InstallLock, NestsInOneProcessAndTimesOutAgainstAnotherNamingIt) {
  zoltest::TempDir dir;
  const std::string present = dir.Write("control/PRESENT", "");
  {
    zol::InstallLock outer(present);
    ASSERT_EQ(outer.GetState(), State::Held);
    EXPECT_EQ(outer.LockPath(), dir / "control/.zolins.lock");
    zol::InstallLock inner(dir / "control/OTHER", 0);  // same directory, same lock
    EXPECT_EQ(inner.GetState(), State::Held);
  }
  const pid_t holder = zoltest::StartLockHolder(present);
  ASSERT_GT(holder, 0);
  const auto start = Clock::now();
  zol::InstallLock waiting(present, 0.3);
  const double waited = std::chrono::duration<double>(Clock::now() - start).count();
  EXPECT_EQ(waiting.GetState(), State::Busy);
  EXPECT_GE(waited, 0.3);
  EXPECT_LT(waited, 3.0);
  EXPECT_NE(waiting.Reason().find(dir / "control/.zolins.lock"), std::string::npos);
  EXPECT_NE(waiting.Reason().find("process " + std::to_string(holder)), std::string::npos)
      << waiting.Reason();

  // Killed, the holder leaves nothing behind that blocks the next writer.
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  const ZOLINSInstallLock next(present.c_str(), 2);
  EXPECT_EQ(next.GetState(), 1);
}

TEST(InstallLock, NoDirectoryToLockInMeansUnlockedAndTimeoutComesFromTheEnvironment) {
  zoltest::TempDir dir;
  EXPECT_EQ(zol::InstallLock(dir / "none/PRESENT").GetState(), State::Unlockable);
  EXPECT_EQ(ZOLINSInstallLock(nullptr).GetState(), 0);
  const std::pair<const char*, double> timeouts[] = {
      {"0.25", 0.25}, {"", 5}, {"-1", 5}, {"abc", 5}, {"2s", 5}, {"nan", 5}, {"inf", 5}};
  for (const auto& [text, seconds] : timeouts) {
    zoltest::ScopedEnv timeout("ZOL_LOCK_TIMEOUT", text);
    EXPECT_EQ(zol::LockTimeoutSeconds(), seconds) << text;
  }
}

}  // namespace
