#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestDialog.h"
#include "kv/KvConsole.h"
#include "kv/KvScript.h"
#include "kv/KvString.h"
#include "kvui/KvUiDriver.h"
#include "kvui/KvUiScriptDriver.h"

class ScriptRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestDialogTemplate();
        KvConsole::instance().setEcho(false);
    }
    void TearDown() override { kvuiSetDriver(nullptr); }

    void UseScript(const std::string& text)
    {
        script.load("test.ui", text);
        driver = std::make_unique<KvUiScriptDriver>(script);
        kvuiSetDriver(driver.get());
    }
    // The lines the script has not given out yet.
    int LinesLeft()
    {
        int n = 0;
        KvScript::Line line;
        KvScript copy = script;
        while (copy.next(line)) ++n;
        return n;
    }

    KvScript script;
    std::unique_ptr<KvUiScriptDriver> driver;
};
