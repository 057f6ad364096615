#include "platform/system/UserFolders.h"

#include "host/HostCall.h"
#include "tests/support/FakeClient.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

namespace pathwick {
namespace {

// Sets or clears environment variables for one test and puts them back after.
class TEnvironment {
public:
    ~TEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    void Set(const std::string& name, const char* value) {
        if (!saved_.contains(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name.c_str(), value, 1);
        else
            ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

struct TFolderCase {
    const char* ConfigHome; // null: unset
    const char* Home;
    const char* Expected;
};

class AppDataFolderTest : public ::testing::TestWithParam<TFolderCase> {};

TEST_P(AppDataFolderTest, FollowsTheEnvironment) {
    TEnvironment env;
    env.Set("XDG_CONFIG_HOME", GetParam().ConfigHome);
    env.Set("HOME", GetParam().Home);
    EXPECT_EQ(UserAppDataFolder(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Environment, AppDataFolderTest,
                         ::testing::Values(TFolderCase{"/cfg", "/home/u", "/cfg"},
                                           TFolderCase{nullptr, "/home/u", "/home/u/.config"},
                                           TFolderCase{"", "/home/u", "/home/u/.config"},
                                           TFolderCase{"relative/cfg", "/home/u",
                                                       "/home/u/.config"},
                                           TFolderCase{nullptr, "/", "/.config"},
                                           TFolderCase{nullptr, "/home/u/", "/home/u/.config"}));

TEST(AppDataFolder, WithoutHomeIsStillAnAbsoluteFolder) {
    TEnvironment env;
    env.Set("XDG_CONFIG_HOME", nullptr);
    env.Set("HOME", nullptr);
    const std::string folder = UserAppDataFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_TRUE(folder.ends_with("/.config"));
}

class PreferenceFolderTest : public ::testing::Test {
protected:
    void SetUp() override { env_.Set("XDG_CONFIG_HOME", "/cfg"); }
    TEnvironment env_;
    test::TFakeClient client_;
};

TEST_F(PreferenceFolderTest, ChoosesTheFolderFromTheSetting) {
    struct TCase {
        const char* Setting;
        const char* Expected;
    };
    for (const TCase& c : {TCase{"", "/cfg/Vorelline"}, TCase{"Mine", "/cfg/Mine"},
                           TCase{"a/b", "/cfg/a/b"}, TCase{"/abs/where", "/abs/where"}}) {
        client_.Location = c.Setting;
        EXPECT_EQ(HostPreferenceFolder(&client_), c.Expected) << c.Setting;
    }
}

TEST_F(PreferenceFolderTest, NoClientGivesTheDefaultName) {
    EXPECT_EQ(HostPreferenceFolder(nullptr), "/cfg/Vorelline");
}

TEST_F(PreferenceFolderTest, LongSettingIsAskedForAgainInFull) {
    client_.Location = "/" + std::string(1000, 'p');
    EXPECT_EQ(HostPreferenceFolder(&client_), client_.Location);
    EXPECT_EQ(client_.LocationCalls, 2);
}

TEST_F(PreferenceFolderTest, ClientClaimingEndlessLengthDoesNotLoop) {
    client_.Location = "/short";
    client_.ClaimedLength = INT32_MAX;
    EXPECT_EQ(HostPreferenceFolder(&client_), "/short");
    EXPECT_LE(client_.LocationCalls, 3);
}

TEST_F(PreferenceFolderTest, FailingClientRaises) {
    client_.Status = HostFail;
    EXPECT_THROW(HostPreferenceFolder(&client_), EHostCallError);
}

} // namespace
} // namespace pathwick
