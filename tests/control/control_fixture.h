// A fresh library for each test: started as the DLL would be, shut down after.
#pragma once
#include "controlexports.h"
#include "jenvmanager.h"
#include "module.h"
#include "testsupport.h"

#include <gtest/gtest.h>

class ControlLibrary : public ::testing::Test {
protected:
    void SetUp() override { ControlAttachProcess(::GetModuleHandleA(nullptr)); }
    void TearDown() override { ControlDetachProcess(); }

    // The manager with all locks on, its first environment's registry under the test key.
    JControlOnlyInfo* CreateManager()
    {
        JCreateEnvironmentManager(m_key.path(), 1, 1, 1, 1, 1, 1, 1, 1);
        return GetJControlInfo();
    }

    testing_support::ScopedTestKey m_key;
};
