#pragma once

#include "access.h"
#include "common.h"
#include "recordingsystem.h"
#include "scriptedtransport.h"
#include "serversets.h"
#include "testapp.h"

#include <gtest/gtest.h>

// A test with its own defaults, transport, system services and server sets, and a session
// record that starts empty.
class SessionTest : public ::testing::Test {
protected:
    SessionTest() { master = decltype(master){}; }
    ~SessionTest() override { master = decltype(master){}; }

    // A logged-in guard of division 1, saved as a later start would find it.
    void logIn(const QString &division = QStringLiteral("1")) {
        master.BranchCode = QStringLiteral("HLV01");
        master.Users_id = QStringLiteral("7");
        master.EmpName = QStringLiteral("Ravi Kumar");
        master.Department = QStringLiteral("Security");
        master.Division_id = division;
        master.DivisionName = QStringLiteral("Spinning");
        master.ImagePath = QStringLiteral("~/Security/PersonsImages/user_1.png");
        common::sharedInstance().saveSession();
    }

    IsolatedDefaults defaults;
    DistinctServerSets sets;
    ScriptedTransportScope net;
    RecordingSystemScope system;
};
