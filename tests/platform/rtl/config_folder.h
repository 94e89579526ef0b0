#pragma once
// A private configuration folder for one test: XDG_CONFIG_HOME points into a
// fresh temporary folder for the test's lifetime, and both go afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        FHadOld = old != nullptr;
        if (old) FOld = old;
        char tmpl[] = "/tmp/vz_config_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Root = tmpl;
        setenv("XDG_CONFIG_HOME", Root.c_str(), 1);
    }
    void TearDown() override {
        if (FHadOld)
            setenv("XDG_CONFIG_HOME", FOld.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::system(("rm -rf '" + Root + "'").c_str());
    }

    std::string Root; // what XDG_CONFIG_HOME names during the test

private:
    bool FHadOld = false;
    std::string FOld;
};
