#include "core/login_answer.h"

#include <gtest/gtest.h>

using namespace tervix::core;

TEST(LoginAnswer, RefusalsAreToldByTheirText)
{
    struct Case
    {
        const char *answer;
        const char *refusal;
    };
    const Case cases[] = {
        {"\r\nUsername or password invalid.\r\n\r\n>>User name:", "Username or password invalid."},
        {"\r\nReenter times have reached the upper limit.\r\n\r\n>>User name:",
         "Reenter times have reached the upper limit."},
        {"\r\n\r\n  Huawei Integrated Access Software (MA5608T).\r\n\r\nOLT>", ""},
        {"", ""},
        {"no line end, but invalid", "no line end, but invalid"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(loginRefusal(QString::fromLatin1(c.answer)), QString::fromLatin1(c.refusal)) << c.answer;
}

TEST(LoginAnswer, SaveIsConfirmedOnlyByTheAnswerAfterItsEcho)
{
    struct Case
    {
        const char *memo;
        bool saved;
    };
    const Case cases[] = {
        {"\r\nsave\r\n  It will take several minutes to save configuration file, please wait...\r\nOLT(config)#", true},
        {"OLT(config)#save\r\n  It will take several minutes to save configuration file, please wait...\r\n", true},
        {"OLT(config)#save\r\n", false},                                               // no answer yet
        {"OLT(config)#save\r\n  Failure: System is busy, please save later\r\n", false}, // refused
        {"OLT(config)#save\r\n% Unknown command, the error locates at '^'\r\n", false},
        {"\r\nUsername or password invalid.\r\n>>User name:save\r\n", false},
        {"", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(saveConfirmed(QString::fromLatin1(c.memo)), c.saved) << c.memo;
}
