// Simulate Uno
int m[2][2] = {
  {1, 2},
  {3, 4}
};
int after = 1;
