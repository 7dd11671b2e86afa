// Fixture for tests that draw: a real window, state and counters reset.
#pragma once

#include <gtest/gtest.h>

#include "support/gl_counters.h"
#include "support/gl_window.h"

class GlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGlWindow();
        resetForTest();
    }
    void TearDown() override { stopDrawLog(); }
};
