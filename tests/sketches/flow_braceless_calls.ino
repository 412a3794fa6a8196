// A brace-less body that calls a function: the body ends with the call's return, on the next
// line or on the header's own line.
int c = 1;
int n = 0;
int i = 0;
void bump() {
  n++;
}
void step() {
  i++;
}
void setup() {
  if (c)
    bump();
  while (i < 3)
    step();
  for (int k = 0; k < 2; k++)
    bump();
  while (i < 5) step();
  for (int k = 0; k < 3; k++) bump();
  n = n + 100;
}
void loop() {
}
