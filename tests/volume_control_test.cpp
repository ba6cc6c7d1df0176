// The volume command tries the platform's volume controls in their order and
// stops at the first that starts; none starting is reported as 0.
#include "platform/headless/headless.h"
#include "platform/headless/headless_system.h"
#include "platform/system.h"
#include "sys/volume_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> argv_of(const platform::VolumeCommand& command)
{
    std::vector<std::string> argv;
    for (const char* arg : command)
        if (arg) argv.emplace_back(arg);
    return argv;
}

TEST(VolumeControl, TriesEachInOrderAndStopsAtTheFirstThatStarts)
{
    const auto commands = platform::volume_control_commands();
    ASSERT_GE(commands.size(), 3u);

    headless::reset();
    EXPECT_EQ(open_volume_control(nullptr), 0);
    ASSERT_EQ(headless::launches().size(), commands.size());
    for (size_t i = 0; i < commands.size(); ++i) EXPECT_EQ(headless::launches()[i], argv_of(commands[i]));

    headless::reset();
    headless::set_launchable(commands[2][0]);
    headless::set_launchable(commands.back()[0]);
    EXPECT_EQ(open_volume_control(nullptr), 1);
    ASSERT_EQ(headless::launches().size(), 3u);
    EXPECT_EQ(headless::launches()[2], argv_of(commands[2]));

    headless::set_launchable(commands[0][0]);
    EXPECT_EQ(open_volume_control(nullptr), 1);
    EXPECT_EQ(headless::launches().size(), 4u);
    EXPECT_EQ(headless::launches()[3], argv_of(commands[0]));
}

} // namespace
