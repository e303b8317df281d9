// The system's error texts as shown: every insert filled with the file's name, once.
#include <gtest/gtest.h>

#include "ui/error_text.h"

namespace pelmor::ui {
namespace {

TEST(ErrorText, EveryInsertTakesTheFileNameAndNothingElseChanges) {
  EXPECT_EQ(FillInserts("Bad EXE format for %1.", "C:\\Cards\\notes.CAR"), "Bad EXE format for C:\\Cards\\notes.CAR.");
  // Any number, with or without a format; a name that holds an insert of its own stays as it is.
  EXPECT_EQ(FillInserts("%1 is not %2!s! (%12)", "a%1b"), "a%1b is not a%1b (a%1b)");
  // A percent sign that starts no insert is text.
  EXPECT_EQ(FillInserts("100% of %0 at 5%", "x"), "100% of %0 at 5%");
}

}  // namespace
}  // namespace pelmor::ui
