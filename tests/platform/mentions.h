// An assertion on the text of an exception's message.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

// Succeeds when `text` holds `part`; the failure shows both.
inline ::testing::AssertionResult Mentions(std::string_view text, std::string_view part) {
  if (text.find(part) != std::string_view::npos) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "\"" << text << "\" does not mention \"" << part << "\"";
}
