#include <stdio.h>
  #define MAX 100 /* upper bound */
// Counts from zero.
static const int limit = 0x10u;
template <typename T> class Box {
public:
  explicit Box(T v) : value(v) {}
  double ratio() const { return 1.5e3f + .25 + 3.; }
  const char* name = "box \"one\"";
  char c = '\'';
  T value;
};
/* unclosed comment
   at the end
