// An else block that opens and closes on the "}" line is a plain else, not an else-if. The
// reset scan counts every brace of that line, so setup() ends at its own "}" and the functions
// after it are found.
int c = 0;
int n = 0;
void setup() {
  if (c) {
    n = 1;
  } else { n = 7; }
  n = n + 100;
}
void loop() {
  bump();
}
void bump() {
  n = n + 1;
}
