#pragma once
// The fixture of the Lifecycle tests: one test suite in lifecycle_test.cpp and file_menu_test.cpp,
// and GoogleTest wants one fixture class for all the tests of a suite.
#include "fixtures/shell_fixture.h"

namespace quorvel::testing_support {

class Lifecycle : public fixtures::ShellTest {};

}  // namespace quorvel::testing_support
