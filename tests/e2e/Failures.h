// What the end-to-end driver found wrong, said in the words of what a user would miss.
#pragma once
#include <string>

// Prints the failure and counts it.
void Fail(const std::string& what);
int FailureCount();
