#include "Failures.h"

#include <cstdio>

namespace
{
int g_failures = 0;
}

void Fail(const std::string& what)
{
    std::fprintf(stderr, "FAILED: %s\n", what.c_str());
    ++g_failures;
}

int FailureCount()
{
    return g_failures;
}
