#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "model/presets.h"
#include "test_document.h"
#include "tests/scripted_dialogs.h"

namespace bowlyn::testing {

// The OM loaded, a scripted Dialogs that fails on any question it was not
// given an answer for, and a folder of its own removed afterwards: where the
// tests of commands that write files start.
class OmInFolder : public ::testing::Test, protected TestDocument {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/bowlyn-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
        loadTexts(design, presetTexts(presetByName("OM")));
        session.loaded("");
        dialogs.strict = true;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::string dir;
    test::ScriptedDialogs dialogs;
};

}  // namespace bowlyn::testing
