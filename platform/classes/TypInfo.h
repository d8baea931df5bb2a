// Published-property reflection: property descriptions per class, in declaration order.
#pragma once

#include "platform/rtl/System.h"

// One published property of a class.
struct TPropInfo {
  std::string Name;
  virtual ~TPropInfo() = default;
};
