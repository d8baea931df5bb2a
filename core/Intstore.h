// IntStore: the program's growable array of ints.
#pragma once

// Orders two ints like a three-way comparison.
using IntCompareCallback = int (*)(int New, int Existing);

// A growable array of ints. The buffer grows by the growth step (3 after construction) at a time, to exactly the
// size needed; a bad index never touches memory outside it: getters give -1 (or the scratch slot), setters 0.
class IntStore {
public:
  int* values = nullptr;  // null until the first growth
  int count = 0;          // values in use
  int scratch = 0;        // the slot handed out for a bad index; set to -1 each time that happens
  int capacity = 0;       // ints allocated
  int growthStep = 3;

  IntStore() = default;
  IntStore(int N, int Fill);
  ~IntStore();
  IntStore(const IntStore&) = delete;
  IntStore& operator=(const IntStore&) = delete;

  // Takes the other's count, step and scratch and a copy of its values; 1 or 0 out of memory.
  int copyFrom(const IntStore& Other);
  void clear();
  int reset(int N, int Fill);
  // Appends, or with a comparator inserts at the place findInsertIndex gives. 1 or 0 out of memory.
  int addInt(int Value, IntCompareCallback Comparator = nullptr);
  // Sets a value; past the count only when Grow, the values between set to Fill. 1, or 0 for a bad index.
  int setInt(int Index, int Value, int Grow = 0, int Fill = 0);
  int& getIntRef(int Index);
  int getInt(int Index) const;
  // Grows the count to N (never shrinks), new values set to Fill. 1 or 0 out of memory.
  int setSize(int N, int Fill);
  // Makes room for N values, growing by the step; Keep copies the values in use. 1 or 0 out of memory.
  int reserve(int N, int Keep);
  // Binary search for the place of Value among the values in use (an equal value met gives its own index).
  int findInsertIndex(int Value, IntCompareCallback Comparator) const;
};
