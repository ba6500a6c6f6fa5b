// Where the suite keeps its state when the usual variables are missing (a user with
// no home at all is refused: see the registry store tests).
#include "platform/data_dir.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or removes an environment variable for one test and puts it back afterwards.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvVar() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(data_dir, without_home_variables_the_password_database_home_is_used_never_tmp) {
    const passwd* me = getpwuid(getuid());
    ASSERT_NE(me, nullptr);
    const std::filesystem::path expected = std::filesystem::path(me->pw_dir) / ".local/share/shellstyle-suite";
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home"}) {
        EnvVar h("HOME", home), x("XDG_DATA_HOME", "not/absolute");
        EXPECT_EQ(platform::suiteDataDir(), expected) << (home ? home : "(unset)");
    }
    EnvVar h("HOME", "/home/someone"), x("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(platform::suiteDataDir(), "/home/someone/.local/share/shellstyle-suite");
}

}  // namespace
