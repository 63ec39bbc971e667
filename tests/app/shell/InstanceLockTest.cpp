#include <gtest/gtest.h>

#include <unistd.h>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/shell/InstanceLock.h"

using namespace quorrel;

TEST(InstanceLock, SecondHolderIsADuplicateUntilTheFirstEnds) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("Quorrel.lock").toStdString();
    {
        InstanceLock first(path);
        EXPECT_FALSE(first.isDuplicate());
        EXPECT_TRUE(first.isHeld());
        InstanceLock second(path);
        EXPECT_TRUE(second.isDuplicate());
        EXPECT_FALSE(second.isHeld());
    }
    InstanceLock again(path);
    EXPECT_FALSE(again.isDuplicate());
}

TEST(InstanceLock, LockThatCannotBeCreatedCountsAsFirstInstance) {
    InstanceLock lock("/nonexistent-folder/Quorrel.lock");
    EXPECT_FALSE(lock.isDuplicate());
    EXPECT_FALSE(lock.isHeld());
}

TEST(InstanceLock, DefaultPathIsInTheRuntimeFolderElsePerUserInTmp) {
    setenv("XDG_RUNTIME_DIR", "/run/user/4242", 1);
    EXPECT_EQ(InstanceLock::defaultPath(), "/run/user/4242/Quorrel.lock");
    unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceLock::defaultPath(), "/tmp/Quorrel-" + std::to_string(getuid()) + ".lock");
}
