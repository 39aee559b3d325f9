#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "ZOLINSInstallLock.h"
#include "base/InstallLock.h"
#include "support/TestSupport.h"

namespace {

using State = zol::InstallLock::State;

// Waiting for another process, the timeout, its message and a killed holder are tested where
// PRESENT is recorded (PresentTest) and where a control file is rewritten (AddCheckSumTest).
TEST(InstallLock, NestsInOneProcess) {
  zoltest::TempDir dir;
  const std::string present = dir.Write("control/PRESENT", "");
  zol::InstallLock outer(present);
  ASSERT_EQ(outer.GetState(), State::Held);
  EXPECT_EQ(outer.LockPath(), dir / "control/.zolins.lock");
  zol::InstallLock inner(dir / "control/OTHER", 0);  // same directory, same lock
  EXPECT_EQ(inner.GetState(), State::Held);
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
